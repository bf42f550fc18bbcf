#include "mainwindow.h"

#include "print/engine/cupsprintsystem.h"
#include "print/printwindow.h"

#include "app/aboutdialog.h"
#include "app/mainsettings.h"
#include "app/monthpane.h"
#include "app/settingspage.h"
#include "app/updatereminderdialog.h"
#include "app/utility.h"
#include "app/widgetnames.h"
#include "app/windowplacement.h"
#include "app/yearpage.h"
#include "calendar/daynumber.h"
#include "calendar/minicalendar.h"
#include "calendar/monthgrid.h"
#include "calendar/textlines.h"
#include "core/clock.h"
#include "core/codec.h"
#include "core/fonts.h"
#include "core/paths.h"
#include "core/prompt.h"
#include "core/scopedflag.h"
#include "settings/inifile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <exception>
#include <map>
#include <utility>

namespace korvane {
MainWindow::MainWindow(MainWindowPaths paths, QStringList arguments, bool smallScreen,
                       QWidget* parent)
    : QMainWindow(parent),
      paths_(std::move(paths)),
      arguments_(std::move(arguments)),
      smallScreen_(false),
      link_(paths_.ProgramFolder) {
    setObjectName(QStringLiteral("fmC21"));
    setWindowTitle(QStringLiteral("Korvane"));

    pageControl_ = Named(new QTabWidget(this), "PageControl1");
    pageControl_->setTabPosition(QTabWidget::South);
    setCentralWidget(Named(new QWidget(this), "PMain"));
    auto* mainLayout = new QVBoxLayout(centralWidget());
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(pageControl_);

    monthPage_ = new MonthPane(this);
    tsMonth_ = monthPage_;
    pageControl_->addTab(monthPage_, QStringLiteral("　　月　　"));
    connectMonthPage();
    yearPage_ = new YearPage(this);
    tsYear_ = yearPage_;
    pageControl_->addTab(yearPage_, QStringLiteral("　  年  　"));
    connect(yearPage_, &YearPage::MonthChosen, this, [this](std::int32_t year, int month) {
        pageControl_->setCurrentWidget(tsMonth_);
        nav_.RememberPage();
        GoToMonth(MonthTable::YearMonthText(year, month));
    });
    settingsPage_ = new SettingsPage(paths_.ProgramFolder, this);
    tsSettei_ = settingsPage_;
    pageControl_->addTab(settingsPage_, QStringLiteral("　 設定 　"));
    pageControl_->setTabVisible(pageControl_->indexOf(settingsPage_), false);
    connectSettingsPage();
    menus_ = BuildMainMenus(*this, settingsPage_->CalendarForms());

    clockPanel_ = new QLabel(this);
    clockPanel_->setFixedWidth(200);
    clockPanel_->setAlignment(Qt::AlignCenter);
    folderPanel_ = new QLabel(this);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);  // the window keeps its size: nothing to grip
    statusBar()->addWidget(clockPanel_);
    statusBar()->addWidget(folderPanel_, 1);

    sizeMonthGrid();
    connect(&grid(), &CalendarControl::dayChanged, this, [this] { dayChanged(); });
    if (!initialiseMonths()) {
        initialisationFailed_ = true;
        ShowMessageBox(
            QStringLiteral("月の初期設定に失敗しました。\r\n一旦、終了させますので\r\nもう一度、立"
                           "ち上げ直してください。"));
        return;  // the program ends without showing the window
    }

    timer1_ = new QTimer(this);
    timer1_->setInterval(10000);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::UpdateClock);
    timer1_->start();
    UpdateClock();
    connect(pageControl_, &QTabWidget::currentChanged, this, [this] { pageChanged(); });
    pageControl_->setCurrentWidget(tsMonth_);
    if (smallScreen) UseCompactLayout();
}

void MainWindow::UseCompactLayout() {
    if (smallScreen_) return;
    smallScreen_ = true;
    sizeMonthGrid();
    applyCompactLayout();
    grid().UpdateCalendar();
}

MainWindow::~MainWindow() = default;

MonthGrid* MainWindow::Grid() const { return &monthPage_->Grid(); }
std::int32_t MainWindow::ShownYear() const { return grid().Year(); }
int MainWindow::ShownMonth() const { return grid().Month(); }
bool MainWindow::WeekStartsMonday() const { return grid().FirstDayOfWeek() == dowMon; }
bool MainWindow::RokuyoDisplay() const { return settingsPage_->ShowsRokuyo(); }

void MainWindow::ShowPrintWindow() {
    if (!printWindow_) {
        PrintSystem* system = PrintSystemOverride;
        if (!system) {
            cups_ = std::make_unique<CupsPrintSystem>();
            system = cups_.get();
        }
        printWindow_ = std::make_unique<PrintWindow>(*this, *system, paths_.SettingsFolder, this,
                                                     paths_.ReadOnlySettings);
    }
    printWindow_->exec();
}

MiniCalendar* MainWindow::Mini(int tag) const { return yearPage_->Mini(tag); }

void MainWindow::sizeMonthGrid() {
    MonthGrid& g = grid();
    ApplyMainWindowLayout(g, smallScreen_);
    monthPage_->FitGrid();
    monthPage_->SetTabWidth(g.LenDayW());
}

void MainWindow::connectMonthPage() {
    MonthPane* p = monthPage_;
    connect(p, &MonthPane::TabClicked, this, [this] { SelectTab(true); });
    connect(p, &MonthPane::Step, this, &MainWindow::StepMonth);
    connect(p, &MonthPane::MonthEntered, this, &MainWindow::monthEntered);
    connect(p, &MonthPane::SettingsClicked, this, &MainWindow::OpenSettings);
    connect(p, &MonthPane::PrintClicked, this, &MainWindow::ShowPrintWindow);
    connect(p, &MonthPane::ThisMonthClicked, this, &MainWindow::ShowThisMonth);
    connect(p, &MonthPane::QuitClicked, this, &QWidget::close);
    connect(p, &MonthPane::SampleClicked, this,
            [this] { monthPage_->SampleButtonClicked(settingsPage_->SampleButtonHidden()); });
    connect(p, &MonthPane::ContextMenuRequested, this, [this](const QPoint& at) {
        menus_.PopupQuit->setEnabled(!(grid().SelStart != 0 && grid().HighlightClicked));
        menus_.Popup->popup(at);
    });
}

void MainWindow::connectSettingsPage() {
    SettingsPage* p = settingsPage_;
    connect(p, &SettingsPage::LinkToggled, this, [this] { applyLinkCheckBox(); });
    connect(p, &SettingsPage::ItemFontClicked, this, [this] { applyItemFont(); });
    connect(p, &SettingsPage::RokuyoClicked, this, &MainWindow::ApplyRokuyoDisplay);
    connect(p, &SettingsPage::WeekStartClicked, this, &MainWindow::ApplyWeekStart);
    connect(p, &SettingsPage::SampleOptionClicked, this, [this] { sampleOptionClicked(); });
    connect(p, &SettingsPage::StartFolderClicked, this, &MainWindow::UpdateFolderPanel);
    connect(p, &SettingsPage::ClockClicked, this, &MainWindow::UpdateClock);
    connect(p, &SettingsPage::CloseClicked, this, [this] { closeSettings(); });
}

void MainWindow::applyLinkCheckBox() {
    if (settingsPage_->LinkOn()) monthPage_->SetSampleCaption(QString());
}

void MainWindow::sampleOptionClicked() {
    monthPage_->SetSampleCaption(
        settingsPage_->SampleButtonHidden() ? QString() : QStringLiteral("サンプル\n\n表示"));
}

void MainWindow::applyItemFont() {
    // Schedule items in a fixed-pitch face when asked.
    CalendarFont f = grid().Fonts().Font(CalendarFonts::DayOfWeek);
    f.Font.setFamily(
        InstalledFamily(settingsPage_->ItemsInFixedPitch() ? kFaceGothic : kFacePGothic));
    grid().Fonts().SetFont(CalendarFonts::DayOfWeek, f);
}

void MainWindow::ApplyRokuyoDisplay(bool on) {
    settingsPage_->ShowRokuyo(on);
    grid().Fonts().SetColor(CalendarFonts::Rokuyo, link_.RokuyoColor);
    grid().SetShowRokuyo(on);
}

void MainWindow::ShowAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainWindow::ShowInfo() {
    bool webOpened = false;
    if (ShowInfoHook) {
        webOpened = ShowInfoHook();
    } else {
        UpdateReminderDialog info(Clock::current().today(), this);
        info.exec();
        webOpened = info.WebOpened();
    }
    InfoReminderOffset =
        OffsetAfterReminder(Clock::current().today(), InfoReminderOffset, webOpened);
}

void MainWindow::ActivateMainWindow() {
    if (activating_) return;  // a message box of our own closing re-activates the window
    activating_ = true;
    if (firstShow_) {
        monthPage_->ShowTabs(nav_.TabCaptions(), nav_.SelectedTab());
        grid().setFocus();
        firstShow_ = false;
    }
    UpdateClock();
    const QDate today = Clock::current().today();
    if (ReminderDue(today, InfoReminderOffset)) {
        ShowInfo();
    } else if (kReleaseDate.addDays(kReminderDays) > today && InfoReminderOffset > 99) {
        InfoReminderOffset = -1;
    }
    // Said at every activation but the one its own box gives back when it closes.
    if (linkBoxClosing_) {
        linkBoxClosing_ = false;
    } else if (settingsPage_->LinkOn() && link_.SiblingKind == 0) {
        ShowMessageBox(
            QStringLiteral("Velmar／Tesskaの起動フォルダの設定は、正しいですか？\r\n"
                           "起動フォルダを設定し直して下さい。"));
        linkBoxClosing_ = true;
        // When that activation does not come (the window was not active), the next one counts.
        QTimer::singleShot(500, this, [this] { linkBoxClosing_ = false; });
    }
    activating_ = false;
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) ActivateMainWindow();
    if (event->type() == QEvent::Show && firstShowDone_ == false) {
        firstShowDone_ = true;
        ShowMainWindow();
    }
    return QMainWindow::event(event);
}

void MainWindow::ShowMainWindow() {
    // What passing through the year page to the month page does, without showing the year page:
    // its twelve calendars are laid out now and drawn when it is first shown.
    yearPage_->YearModeClicked();
    pageControl_->setCurrentWidget(tsMonth_);
    pageChanged();
    if (QLayout* l = layout()) l->activate();
    adjustSize();
    setFixedSize(size());  // the window keeps its size
    PlaceWindow();
}

void MainWindow::applyCompactLayout() {
    // No year page (not even in the window's size), no picture settings, no button column.
    pageControl_->removeTab(pageControl_->indexOf(tsYear_));
    tsYear_->hide();
    settingsPage_->UseCompactLayout();
    monthPage_->UseCompactLayout();
    // Only the month page decides the window's size.
    tsYear_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    tsSettei_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void MainWindow::PlaceWindow() {
    const QScreen* screen = this->screen();
    PlaceWindow(screen ? screen->availableGeometry() : QRect());
}

void MainWindow::PlaceWindow(const QRect& work) {
    move(WindowPosition(frameGeometry().size(), work, settingsPage_->KeepsPlace(),
                        QPoint(savedLeft_, savedTop_), smallScreen_, pos()));
}

bool MainWindow::initialiseMonths() {
    bool ok = true;
    {
        const ScopedFlag suspended(grid().Suspended);
        try {
            todayDay_ = TodayDayNumber();
            const Ymd today = DecodeYmd(todayDay_);
            grid().SetDayNumber(todayDay_);
            nav_.Start(today.y, today.m);
            showNavigation(MonthNavigation::Answer::Shown, false);
            ok = LoadAllSettings();
            ApplyWeekStart();
            UpdateFolderPanel();
            grid().CurrentPage() = 1;
            // The holiday file of the working folder, for the year page.
            if (const QString hday = FindFile(QString(), QStringLiteral("Hday.dat"));
                !hday.isEmpty()) {
                QStringList lines;
                LoadTextLines(lines, hday, TextFileKind::HolidayRules);
                if (!yearPage_->SetHolidayList(lines))
                    ShowMessageBox(QStringLiteral("祭日ファイル読込ミス\r\n処理は続けます。"));
            } else {
                yearPage_->SetHolidayList(grid().HolidayList());
            }
            yearPage_->SetCurrentMonth(nav_.Months().Entry(1).Year, nav_.Months().Entry(1).Month);
            yearPage_->ShowYearOfMode();
        } catch (const std::exception&) {
            ok = false;
        }
    }
    grid().UpdateCalendar();
    monthPage_->ShowTabs(nav_.TabCaptions(), 1);
    return ok;
}

void MainWindow::showSampleMonths() {
    settingsPage_->SetDiagnostic(0, QStringLiteral("サンプル月：%1").arg(link_.SampleMonths));
}

bool MainWindow::LoadAllSettings() {
    bool ok = true;
    // Each settings file is read once, however many keys and checks follow.
    const IniFile::Hold printersOnce(printersFile()), korvaneOnce(settingsFile());
    try {
        link_.LoadOptions(printersFile());
        settingsPage_->ShowOptions(link_.Options);
        link_.Resolve(arguments_);
        link_.LoadRuleFiles(grid());
        grid().SetTabMojiSuu(std::uint8_t(link_.TabMojiSuu));
        grid().SetTabChousei(std::uint8_t(link_.TabChousei));
        grid().ItemColor = link_.ItemColor;
        grid().SetUeTume(link_.Options.cbUetume);
        for (int i = 0; i < 5; ++i)
            link_.LoadMonthSlot(grid().MonthPages()[std::size_t(i)], nav_.Months().Entry(i).Year,
                                nav_.Months().Entry(i).Month);
        link_.LoadPeriodFile(grid().PeriodList());
        showSampleMonths();
        settingsPage_->SetDiagnostic(1, QStringLiteral("起動　：%1").arg(link_.StartFolderPath));
        settingsPage_->SetDiagnostic(2, QStringLiteral("共通　：%1").arg(link_.CommonFolder));
        settingsPage_->SetDiagnostic(3, QStringLiteral("データ：%1").arg(link_.MonthDataFolder));
        settingsPage_->SetDiagnostic(4, QStringLiteral("区分　：%1").arg(link_.SiblingKind));

        // The FTP settings: a file that cannot be read is not written over at the next save.
        ftpReadable_ = ftp_.Load(paths_.SettingsFolder, paths_.ProgramFolder);

        KorvaneIni stored;
        stored.Settei.fmC21Top = y();
        stored.Settei.fmC21Left = x();
        stored.Image.edtSaveFolder = paths_.ProgramFolder;
        stored.Read(IniFile(settingsFile()));
        // Said now, not at closing after a whole session on defaults.
        for (const QString& file : {settingsFile(), printersFile()})
            if (!IniFile(file).Readable())
                ShowMessageBox(
                    QStringLiteral("設定ファイル %1 を読み込めません。\r\n"
                                   "今回は初期設定で起動し、このファイルには書き込みません。")
                        .arg(file));
        applyKorvaneIni(stored);
    } catch (const std::exception& e) {
        ok = false;
    }
    return ok;
}

void MainWindow::applyKorvaneIni(const KorvaneIni& stored) {
    korvaneIni_ = stored;
    const SetteiSection& s = stored.Settei;
    settingsPage_->ShowSettings(stored);
    yearPage_->SetMode(s.rgYFirstMonth);
    ApplyRokuyoDisplay(s.visRokuyou);
    applyItemFont();
    savedTop_ = s.fmC21Top;
    savedLeft_ = s.fmC21Left;
    yearPage_->SetSpecialFirstMonth(s.SpHajimariTuki);
}

KorvaneIni MainWindow::collectKorvaneIni() const {
    KorvaneIni out = korvaneIni_;  // the picture keys have no controls yet and keep their values
    out.Header.Folder = paths_.ProgramFolder;
    settingsPage_->CollectSettings(out);
    out.Settei.rgYFirstMonth = yearPage_->Mode();
    out.Settei.SpHajimariTuki = yearPage_->SpecialFirstMonth();
    out.Settei.fmC21Top = y();
    out.Settei.fmC21Left = x();
    return out;
}

bool MainWindow::SaveAllSettings() {
    if (paths_.ReadOnlySettings) return true;
    SaveProblems problems;
    IniFile printersIni(printersFile());
    SettingsWriter printers(printersIni, problems);
    PrintersSetSection set = link_.Options;
    settingsPage_->CollectOptions(set);
    set.Write(printers);
    if (!ftpReadable_) {
        problems[QStringLiteral("%1 が読めないので、書き換えません")
                     .arg(QString::fromLatin1(FtpSettings::kFileName))]
            << QStringLiteral("FTP");
    } else if (!ftp_.Save(paths_.SettingsFolder)) {
        problems[QStringLiteral("%1 に書き込めません")
                     .arg(QString::fromLatin1(FtpSettings::kFileName))]
            << QStringLiteral("FTP");
    }
    IniFile korvaneIni(settingsFile());
    SettingsWriter ini(korvaneIni, problems);
    collectKorvaneIni().Write(ini);
    printers.Commit();
    ini.Commit();
    if (problems.empty()) return true;
    // Said once a run: the same value would fail at every later save too.
    if (!saveProblemsReported_) {
        saveProblemsReported_ = true;
        QString text = QStringLiteral("ItemHozon Err\r\n次の設定を保存できませんでした。");
        for (const auto& [reason, keys] : problems)
            text += QStringLiteral("\r\n%1: %2").arg(keys.join(QStringLiteral(", ")), reason);
        Prompt::current().message(text, ConfirmCaption(), Prompt::Kind::Warning);
    }
    return false;
}

void MainWindow::showNavigation(MonthNavigation::Answer answer, bool moveGrid) {
    switch (answer) {
        case MonthNavigation::Answer::TooOld:
            ShowMessageBox(QStringLiteral("日付がむかしすぎます。"));
            return;
        case MonthNavigation::Answer::TooFar:
            ShowMessageBox(QStringLiteral("日付が未来すぎます。"));
            return;
        case MonthNavigation::Answer::Ignored:
            return;
        case MonthNavigation::Answer::Shown:
            break;
    }
    monthPage_->ShowTabs(nav_.TabCaptions(), nav_.SelectedTab());
    if (nav_.ExtraPageLoaded()) {
        MonthPage& page = grid().MonthPages()[5];
        page.Lines.clear();
        link_.LoadMonthSlot(page, nav_.Year(), nav_.Month());
        showSampleMonths();
    }
    grid().CurrentPage() = nav_.Page();
    if (!moveGrid) return;
    {
        const ScopedFlag suspended(grid().Suspended);
        grid().GoToDate(nav_.Year(), nav_.Month(), 1);
    }
    grid().UpdateCalendar();
}

void MainWindow::SelectTab(bool fromClick) {
    if (nav_.ExtraMonthMode() && monthPage_->CurrentTab() == 1) grid().setFocus();
    showNavigation(nav_.SelectTab(fromClick ? monthPage_->CurrentTab() : nav_.SelectedTab()));
}

void MainWindow::GoToMonth(const QString& yyyymm) {
    monthPage_->SetEnteredMonth(yyyymm);
    showNavigation(nav_.GoTo(yyyymm.left(4).toInt(), yyyymm.mid(4, 2).toInt()));
}

void MainWindow::monthEntered(const QString& text) {
    const int month = text.mid(4, 2).toInt();
    if (text.size() != 6 || month < 1 || month > 12) {
        ShowMessageBox(QStringLiteral("[YYYYMM]形式で、指定してください。"));
        return;
    }
    nav_.RememberPage();
    GoToMonth(text);
}

void MainWindow::StepMonth(int months) {
    showNavigation(nav_.Step(grid().Year(), grid().Month(), months));
}

void MainWindow::ShowThisMonth() {
    pageControl_->setCurrentWidget(tsMonth_);
    grid().setFocus();
    showNavigation(nav_.ShowThisMonth());
}

void MainWindow::StandardDisplay() {
    grid().setFocus();
    if (!nav_.ExtraMonthMode()) return;
    nav_.StandardDisplay();
    showNavigation(MonthNavigation::Answer::Shown);
}

void MainWindow::dayChanged() {
    if (!nav_.ExtraMonthMode()) monthPage_->SetTabWidth(grid().LenDayW());
    if (!grid().NeighborJump) return;
    const bool wasExtra = nav_.ExtraMonthMode();
    const bool overflow = std::exchange(grid().PageOverflow, false);
    const MonthNavigation::Answer answer =
        nav_.GridMoved(grid().Year(), grid().Month(), grid().CurrentPage(), overflow);
    // Within the five months the grid has moved itself; only the tab follows it.
    const bool moveGrid = wasExtra && (nav_.Page() != 5 || nav_.ExtraPageLoaded());
    if (wasExtra && !moveGrid) return;
    showNavigation(answer, moveGrid);
}

void MainWindow::ApplyWeekStart() {
    const Weekday first = settingsPage_->WeekStartsMonday() ? dowMon : dowSun;
    grid().SetFirstDayOfWeek(first);
    yearPage_->SetFirstDayOfWeek(first);
}

void MainWindow::UpdateClock() {
    clockPanel_->setText(ClockText(Clock::current().now(), settingsPage_->Clock24()));
}

void MainWindow::UpdateFolderPanel() {
    if (settingsPage_->ShowsStartFolder()) {
        folderPanel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        folderPanel_->setText(QStringLiteral("     【 起動フォルダ 】   ") + paths_.ProgramFolder +
                              QStringLiteral("  "));
    } else {
        folderPanel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        folderPanel_->clear();
    }
}

void MainWindow::OpenSettings() {
    if (pageControl_->currentWidget() == tsYear_) pageControl_->setCurrentWidget(tsMonth_);
    pageControl_->setTabVisible(pageControl_->indexOf(tsSettei_), true);
    pageControl_->setCurrentWidget(tsSettei_);
}

void MainWindow::closeSettings() { pageControl_->setCurrentWidget(tsMonth_); }

void MainWindow::pageChanged() {
    QWidget* page = pageControl_->currentWidget();
    if (page == tsSettei_) {
        settingsEntered_ = true;
        pageControl_->setTabVisible(pageControl_->indexOf(tsYear_), false);
    } else {
        pageControl_->setTabVisible(pageControl_->indexOf(tsSettei_), false);
        if (!smallScreen_) pageControl_->setTabVisible(pageControl_->indexOf(tsYear_), true);
        if (settingsEntered_) {
            settingsEntered_ = false;
            SaveAllSettings();  // says itself what could not be stored
        }
    }
    menus_.Idou->setEnabled(page == tsMonth_);
    if (page == tsYear_) yearPage_->YearModeClicked();
}

void MainWindow::StepPage(int step) {
    int i = pageControl_->currentIndex();
    for (int n = 0; n < pageControl_->count(); ++n) {
        i = (i + step + pageControl_->count()) % pageControl_->count();
        if (pageControl_->isTabVisible(i)) break;
    }
    pageControl_->setCurrentIndex(i);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_Home &&
        pageControl_->currentWidget() == tsSettei_ && settingsPage_->RevealDiagnostics())
        return;
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    SaveAllSettings();  // says itself what could not be stored
    event->accept();
}

}  // namespace korvane
