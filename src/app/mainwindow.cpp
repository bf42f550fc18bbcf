#include "mainwindow.h"

#include "print/engine/cupsprintsystem.h"
#include "print/printwindow.h"

#include "app/aboutdialog.h"
#include "app/monthpane.h"
#include "app/settingspage.h"
#include "app/setupwindow.h"
#include "app/updatereminderdialog.h"
#include "app/utility.h"
#include "app/widgetnames.h"
#include "app/windowplacement.h"
#include "app/yearpage.h"
#include "calendar/monthgrid.h"
#include "calendar/textlines.h"
#include "core/clock.h"
#include "core/fonts.h"
#include "core/paths.h"
#include "core/prompt.h"
#include "core/scopedflag.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>
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
    clockPanel_->setObjectName(QStringLiteral("pnlClock"));
    clockPanel_->setFixedWidth(200);
    clockPanel_->setAlignment(Qt::AlignCenter);
    folderPanel_ = new QLabel(this);
    folderPanel_->setObjectName(QStringLiteral("pnlFolder"));
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
    connect(p, &SettingsPage::PicturesClicked, this,
            [this] { menus_.Pictures->menuAction()->setEnabled(PicturesOn()); });
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

void MainWindow::ShowSetup(int mode) {
    // The new copy a set-up starts reads the settings as they are now.
    if (mode == SetupWindow::SetupPage) SaveAllSettings();
    SetupWindow setup(SetupWindow::Mode(mode),
                      {{QCoreApplication::applicationFilePath(), paths_.ProgramFolder},
                       paths_.SettingsFolder + QStringLiteral("Korvane.ini"),
                       paths_.ReadOnlySettings},
                      this);
    if (setup.exec() == SetupWindow::Restarted) close();
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
        // Offered once, at the first start from a new medium, after the window is up.
        if (askSetup_ && (paths_.RunFromCd || paths_.FirstRunFlag))
            QTimer::singleShot(0, this, [this] {
                if (Prompt::current().askYesNo(
                        QStringLiteral("「Korvane」") + QString::fromUtf16(kVersionText) +
                            QStringLiteral(
                                " のセットアップを今すぐ行いますか？\r\n\r\n[はい]----セットアップ"
                                "フォーム表示\r\n[いいえ]--「Korvane」の通常起動\r\n\r\nこの確認は"
                                "、初回起動時１回しか表示されません。\r\n[いいえ]"
                                "の場合は、「Korvane」"
                                "から通常のセットアップを行ってください。"),
                        ConfirmCaption()))
                    ShowSetup(SetupWindow::SetupPage);
            });
        askSetup_ = false;
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
