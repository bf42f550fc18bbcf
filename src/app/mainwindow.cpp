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
    InstallFontSubstitutions();
    // Dialogs share the face, and widgets are built in it rather than changed to it later.
    QApplication::setFont(FontWithHeight(kFacePGothic, -12));
    setFont(FontWithHeight(kFacePGothic, -12));

    pageControl_ = Named(new QTabWidget(this), "PageControl1");
    pageControl_->setTabPosition(QTabWidget::South);
    setCentralWidget(Named(new QWidget(this), "PMain"));
    auto* mainLayout = new QVBoxLayout(centralWidget());
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(pageControl_);

    monthPage_ = new MonthPane(this);
    tsMonth_ = monthPage_;
    pageControl_->addTab(monthPage_, QStringLiteral("　　月　　"));
    tcMonth_ = monthPage_->tcMonth;
    pnlMonth_ = monthPage_->pnlMonth;
    monthGrid_ = monthPage_->Grid;
    meNengetu_ = monthPage_->meNengetu;
    connectMonthPage();
    yearPage_ = new YearPage(this);
    tsYear_ = yearPage_;
    pageControl_->addTab(yearPage_, QStringLiteral("　  年  　"));
    yearPage_->MonthChosen = [this](std::int32_t year, int month) {
        pageControl_->setCurrentWidget(tsMonth_);
        nav_.RememberPage();
        GoToMonth(MonthTable::YearMonthText(year, month));
    };
    settingsPage_ = new SettingsPage(paths_.ProgramFolder, this);
    tsSettei_ = settingsPage_;
    pageControl_->addTab(settingsPage_, QStringLiteral("　 設定 　"));
    pageControl_->setTabVisible(pageControl_->indexOf(settingsPage_), false);
    connectSettingsPage();
    buildMenus();

    clockPanel_ = new QLabel(this);
    clockPanel_->setFixedWidth(200);
    clockPanel_->setAlignment(Qt::AlignCenter);
    folderPanel_ = new QLabel(this);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);  // the window keeps its size: nothing to grip
    statusBar()->addWidget(clockPanel_);
    statusBar()->addWidget(folderPanel_, 1);

    configureMonthGrid();
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
    monthGrid_->UpdateCalendar();
}

MainWindow::~MainWindow() = default;

std::int32_t MainWindow::ShownYear() const { return monthGrid_->Year(); }
int MainWindow::ShownMonth() const { return monthGrid_->Month(); }
bool MainWindow::WeekStartsMonday() const { return monthGrid_->FirstDayOfWeek() == dowMon; }
bool MainWindow::RokuyoDisplay() const { return settingsPage_->cbRokuyou->isChecked(); }

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

void MainWindow::configureMonthGrid() {
    sizeMonthGrid();
    connect(monthGrid_, &CalendarControl::dayChanged, this, [this] { dayChanged(); });
}

void MainWindow::sizeMonthGrid() {
    MonthGrid& g = *monthGrid_;
    ApplyMainWindowLayout(g, smallScreen_);
    pnlMonth_->setFixedSize(g.width() - 2, g.height() - 2);
    monthPage_->SetTabWidth(g.LenDayW());
}

void MainWindow::connectMonthPage() {
    MonthPane& p = *monthPage_;
    p.TabClicked = [this] { SelectTab(true); };
    p.Step = [this](int months) { StepMonth(months); };
    p.MonthEntered = [this] { monthEntered(); };
    connect(p.btnM1, &QPushButton::clicked, this, [this] { openSettings(); });
    connect(p.btnM5, &QPushButton::clicked, this, [this] { ShowPrintWindow(); });
    connect(p.btnM9, &QPushButton::clicked, this, [this] { ShowThisMonth(); });
    connect(p.btnM12, &QPushButton::clicked, this, [this] { close(); });
    connect(p.btnM16, &QPushButton::clicked, this,
            [this] { monthPage_->SampleButtonClicked(settingsPage_->cbSample->isChecked()); });
}

void MainWindow::connectSettingsPage() {
    SettingsPage& p = *settingsPage_;
    connect(p.cbVelmar, &QCheckBox::toggled, this, [this] { applyLinkCheckBox(); });
    connect(p.cbToubai, &QCheckBox::clicked, this, [this] { applyItemFont(); });
    connect(p.cbRokuyou, &QCheckBox::clicked, this, [this](bool on) { ApplyRokuyoDisplay(on); });
    for (QRadioButton* r : p.rgStYoubi)
        connect(r, &QRadioButton::clicked, this, [this] { ApplyWeekStart(); });
    connect(p.cbSample, &QCheckBox::clicked, this, [this] { sampleOptionClicked(); });
    connect(p.cbShiyouchuu, &QCheckBox::clicked, this, [this] { UpdateFolderPanel(); });
    connect(p.cb24ji, &QCheckBox::clicked, this, [this] { UpdateClock(); });
    connect(p.SetteiClose, &QPushButton::clicked, this, [this] { closeSettings(); });
}

void MainWindow::applyLinkCheckBox() {
    if (settingsPage_->cbVelmar->isChecked()) monthPage_->SetSampleCaption(QString());
}

void MainWindow::sampleOptionClicked() {
    monthPage_->SetSampleCaption(
        settingsPage_->cbSample->isChecked() ? QString() : QStringLiteral("サンプル\n\n表示"));
}

void MainWindow::applyItemFont() {
    // Schedule items in a fixed-pitch face when asked.
    CalendarFont f = monthGrid_->Fonts().Font(CalendarFonts::DayOfWeek);
    f.Font.setFamily(
        InstalledFamily(settingsPage_->cbToubai->isChecked() ? kFaceGothic : kFacePGothic));
    monthGrid_->Fonts().SetFont(CalendarFonts::DayOfWeek, f);
}

void MainWindow::ApplyRokuyoDisplay(bool on) {
    settingsPage_->cbRokuyou->setChecked(on);
    monthGrid_->Fonts().SetColor(CalendarFonts::Rokuyo, link_.RokuyoColor);
    monthGrid_->SetShowRokuyo(on);
}

void MainWindow::buildMenus() {
    auto menu = [this](const QString& caption, const char* name, QMenu* parent = nullptr) {
        QMenu* m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    // Entries of functions still to come are there, disabled.
    auto entry = [this](QMenu* m, const char* name, const QString& caption,
                        std::function<void()> action = {}, QKeySequence key = {}) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) a->setShortcut(key);
        if (action)
            connect(a, &QAction::triggered, this, [action = std::move(action)] { action(); });
        else
            a->setEnabled(false);
        return a;
    };
    QMenu* file = menu(QStringLiteral("ファイル(&F)"), "mnFile");
    entry(file, "Exit1", QStringLiteral("終了(&X)"), [this] { close(); });
    QMenu* view = menu(QStringLiteral("表示(&V)"), "mnhyouji");
    view->menuAction()->setVisible(false);
    entry(view, "N1", QStringLiteral("設定表示(&S)"), [this] { openSettings(); });
    idouMenu_ = menu(QStringLiteral("移動(&G)"), "mnIdou");
    entry(
        idouMenu_, "mnZengetu", QStringLiteral("前月(&J)"), [this] { StepMonth(-1); },
        QKeySequence(Qt::CTRL | Qt::Key_J));
    entry(
        idouMenu_, "mnYokugetu", QStringLiteral("翌月(&K)"), [this] { StepMonth(1); },
        QKeySequence(Qt::CTRL | Qt::Key_K));
    entry(
        idouMenu_, "mnZenNen", QStringLiteral("前年(&I)"), [this] { StepMonth(-12); },
        QKeySequence(Qt::CTRL | Qt::Key_I));
    entry(
        idouMenu_, "mnYokuNen", QStringLiteral("翌年(&M)"), [this] { StepMonth(12); },
        QKeySequence(Qt::CTRL | Qt::Key_M));
    QMenu* kinou = menu(QStringLiteral("機能(&K)"), "mnKinou");
    entry(kinou, "mnPrint", QStringLiteral("印刷(&P)"), [this] { ShowPrintWindow(); });
    QMenu* images = menu(QStringLiteral("カレンダ画像(&G)"), "mnSs", kinou);
    images->menuAction()->setEnabled(false);
    entry(images, "mnSs4", QStringLiteral("実行(&R)"), {}, QKeySequence(Qt::CTRL | Qt::Key_G));
    const bool extended = settingsPage_->cbCalendar->isChecked();
    entry(images, "mnPRC1", QStringLiteral("広報カレンダ"))->setVisible(extended);
    entry(images, "mnC1", QStringLiteral("今月(&1)"))->setVisible(extended);
    entry(images, "mnC2", QStringLiteral("翌月(&2)"))->setVisible(extended);
    entry(images, "mnC3", QStringLiteral("翌々月(&3)"))->setVisible(extended);
    entry(kinou, "mnPRC2", QStringLiteral("広報２"))->setVisible(extended);
    entry(kinou, "mnSsOnOff", QStringLiteral("秘密の機能"))->setVisible(false);
    QMenu* other = menu(QStringLiteral("その他(&O)"), "mnSonota");
    entry(other, "About1", QStringLiteral("バージョン情報(&A)"), [this] { ShowAbout(); });
    // Every Linux desktop has a file manager to show the properties: the item is always there.
    entry(other, "mnProperty", QStringLiteral("プロパティ表示(&R)"),
          [] { ShowFileProperties(QApplication::applicationFilePath()); });
    entry(other, "mnWeb", QStringLiteral("「Korvane」のWebサイト表示"), [] { OpenMakerWebPage(); });
    mnInfo_ = entry(other, "mnInfo", QStringLiteral("インフォメーション"), [this] { ShowInfo(); });
    mnInfo_->setVisible(false);
    entry(other, "mnSettei", QStringLiteral("オプション設定(&O)"), [this] { openSettings(); });
    entry(other, "mnHyoujun", QStringLiteral("標準表示(&D)"), [this] { StandardDisplay(); });
    entry(other, "mnSetup", QStringLiteral("セットアップ(&S)"));
    entry(other, "mnKidou", QStringLiteral("起動設定(&K)"));
    // The window sees Alt+arrows before any of its controls.
    for (const int step : {1, -1}) {
        auto* a = new QAction(this);
        a->setShortcut(QKeyCombination(Qt::AltModifier, step > 0 ? Qt::Key_Right : Qt::Key_Left));
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, [this, step] { stepPage(step); });
        addAction(a);
    }
    QMenu* kanri = menu(QStringLiteral("管理"), "mnKanri");
    kanri->menuAction()->setVisible(false);
    entry(kanri, "mnisSs", QStringLiteral("スクリーンショット"), {},
          QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S))
        ->setVisible(false);

    pMenu1_ = new QMenu(this);
    pMenu1_->setObjectName(QStringLiteral("pMenu1"));
    entry(pMenu1_, "pmPrint", QStringLiteral("印刷(&P)"), [this] { ShowPrintWindow(); });
    pMenu1_->addSeparator();
    popupQuit_ = pMenu1_->addAction(QStringLiteral("Korvane終了(&X)"), this, [this] { close(); });
    connect(pnlMonth_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        popupQuit_->setEnabled(!(monthGrid_->SelStart != 0 && monthGrid_->HighlightClicked));
        pMenu1_->popup(pnlMonth_->mapToGlobal(at));
    });
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
        const ScopedFlag muted(monthPage_->TabSignalsMuted);
        tcMonth_->setCurrentIndex(nav_.SelectedTab());
        monthGrid_->setFocus();
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
    } else if (settingsPage_->cbVelmar->isChecked() && link_.SiblingKind == 0) {
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
    settingsPage_->PageControl3->setTabVisible(
        settingsPage_->PageControl3->indexOf(findChild<QWidget*>("tsSs")), false);
    findChild<QWidget*>(QStringLiteral("pnlBtn"))->hide();
    settingsPage_->RadioGroup1[0]->setChecked(true);
    settingsPage_->RadioGroup1[0]->parentWidget()->setEnabled(false);
    // Only the month page decides the window's size.
    tsYear_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    tsSettei_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    // The navigation buttons shrink to a third of a day's width so the header fits the grid.
    const int w = int(std::lround(monthGrid_->LenDayW() / 3.0));
    tcMonth_->setMinimumWidth(5 * monthGrid_->LenDayW() + 4);
    if (auto* idou = findChild<QWidget*>(QStringLiteral("pnlIdou1")); idou && idou->layout())
        idou->layout()->setSpacing(2);
    for (const char* name : {"btnZengetu", "btnYokugetu", "btnZennen", "btnYokunen"}) {
        auto* b = findChild<QPushButton*>(QString::fromLatin1(name));
        b->setFixedWidth(w);
        b->setStyleSheet(QStringLiteral("padding: 0px;"));
    }
}

void MainWindow::PlaceWindow() {
    const QScreen* screen = this->screen();
    PlaceWindow(screen ? screen->availableGeometry() : QRect());
}

void MainWindow::PlaceWindow(const QRect& work) {
    move(WindowPosition(frameGeometry().size(), work, settingsPage_->RadioGroup1[1]->isChecked(),
                        QPoint(savedLeft_, savedTop_), smallScreen_, pos()));
}

bool MainWindow::initialiseMonths() {
    bool ok = true;
    {
        const ScopedFlag suspended(monthGrid_->Suspended);
        try {
            todayDay_ = TodayDayNumber();
            const Ymd today = DecodeYmd(todayDay_);
            monthGrid_->SetDayNumber(todayDay_);
            nav_.Start(today.y, today.m);
            showNavigation(MonthNavigation::Answer::Shown, false);
            ok = LoadAllSettings();
            ApplyWeekStart();
            UpdateFolderPanel();
            monthGrid_->CurrentPage() = 1;
            // The holiday file of the working folder, for the year page.
            if (const QString hday = FindFile(QString(), QStringLiteral("Hday.dat"));
                !hday.isEmpty()) {
                QStringList lines;
                LoadTextLines(lines, hday, TextFileKind::HolidayRules);
                if (!yearPage_->SetHolidayList(lines))
                    ShowMessageBox(QStringLiteral("祭日ファイル読込ミス\r\n処理は続けます。"));
            } else {
                yearPage_->SetHolidayList(monthGrid_->HolidayList());
            }
            yearPage_->SetCurrentMonth(nav_.Months().Entry(1).Year, nav_.Months().Entry(1).Month);
            yearPage_->ShowYearOfMode();
        } catch (const std::exception&) {
            ok = false;
        }
    }
    monthGrid_->UpdateCalendar();
    const ScopedFlag muted(monthPage_->TabSignalsMuted);
    tcMonth_->setCurrentIndex(1);
    return ok;
}

void MainWindow::showSampleMonths() {
    settingsPage_->Diagnostics[0]->setText(
        QStringLiteral("サンプル月：%1").arg(link_.SampleMonths));
}

bool MainWindow::LoadAllSettings() {
    bool ok = true;
    // Each settings file is read once, however many keys and checks follow.
    const IniFile::Hold printersOnce(printersFile()), korvaneOnce(settingsFile());
    try {
        link_.LoadOptions(printersFile());
        settingsPage_->cbVelmar->setChecked(link_.Options.cbVelmar);
        settingsPage_->edtFolder1->setText(link_.Options.edtFolder1);
        settingsPage_->cbReadSpl->setChecked(link_.Options.cbReadSpl);
        settingsPage_->cbSample->setChecked(link_.Options.cbSample);
        settingsPage_->cbSprite->setChecked(link_.Options.cbSprite);
        settingsPage_->cbPSelect->setChecked(link_.Options.cbPSelect);
        link_.Resolve(arguments_);
        link_.LoadRuleFiles(*monthGrid_);
        monthGrid_->SetTabMojiSuu(std::uint8_t(link_.TabMojiSuu));
        monthGrid_->SetTabChousei(std::uint8_t(link_.TabChousei));
        monthGrid_->ItemColor = link_.ItemColor;
        monthGrid_->SetUeTume(link_.Options.cbUetume);
        for (int i = 0; i < 5; ++i)
            link_.LoadMonthSlot(monthGrid_->MonthPages()[std::size_t(i)],
                                nav_.Months().Entry(i).Year, nav_.Months().Entry(i).Month);
        link_.LoadPeriodFile(monthGrid_->PeriodList());
        showSampleMonths();
        settingsPage_->Diagnostics[1]->setText(
            QStringLiteral("起動　：%1").arg(link_.StartFolderPath));
        settingsPage_->Diagnostics[2]->setText(
            QStringLiteral("共通　：%1").arg(link_.CommonFolder));
        settingsPage_->Diagnostics[3]->setText(
            QStringLiteral("データ：%1").arg(link_.MonthDataFolder));
        settingsPage_->Diagnostics[4]->setText(QStringLiteral("区分　：%1").arg(link_.SiblingKind));

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
    settingsPage_->cb24ji->setChecked(s.cb24ji);
    settingsPage_->cbShiyouchuu->setChecked(s.cbShiyouchuu);
    yearPage_->SetMode(s.rgYFirstMonth);
    settingsPage_->rgStYoubi[std::size_t(s.rgStYoubi)]->setChecked(true);
    ApplyRokuyoDisplay(s.visRokuyou);
    settingsPage_->cbToubai->setChecked(s.cbToubai);
    applyItemFont();
    settingsPage_->RadioGroup1[std::size_t(s.HyoujiIchi)]->setChecked(true);
    savedTop_ = s.fmC21Top;
    savedLeft_ = s.fmC21Left;
    yearPage_->SetSpecialFirstMonth(s.SpHajimariTuki);
    settingsPage_->cbSs->setChecked(false);
}

KorvaneIni MainWindow::collectKorvaneIni() const {
    KorvaneIni out = korvaneIni_;  // the picture keys have no controls yet and keep their values
    out.Header.Folder = paths_.ProgramFolder;
    SetteiSection& s = out.Settei;
    s.udCalSize = settingsPage_->udCalSize->value();
    s.cb24ji = settingsPage_->cb24ji->isChecked();
    s.cbShiyouchuu = settingsPage_->cbShiyouchuu->isChecked();
    s.rgYFirstMonth = yearPage_->Mode();
    s.HyoujiIchi = settingsPage_->RadioGroup1[1]->isChecked() ? 1 : 0;
    s.fmC21Top = y();
    s.fmC21Left = x();
    s.rgStYoubi = settingsPage_->rgStYoubi[1]->isChecked() ? 1 : 0;
    s.visRokuyou = settingsPage_->cbRokuyou->isChecked();
    s.cbToubai = settingsPage_->cbToubai->isChecked();
    s.SpHajimariTuki = yearPage_->SpecialFirstMonth();
    out.Image.cbSs = settingsPage_->cbSs->isChecked();
    return out;
}

bool MainWindow::SaveAllSettings() {
    if (paths_.ReadOnlySettings) return true;
    SaveProblems problems;
    IniFile printersIni(printersFile());
    SettingsWriter printers(printersIni, problems);
    PrintersSetSection set = link_.Options;
    set.cbPSelect = settingsPage_->cbPSelect->isChecked();
    set.cbSample = settingsPage_->cbSample->isChecked();
    set.cbReadSpl = settingsPage_->cbReadSpl->isChecked();
    set.cbVelmar = settingsPage_->cbVelmar->isChecked();
    set.edtFolder1 = settingsPage_->edtFolder1->text();
    set.cbSprite = settingsPage_->cbSprite->isChecked();
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
    {
        const ScopedFlag muted(monthPage_->TabSignalsMuted);
        const QStringList captions = nav_.TabCaptions();
        QStringList shown;
        for (int i = 0; i < tcMonth_->count(); ++i) shown << tcMonth_->tabText(i);
        if (shown != captions) {
            while (tcMonth_->count() > 0) tcMonth_->removeTab(0);
            for (const QString& c : captions) tcMonth_->addTab(c);
            // A hidden bar does not tell its layout that it has grown.
            tcMonth_->updateGeometry();
        }
        tcMonth_->setCurrentIndex(nav_.SelectedTab());
    }
    monthPage_->ColourTabs();
    if (nav_.ExtraPageLoaded()) {
        MonthPage& page = monthGrid_->MonthPages()[5];
        page.Lines.clear();
        link_.LoadMonthSlot(page, nav_.Year(), nav_.Month());
        showSampleMonths();
    }
    monthGrid_->CurrentPage() = nav_.Page();
    if (!moveGrid) return;
    {
        const ScopedFlag suspended(monthGrid_->Suspended);
        monthGrid_->GoToDate(nav_.Year(), nav_.Month(), 1);
    }
    monthGrid_->UpdateCalendar();
}

void MainWindow::SelectTab(bool fromClick) {
    if (nav_.ExtraMonthMode() && tcMonth_->currentIndex() == 1) monthGrid_->setFocus();
    showNavigation(nav_.SelectTab(fromClick ? tcMonth_->currentIndex() : nav_.SelectedTab()));
}

void MainWindow::GoToMonth(const QString& yyyymm) {
    meNengetu_->setText(yyyymm);
    showNavigation(nav_.GoTo(yyyymm.left(4).toInt(), yyyymm.mid(4, 2).toInt()));
}

void MainWindow::monthEntered() {
    const QString text = meNengetu_->text();
    const int month = text.mid(4, 2).toInt();
    if (text.size() != 6 || month < 1 || month > 12) {
        ShowMessageBox(QStringLiteral("[YYYYMM]形式で、指定してください。"));
        return;
    }
    nav_.RememberPage();
    GoToMonth(text);
}

void MainWindow::StepMonth(int months) {
    showNavigation(nav_.Step(monthGrid_->Year(), monthGrid_->Month(), months));
}

void MainWindow::ShowThisMonth() {
    pageControl_->setCurrentWidget(tsMonth_);
    monthGrid_->setFocus();
    showNavigation(nav_.ShowThisMonth());
}

void MainWindow::StandardDisplay() {
    monthGrid_->setFocus();
    if (!nav_.ExtraMonthMode()) return;
    nav_.StandardDisplay();
    showNavigation(MonthNavigation::Answer::Shown);
}

void MainWindow::dayChanged() {
    if (!nav_.ExtraMonthMode()) monthPage_->SetTabWidth(monthGrid_->LenDayW());
    if (!monthGrid_->NeighborJump) return;
    const bool wasExtra = nav_.ExtraMonthMode();
    const bool overflow = std::exchange(monthGrid_->PageOverflow, false);
    const MonthNavigation::Answer answer = nav_.GridMoved(monthGrid_->Year(), monthGrid_->Month(),
                                                          monthGrid_->CurrentPage(), overflow);
    // Within the five months the grid has moved itself; only the tab follows it.
    const bool moveGrid = wasExtra && (nav_.Page() != 5 || nav_.ExtraPageLoaded());
    if (wasExtra && !moveGrid) return;
    showNavigation(answer, moveGrid);
}

void MainWindow::ApplyWeekStart() {
    const Weekday first = settingsPage_->rgStYoubi[1]->isChecked() ? dowMon : dowSun;
    monthGrid_->SetFirstDayOfWeek(first);
    yearPage_->SetFirstDayOfWeek(first);
}

void MainWindow::UpdateClock() {
    clockPanel_->setText(ClockText(Clock::current().now(), settingsPage_->cb24ji->isChecked()));
}

void MainWindow::UpdateFolderPanel() {
    if (settingsPage_->cbShiyouchuu->isChecked()) {
        folderPanel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        folderPanel_->setText(QStringLiteral("     【 起動フォルダ 】   ") + paths_.ProgramFolder +
                              QStringLiteral("  "));
    } else {
        folderPanel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        folderPanel_->clear();
    }
}

void MainWindow::openSettings() {
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
    idouMenu_->setEnabled(page == tsMonth_);
    if (page == tsYear_) yearPage_->YearModeClicked();
}

void MainWindow::stepPage(int step) {
    int i = pageControl_->currentIndex();
    for (int n = 0; n < pageControl_->count(); ++n) {
        i = (i + step + pageControl_->count()) % pageControl_->count();
        if (pageControl_->isTabVisible(i)) break;
    }
    pageControl_->setCurrentIndex(i);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_Home &&
        pageControl_->currentWidget() == tsSettei_ &&
        settingsPage_->PageControl3->currentIndex() == 0) {
        for (QLabel* l : settingsPage_->Diagnostics) l->setVisible(true);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    SaveAllSettings();  // says itself what could not be stored
    event->accept();
}

}  // namespace korvane
