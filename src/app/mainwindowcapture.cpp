// The calendar picture: the main window dressed, drawn and undressed in one step.
#include "app/headlesscalendar.h"
#include "app/mainwindow.h"
#include "app/monthpane.h"
#include "app/settingspage.h"
#include "app/widgetnames.h"
#include "calendar/monthgrid.h"
#include "core/clock.h"
#include "core/paths.h"
#include "core/scopedflag.h"
#include "publish/calendarimagewindow.h"
#include "publish/capturelayoutwindow.h"
#include "publish/publicitycalendarcomposer.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QTabWidget>

namespace korvane {

namespace {

// 'yyyy"/"m"/"d" ("aaa")  "h" : "n" 更新': when the picture was taken.
QString takenText(const QDateTime& now) {
    static const char16_t* const days[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
    const QDate d = now.date();
    return QStringLiteral("%1/%2/%3 (%4)  %5 : %6 更新")
        .arg(d.year())
        .arg(d.month())
        .arg(d.day())
        .arg(QString::fromUtf16(days[d.dayOfWeek() - 1]))
        .arg(now.time().hour())
        .arg(now.time().minute());
}

}  // namespace

// Everything the picture changes, put back when it goes out of scope.
class MainWindow::Dressing {
public:
    explicit Dressing(MainWindow& w)
        : w_(w),
          clock_(w.clockPanel_->text()),
          folderShown_(!w.folderPanel_->isHidden()),
          today_(w.grid().IsToDay()) {
        w.captureHidden_ = true;
        MonthGrid& g = w.grid();
        w.clockPanel_->setText(w.settingsPage_->PictureShowsMonth()
                                   ? QStringLiteral("%1 年 %2 月").arg(g.Year()).arg(g.Month())
                                   : takenText(Clock::current().now()));
        w.folderPanel_->hide();
        w.monthPage_->SetPictureLook(true);
        g.SetIsToDay(false);
    }
    ~Dressing() {
        MonthGrid& g = w_.grid();
        g.SetIsToDay(today_);
        w_.monthPage_->SetPictureLook(false);
        w_.folderPanel_->setVisible(folderShown_);
        w_.clockPanel_->setText(clock_);
        w_.captureHidden_ = false;
    }
    Dressing(const Dressing&) = delete;
    Dressing& operator=(const Dressing&) = delete;

private:
    MainWindow& w_;
    const QString clock_;
    const bool folderShown_, today_;
};

bool MainWindow::PicturesOn() const { return settingsPage_->PicturesOn(); }
CalendarImageWindow* MainWindow::ImageWindow() const { return imageWindow_; }

void MainWindow::RevealScreenshotSwitch() { menus_.ScreenshotSwitch->setVisible(true); }

void MainWindow::ScreenshotSwitchClicked() {
    QAction* entry = menus_.ScreenshotSwitch;
    if (!FileExistsIn(paths_.ProgramFolder, QStringLiteral("korvane.777"))) {
        entry->setChecked(!entry->isChecked());  // the click changed nothing
        ShowMessageBox(
            QStringLiteral("この機能は開発中で、使うことが出来ません。\r\n申し訳ございません。"));
        return;
    }
    settingsPage_->SetScreenshotFlag(entry->isChecked());
    menus_.Pictures->menuAction()->setEnabled(entry->isChecked());
    entry->setVisible(false);
}

QImage MainWindow::CaptureMonthPicture() {
    pageControl_->setCurrentWidget(tsMonth_);
    const Dressing dressed(*this);
    if (QLayout* l = layout()) l->activate();
    return grab().toImage();
}

QImage MainWindow::CaptureLayoutPicture() {
    const ScopedFlag hidden(captureHidden_);
    const std::int32_t year = ShownYear();
    const int month = ShownMonth();
    CaptureLayoutWindow window(paths_.ProgramFolder, settingsPage_->ItemsInFixedPitch(),
                               Clock::current().now());
    MonthGrid& g = window.Grid();
    {
        const ScopedFlag suspended(g.Suspended);
        PrepareSiblingGrid(link_, g, true);
        g.SetFirstDayOfWeek(grid().FirstDayOfWeek());
        g.SetShowRokuyo(grid().ShowRokuyo());
    }
    LoadMonthAround(link_, g, year, month, true);
    window.ShowHeaders(year, month);
    if (QLayout* l = window.layout()) l->activate();
    return window.grab().toImage();
}

void MainWindow::CaptureLayout(int monthsOn) {
    if (captureHidden_) return;
    if (!FileExistsIn(paths_.ProgramFolder, QStringLiteral("korvane.777"))) {
        ShowMessageBox(
            QStringLiteral("この機能は開発中で、使うことが出来ません。\r\n申し訳ございません。"));
        return;
    }
    pageControl_->setCurrentWidget(tsMonth_);
    if (monthsOn >= 0) {
        ShowThisMonth();
        for (int i = 0; i < monthsOn; ++i) StepMonth(1);
    }
    showPicture(CaptureLayoutPicture(), monthsOn == 0   ? &ImageOptionSection::edtC1
                                        : monthsOn == 1 ? &ImageOptionSection::edtC2
                                        : monthsOn == 2 ? &ImageOptionSection::edtC3
                                                        : &ImageOptionSection::edtPRC1);
}

PcalContext MainWindow::PublicityContext() const {
    return {paths_.ProgramFolder, paths_.SettingsFolder, paths_.ReadOnlySettings,
            collectKorvaneIni().Image.edtSaveFolder, settingsPage_->UploadAccount()};
}

void MainWindow::OpenPublicityCalendar() {
    pageControl_->setCurrentWidget(tsMonth_);
    PublicityCalendarComposer composer(PublicityContext(), grid(), this);
    composer.exec();
}

void MainWindow::CaptureCalendar() {
    if (captureHidden_ || !PicturesOn()) return;
    showPicture(CaptureMonthPicture(), &ImageOptionSection::edtFile1);
}

void MainWindow::showPicture(QImage picture, QString ImageOptionSection::*name) {
    const ImageOptionSection settings = collectKorvaneIni().Image;
    PictureSaveSettings save{settings.edtSaveFolder, settings.edtFile1, settings.*name,
                             settingsPage_->UploadAccount()};
    if (imageWindow_) imageWindow_->close();
    imageWindow_ = new CalendarImageWindow(std::move(picture), std::move(save));
    connect(imageWindow_, &CalendarImageWindow::Closed, this, [this] {
        show();
        raise();
        activateWindow();
    });
    // The program ends the usual way: this window closes and saves the settings.
    connect(imageWindow_, &CalendarImageWindow::QuitRequested, this, [this] {
        if (imageWindow_) imageWindow_->close();
        close();
    });
    imageWindow_->move(pos());
    imageWindow_->show();
    hide();
}

}  // namespace korvane
