#include "mainwindow.h"

#include "calendar/daynumber.h"
#include "calendar/monthgrid.h"
#include "calendar/minicalendar.h"
#include "calendar/textlines.h"
#include "app/aboutdialog.h"
#include "app/mainsettings.h"
#include "app/updatereminderdialog.h"
#include "app/windowplacement.h"
#include "app/yearpage.h"
#include "app/utility.h"
#include "core/clock.h"
#include "core/codec.h"
#include "core/fonts.h"
#include "core/paths.h"
#include "core/prompt.h"
#include "core/scopedflag.h"
#include "settings/inifile.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QCheckBox>
#include <QCloseEvent>
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
namespace {

template <typename W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

void showMessage(const QString& text) {
    Prompt::current().message(text, MainWindow::ConfirmCaption(), Prompt::Kind::Information);
}

const QColor kGrey(0x80, 0x80, 0x80);

// Month tabs of one fixed width (a day's width), as the grid below them.
class MonthTabBar : public QTabBar {
public:
    int TabWidth = 117;

protected:
    QSize tabSizeHint(int index) const override {
        return QSize(TabWidth, QTabBar::tabSizeHint(index).height());
    }
};

}  // namespace

MainWindow::MainWindow(MainWindowPaths paths, QStringList arguments, bool smallScreen, QWidget* parent)
    : QMainWindow(parent),
      paths_(std::move(paths)),
      arguments_(std::move(arguments)),
      smallScreen_(smallScreen),
      link_(paths_.ProgramFolder) {
    setObjectName(QStringLiteral("fmC21"));
    setWindowTitle(QStringLiteral("Korvane"));
    InstallFontSubstitutions();
    setFont(FontWithHeight(kFacePGothic, -12));

    pageControl_ = named(new QTabWidget(this), "PageControl1");
    pageControl_->setTabPosition(QTabWidget::South);
    setCentralWidget(named(new QWidget(this), "PMain"));
    auto* mainLayout = new QVBoxLayout(centralWidget());
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(pageControl_);

    buildMonthPage();
    yearPage_ = new YearPage(this);
    tsYear_ = yearPage_;
    pageControl_->addTab(yearPage_, QStringLiteral("　  年  　"));
    yearPage_->MonthChosen = [this](std::int32_t year, int month) {
        pageControl_->setCurrentWidget(tsMonth_);
        nav_.RememberPage();
        GoToMonth(MonthTable::YearMonthText(year, month));
    };
    buildSettingsPage();
    buildMenus();

    clockPanel_ = new QLabel(this);
    clockPanel_->setFixedWidth(200);
    clockPanel_->setAlignment(Qt::AlignCenter);
    folderPanel_ = new QLabel(this);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(clockPanel_);
    statusBar()->addWidget(folderPanel_, 1);

    configureMonthGrid();
    if (!initialiseMonths()) {
        initialisationFailed_ = true;
        showMessage(QStringLiteral(
            "月の初期設定に失敗しました。\r\n一旦、終了させますので\r\nもう一度、立ち上げ直してください。"));
        return;  // the program ends without showing the window
    }

    timer1_ = new QTimer(this);
    timer1_->setInterval(10000);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::UpdateClock);
    timer1_->start();
    UpdateClock();
    connect(pageControl_, &QTabWidget::currentChanged, this, [this] { pageChanged(); });
    pageControl_->setCurrentWidget(tsMonth_);
    if (smallScreen_) applyCompactLayout();
}

MainWindow::~MainWindow() = default;

MiniCalendar* MainWindow::Mini(int tag) const { return yearPage_->Mini(tag); }

void MainWindow::configureMonthGrid() {
    MonthGrid& g = *monthGrid_;
    ApplyMainWindowLayout(g, smallScreen_);
    pnlMonth_->setFixedSize(g.width() - 2, g.height() - 2);
    connect(&g, &CalendarControl::dayChanged, this, [this] { dayChanged(); });
    setTabWidth(g.LenDayW());
}

void MainWindow::buildMonthPage() {
    tsMonth_ = named(new QWidget, "tsMonth");
    pageControl_->addTab(tsMonth_, QStringLiteral("　　月　　"));
    auto* outer = new QVBoxLayout(tsMonth_);
    outer->setContentsMargins(4, 4, 4, 4);

    auto* header = new QHBoxLayout;
    tcMonth_ = named(new MonthTabBar, "tcMonth");
    tcMonth_->setExpanding(false);
    tcMonth_->setDrawBase(false);
    // All five months stay whole: no scroll arrows, the header makes room instead.
    tcMonth_->setUsesScrollButtons(false);
    tcMonth_->setElideMode(Qt::ElideNone);
    connect(tcMonth_, &QTabBar::currentChanged, this, [this](int) {
        colourTabs();
        if (!tabSignalsMuted_) SelectTab(true);
    });
    header->addWidget(tcMonth_);
    header->addStretch(1);
    auto* idou = named(new QWidget, "pnlIdou1");
    auto* idouLayout = new QHBoxLayout(idou);
    idouLayout->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* name;
        const char16_t* caption;
        int months;
    } nav[] = {{"btnZengetu", u"前月", -1},
               {"btnYokugetu", u"翌月", 1},
               {"btnZennen", u"前年", -12},
               {"btnYokunen", u"翌年", 12}};
    for (const auto& n : nav) {
        auto* b = named(new QPushButton(QString::fromUtf16(n.caption)), n.name);
        const int months = n.months;
        connect(b, &QPushButton::clicked, this, [this, months] { StepMonth(months); });
        idouLayout->addWidget(b);
    }
    header->addWidget(idou);
    // A second, hidden set of the same buttons, and the hidden month entry.
    auto* idou2 = named(new QWidget, "pnlIdou2");
    auto* idou2Layout = new QHBoxLayout(idou2);
    idou2Layout->setContentsMargins(0, 0, 0, 0);
    for (const auto& n : nav) {
        auto* b = named(new QPushButton(QString::fromUtf16(n.caption)),
                        (QByteArray(n.name) + "2").constData());
        const int months = n.months;
        connect(b, &QPushButton::clicked, this, [this, months] { StepMonth(months); });
        idou2Layout->addWidget(b);
    }
    idou2->setVisible(false);
    header->addWidget(idou2);
    meNengetu_ = named(new QLineEdit, "meNengetu");
    meNengetu_->setMaxLength(6);
    meNengetu_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), meNengetu_));
    meNengetu_->setVisible(false);
    connect(meNengetu_, &QLineEdit::returnPressed, this, [this] { monthEntered(); });
    header->addWidget(meNengetu_);
    outer->addLayout(header);

    auto* body = new QHBoxLayout;
    pnlMonth_ = named(new QWidget, "pnlMonth");
    pnlMonth_->setContextMenuPolicy(Qt::CustomContextMenu);
    monthGrid_ = named(new MonthGrid(pnlMonth_), "MonthGrid");
    body->addWidget(pnlMonth_, 0, Qt::AlignTop);
    auto* pnlBtn = named(new QWidget, "pnlBtn");
    pnlBtn->setFixedWidth(56);
    auto* btnLayout = new QVBoxLayout(pnlBtn);
    btnLayout->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const char* name, const QString& caption) {
        auto* b = named(new QPushButton(caption), name);
        b->setMinimumHeight(48);
        b->setFlat(caption.isEmpty());
        btnLayout->addWidget(b);
        return b;
    };
    connect(button("btnM1", QStringLiteral("設定")), &QPushButton::clicked, this,
            [this] { openSettings(); });
    button("btnM5", QStringLiteral("印刷"))->setEnabled(false);  // the print window comes later
    connect(button("btnM9", QStringLiteral("今月")), &QPushButton::clicked, this,
            [this] { ShowThisMonth(); });
    connect(button("btnM11", QString()), &QPushButton::clicked, this,
            [this] { monthGrid_->setFocus(); });
    button("btnM14", QString());
    // The sample button only changes its own caption; what is sample data is decided at start.
    btnM16_ = button("btnM16", QString());
    connect(btnM16_, &QPushButton::clicked, this, [this] { sampleButtonClicked(); });
    btnLayout->addStretch(1);
    connect(button("btnM12", QStringLiteral("終了")), &QPushButton::clicked, this,
            [this] { close(); });
    body->addWidget(pnlBtn);
    body->addStretch(1);
    outer->addLayout(body);
    outer->addStretch(1);
}

void MainWindow::buildSettingsPage() {
    tsSettei_ = named(new QWidget, "tsSettei");
    pageControl_->addTab(tsSettei_, QStringLiteral("　 設定 　"));
    auto* outer = new QVBoxLayout(tsSettei_);
    settingsPages_ = named(new QTabWidget, "PageControl3");
    outer->addWidget(settingsPages_);

    // " 基本 ": window position, the link with the sibling program, the item font.
    auto* basic = named(new QWidget, "tsSetAll");
    settingsPages_->addTab(basic, QStringLiteral(" 基本 "));
    auto* bl = new QVBoxLayout(basic);
    auto* position = named(new QGroupBox(QStringLiteral(" 表示位置 ")), "RadioGroup1");
    auto* pl = new QHBoxLayout(position);
    radioGroup1_[0] = new QRadioButton(QStringLiteral("画面の真ん中"));
    radioGroup1_[1] = new QRadioButton(QStringLiteral("終了時位置"));
    radioGroup1_[0]->setChecked(true);
    for (QRadioButton* r : radioGroup1_) pl->addWidget(r);
    bl->addWidget(position);
    auto* print = named(new QGroupBox(QStringLiteral(" 印刷 ")), "GroupBox3");
    auto* prl = new QVBoxLayout(print);
    auto* linkBox = named(new QGroupBox(QStringLiteral("  Velmar／Tesskaとの連携  ")), "GroupBox4");
    auto* ll = new QGridLayout(linkBox);
    cbVelmar_ = named(new QCheckBox(QStringLiteral("Velmar／Tesskaのデータを使う。")), "cbVelmar");
    lblFolder1_ = named(new QLabel(QStringLiteral("Velmar／Tesskaの起動フォルダを指定：")), "lblFolder1");
    edtFolder1_ = named(new QLineEdit, "edtFolder1");
    btnFolder1_ = named(new QPushButton(QStringLiteral("…")), "btnFolder1");
    btnFolder1_->setFixedWidth(32);
    ll->addWidget(cbVelmar_, 0, 0, 1, 2);
    ll->addWidget(lblFolder1_, 1, 0, 1, 2);
    ll->addWidget(edtFolder1_, 2, 0);
    ll->addWidget(btnFolder1_, 2, 1);
    ll->addWidget(named(new QLabel(QStringLiteral("※ 次回起動後、反映されます。")), "Label14"), 3, 0, 1, 2);
    ll->addWidget(named(new QLabel(QStringLiteral("↑ 基本的には、Velmar／Tesskaから指定します。")),
                        "Label30"),
                  4, 0, 1, 2);
    ll->addWidget(named(new QLabel(QStringLiteral(
                            "Velmar／Tesskaから指定した場合、上記で指定する必要はありません。")),
                        "Label39"),
                  5, 0, 1, 2);
    connect(cbVelmar_, &QCheckBox::toggled, this, [this] { applyLinkCheckBox(); });
    connect(btnFolder1_, &QPushButton::clicked, this, [this] { chooseStartFolder(); });
    prl->addWidget(linkBox);
    cbPSelect_ = named(new QCheckBox(QStringLiteral(
                           "プリンタの選択は、出来る限りKorvaneに任せる。")),
                       "cbPSelect");
    cbPSelect_->setChecked(true);
    cbPSelect_->setVisible(false);  // stored only
    prl->addWidget(cbPSelect_);
    bl->addWidget(print);
    cbToubai_ = named(new QCheckBox(QStringLiteral("予定に等倍フォントを使う")), "cbToubai");
    cbToubai_->setChecked(true);
    connect(cbToubai_, &QCheckBox::clicked, this, [this] { applyItemFont(); });
    bl->addWidget(cbToubai_);
    cbRokuyou_ = named(new QCheckBox(QStringLiteral("六曜を表示する")), "cbRokuyou");
    connect(cbRokuyou_, &QCheckBox::clicked, this, [this](bool on) { ApplyRokuyoDisplay(on); });
    bl->addWidget(cbRokuyou_);
    // Where the sibling's files are read from; [Ctrl]+[Home] shows them.
    const char* diagnostics[] = {"lblSmpMonth", "lblVelmar1", "lblVelmar4", "lblVelmar2", "lblVelmar3"};
    for (std::size_t i = 0; i < diagnostics_.size(); ++i) {
        diagnostics_[i] = named(new QLabel, diagnostics[i]);
        diagnostics_[i]->setVisible(false);
        bl->addWidget(diagnostics_[i]);
    }
    bl->addStretch(1);

    // " その他 ": week start, sample data, status bar.
    auto* other = named(new QWidget, "TabSheet1");
    settingsPages_->addTab(other, QStringLiteral(" その他 "));
    auto* ol = new QVBoxLayout(other);
    auto* week = named(new QGroupBox(QStringLiteral(" 週の始まり ")), "rgStYoubi");
    auto* wl = new QHBoxLayout(week);
    rgStYoubi_[0] = new QRadioButton(QStringLiteral("日曜"));
    rgStYoubi_[1] = new QRadioButton(QStringLiteral("月曜"));
    rgStYoubi_[0]->setChecked(true);
    for (QRadioButton* r : rgStYoubi_) {
        wl->addWidget(r);
        connect(r, &QRadioButton::clicked, this, [this] { ApplyWeekStart(); });
    }
    ol->addWidget(week);
    cbReadSpl_ = named(
        new QCheckBox(QStringLiteral("サンプルデータを読み込まない(次回起動時より有効)。")), "cbReadSpl");
    ol->addWidget(cbReadSpl_);
    cbSample_ = named(new QCheckBox(QStringLiteral("サンプルボタンを表示しない。")), "cbSample");
    cbSample_->setChecked(true);
    cbSample_->setVisible(false);
    connect(cbSample_, &QCheckBox::clicked, this, [this] { sampleOptionClicked(); });
    ol->addWidget(cbSample_);
    cbSprite_ = named(new QCheckBox(QStringLiteral("スプライト画面を表示しない。")), "cbSprite");
    cbSprite_->setChecked(true);
    cbSprite_->setVisible(false);
    connect(cbSprite_, &QCheckBox::clicked, this, [this] { spriteOptionClicked(); });
    ol->addWidget(cbSprite_);
    ol->addWidget(named(new QLabel(QStringLiteral(
                            "Velmar／Tesskaと連携した場合、自動的に読み込みません。")),
                        "Label17"));
    auto* status = named(new QGroupBox(QStringLiteral(" ステータスバー ")), "GroupBox8");
    auto* stl = new QVBoxLayout(status);
    auto* kidouRow = new QHBoxLayout;
    kidouRow->addWidget(named(new QLabel(QStringLiteral("起動フォルダ：")), "Label15"));
    kidouRow->addWidget(named(new QLabel(WithTrailing(paths_.ProgramFolder)), "lblKidou"), 1);
    stl->addLayout(kidouRow);
    cbShiyouchuu_ =
        named(new QCheckBox(QStringLiteral("【 起動フォルダ 】ステータスバー表示")), "cbShiyouchuu");
    cbShiyouchuu_->setChecked(true);
    connect(cbShiyouchuu_, &QCheckBox::clicked, this, [this] { UpdateFolderPanel(); });
    cb24ji_ = named(new QCheckBox(QStringLiteral(" 時刻の２４時表示")), "cb24ji");
    connect(cb24ji_, &QCheckBox::clicked, this, [this] { UpdateClock(); });
    stl->addWidget(cbShiyouchuu_);
    stl->addWidget(cb24ji_);
    ol->addWidget(status);
    ol->addStretch(1);

    // " カレンダ画像 ": the calendar pictures come with their own work.
    auto* images = named(new QWidget, "tsSs");
    settingsPages_->addTab(images, QStringLiteral(" カレンダ画像 "));
    auto* il = new QVBoxLayout(images);
    il->addWidget(new QLabel(QStringLiteral("カレンダ画像の設定は、この版ではまだ使えません。")));
    il->addStretch(1);

    buildManagementPage();

    auto* closeRow = named(new QWidget, "pnlSetClose");
    auto* cl = new QHBoxLayout(closeRow);
    cl->addStretch(1);
    auto* close = named(new QPushButton(QStringLiteral("設定を閉じる")), "SetteiClose");
    connect(close, &QPushButton::clicked, this, [this] { closeSettings(); });
    cl->addWidget(close);
    outer->addWidget(closeRow);
    pageControl_->setTabVisible(pageControl_->indexOf(tsSettei_), false);
    applyLinkCheckBox();
}

void MainWindow::buildManagementPage() {
    // " 管理 ": kept hidden with its tab; only the calendar size and the screenshot flag are stored.
    auto* page = named(new QWidget, "tsKanri");
    const int index = settingsPages_->addTab(page, QStringLiteral(" 管理 "));
    settingsPages_->setTabVisible(index, false);
    auto* kl = new QVBoxLayout(page);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(new QLabel(QStringLiteral("カレンダーの大きさ：")));
    udCalSize_ = named(new QSpinBox, "udCalSize");
    udCalSize_->setRange(0, 1);
    udCalSize_->setValue(1);
    sizeRow->addWidget(udCalSize_);
    sizeRow->addWidget(new QLabel(QStringLiteral("（[0] ３行表示  [1] ５行表示）")));
    sizeRow->addStretch(1);
    kl->addLayout(sizeRow);
    auto check = [&](const char* name, const QString& caption, bool checked, bool visible) {
        auto* box = named(new QCheckBox(caption), name);
        box->setChecked(checked);
        box->setVisible(visible);
        kl->addWidget(box);
        return box;
    };
    check("cbBuki", QStringLiteral("Bravikとの連携"), true, true);
    check("cbPrivate", QStringLiteral("常時一般予定表示"), true, false);
    check("cbPrjN", QStringLiteral("Bravikと連携"), true, false);
    cbSs_ = check("cbSs", QStringLiteral("スクリーンショット"), false, true);
    cbCalendar_ = check("cbCalendar", QStringLiteral("カレンダフォーム"),
                        FileExistsIn(paths_.ProgramFolder, QStringLiteral("korvane.777")), true);
    kl->addStretch(1);
}

void MainWindow::applyLinkCheckBox() {
    const bool on = cbVelmar_->isChecked();
    lblFolder1_->setEnabled(on);
    edtFolder1_->setEnabled(on);
    btnFolder1_->setEnabled(on);
    cbSample_->setEnabled(!on);
    if (on) setSampleCaption(QString());
}

void MainWindow::setSampleCaption(const QString& caption) {
    btnM16_->setText(caption);
    btnM16_->setFlat(caption.isEmpty());
}

void MainWindow::sampleOptionClicked() {
    setSampleCaption(cbSample_->isChecked() ? QString() : QStringLiteral("サンプル\n\n表示"));
}

void MainWindow::sampleButtonClicked() {
    if (cbSample_->isChecked()) return;
    setSampleCaption(btnM16_->text().contains(u"表示") ? QStringLiteral("サンプル\n消去")
                                                        : QStringLiteral("サンプル\n表示"));
}

void MainWindow::spriteOptionClicked() {
    const QString marker = paths_.ProgramFolder + QStringLiteral("sptoff.kvn");
    if (cbSprite_->isChecked()) {
        if (QFileInfo::exists(marker)) return;
        QFile file(marker);
        const QByteArray line =
            *Cp932::encode(QStringLiteral("このフォルダのKorvaneの、スプライトは表示しません。\r\n"));
        if (!file.open(QIODevice::WriteOnly) || file.write(line) != line.size() || !file.flush())
            showMessage(QStringLiteral("[%1]が作成できません。\r\n%2")
                            .arg(QDir::toNativeSeparators(marker), file.errorString()));
    } else if (QFileInfo::exists(marker) && !QFile::remove(marker)) {
        showMessage(QStringLiteral("[%1]が削除できません。").arg(QDir::toNativeSeparators(marker)));
    }
}

void MainWindow::chooseStartFolder() {
    QString start = edtFolder1_->text().trimmed();
    if (start.isEmpty() || !QFileInfo(start).isDir()) start = paths_.ProgramFolder;
    const QString chosen =
        Prompt::current().folderName(QStringLiteral("フォルダを選択してください。"), start);
    if (chosen.isEmpty()) return;
    const QString folder = WithTrailing(chosen);
    edtFolder1_->setText(folder);
    if (!FileExistsIn(folder, QStringLiteral("Velmar.exe")) &&
        !FileExistsIn(folder, QStringLiteral("Tesska.exe")))
        showMessage(QStringLiteral("Velmar／Tesskaの起動フォルダではありません。\r\n"
                                   "起動フォルダを設定し直して下さい。"));
    edtFolder1_->setFocus();
}

void MainWindow::applyItemFont() {
    // Schedule items in a fixed-pitch face when asked.
    CalendarFont f = monthGrid_->Fonts().Font(CalendarFonts::DayOfWeek);
    f.Font.setFamily(cbToubai_->isChecked() ? kFaceGothic : kFacePGothic);
    monthGrid_->Fonts().SetFont(CalendarFonts::DayOfWeek, f);
}

void MainWindow::ApplyRokuyoDisplay(bool on) {
    cbRokuyou_->setChecked(on);
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
    entry(idouMenu_, "mnZengetu", QStringLiteral("前月(&J)"), [this] { StepMonth(-1); },
          QKeySequence(Qt::CTRL | Qt::Key_J));
    entry(idouMenu_, "mnYokugetu", QStringLiteral("翌月(&K)"), [this] { StepMonth(1); },
          QKeySequence(Qt::CTRL | Qt::Key_K));
    entry(idouMenu_, "mnZenNen", QStringLiteral("前年(&I)"), [this] { StepMonth(-12); },
          QKeySequence(Qt::CTRL | Qt::Key_I));
    entry(idouMenu_, "mnYokuNen", QStringLiteral("翌年(&M)"), [this] { StepMonth(12); },
          QKeySequence(Qt::CTRL | Qt::Key_M));
    QMenu* kinou = menu(QStringLiteral("機能(&K)"), "mnKinou");
    entry(kinou, "mnPrint", QStringLiteral("印刷(&P)"));
    QMenu* images = menu(QStringLiteral("カレンダ画像(&G)"), "mnSs", kinou);
    images->menuAction()->setEnabled(false);
    entry(images, "mnSs4", QStringLiteral("実行(&R)"), {}, QKeySequence(Qt::CTRL | Qt::Key_G));
    const bool extended = cbCalendar_->isChecked();
    entry(images, "mnPRC1", QStringLiteral("広報カレンダ"))->setVisible(extended);
    entry(images, "mnC1", QStringLiteral("今月(&1)"))->setVisible(extended);
    entry(images, "mnC2", QStringLiteral("翌月(&2)"))->setVisible(extended);
    entry(images, "mnC3", QStringLiteral("翌々月(&3)"))->setVisible(extended);
    entry(kinou, "mnPRC2", QStringLiteral("広報２"))->setVisible(extended);
    entry(kinou, "mnSsOnOff", QStringLiteral("秘密の機能"))->setVisible(false);
    QMenu* other = menu(QStringLiteral("その他(&O)"), "mnSonota");
    entry(other, "About1", QStringLiteral("バージョン情報(&A)"), [this] { ShowAbout(); });
    QAction* property = entry(other, "mnProperty", QStringLiteral("プロパティ表示(&R)"), [] {
        ShowFileProperties(QApplication::applicationFilePath());
    });
    connect(other, &QMenu::aboutToShow, this,
            [property] { property->setVisible(IsShell5OrLater()); });
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
    entry(pMenu1_, "pmPrint", QStringLiteral("印刷(&P)"));
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
    InfoReminderOffset = OffsetAfterReminder(Clock::current().today(), InfoReminderOffset, webOpened);
}

void MainWindow::ActivateMainWindow() {
    if (activating_) return;  // a message box of our own closing re-activates the window
    activating_ = true;
    if (firstShow_) {
        const ScopedFlag muted(tabSignalsMuted_);
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
    } else if (cbVelmar_->isChecked() && link_.SiblingKind == 0) {
        showMessage(QStringLiteral("Velmar／Tesskaの起動フォルダの設定は、正しいですか？\r\n"
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
    pageControl_->setCurrentWidget(tsYear_);
    pageControl_->setCurrentWidget(tsMonth_);
    if (QLayout* l = layout()) l->activate();
    adjustSize();
    setFixedSize(size());  // the window keeps its size
    PlaceWindow();
}

void MainWindow::applyCompactLayout() {
    // No year page (not even in the window's size), no picture settings, no button column.
    pageControl_->removeTab(pageControl_->indexOf(tsYear_));
    tsYear_->hide();
    settingsPages_->setTabVisible(settingsPages_->indexOf(findChild<QWidget*>("tsSs")), false);
    findChild<QWidget*>(QStringLiteral("pnlBtn"))->hide();
    radioGroup1_[0]->setChecked(true);
    radioGroup1_[0]->parentWidget()->setEnabled(false);
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
    move(WindowPosition(frameGeometry().size(), work, radioGroup1_[1]->isChecked(),
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
            if (const QString hday = FindFile(QString(), QStringLiteral("Hday.dat")); !hday.isEmpty()) {
                QStringList lines;
                LoadTextLines(lines, hday, TextFileKind::HolidayRules);
                if (!yearPage_->SetHolidayList(lines))
                    showMessage(QStringLiteral("祭日ファイル読込ミス\r\n処理は続けます。"));
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
    const ScopedFlag muted(tabSignalsMuted_);
    tcMonth_->setCurrentIndex(1);
    return ok;
}

bool MainWindow::LoadAllSettings() {
    bool ok = true;
    try {
        link_.LoadOptions(printersFile());
        cbVelmar_->setChecked(link_.Options.cbVelmar);
        edtFolder1_->setText(link_.Options.edtFolder1);
        cbReadSpl_->setChecked(link_.Options.cbReadSpl);
        cbSample_->setChecked(link_.Options.cbSample);
        cbSprite_->setChecked(link_.Options.cbSprite);
        cbPSelect_->setChecked(link_.Options.cbPSelect);
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
        diagnostics_[0]->setText(QStringLiteral("サンプル月：%1").arg(link_.SampleMonths));
        diagnostics_[1]->setText(QStringLiteral("起動　：%1").arg(link_.StartFolderPath));
        diagnostics_[2]->setText(QStringLiteral("共通　：%1").arg(link_.CommonFolder));
        diagnostics_[3]->setText(QStringLiteral("データ：%1").arg(link_.MonthDataFolder));
        diagnostics_[4]->setText(QStringLiteral("区分　：%1").arg(link_.SiblingKind));

        // The FTP settings: a file that cannot be read is not written over at the next save.
        ftpReadable_ = ftp_.Load(paths_.ProgramFolder);

        KorvaneIni stored;
        stored.Settei.fmC21Top = y();
        stored.Settei.fmC21Left = x();
        stored.Image.edtSaveFolder = paths_.ProgramFolder;
        stored.Read(IniFile(settingsFile()));
        applyKorvaneIni(stored);
    } catch (const std::exception& e) {
        ok = false;
    }
    return ok;
}

void MainWindow::applyKorvaneIni(const KorvaneIni& stored) {
    korvaneIni_ = stored;
    const SetteiSection& s = stored.Settei;
    cb24ji_->setChecked(s.cb24ji);
    cbShiyouchuu_->setChecked(s.cbShiyouchuu);
    yearPage_->SetMode(s.rgYFirstMonth);
    rgStYoubi_[std::size_t(s.rgStYoubi)]->setChecked(true);
    ApplyRokuyoDisplay(s.visRokuyou);
    cbToubai_->setChecked(s.cbToubai);
    applyItemFont();
    radioGroup1_[std::size_t(s.HyoujiIchi)]->setChecked(true);
    savedTop_ = s.fmC21Top;
    savedLeft_ = s.fmC21Left;
    yearPage_->SetSpecialFirstMonth(s.SpHajimariTuki);
    cbSs_->setChecked(false);
}

KorvaneIni MainWindow::collectKorvaneIni() const {
    KorvaneIni out = korvaneIni_;  // the picture keys have no controls yet and keep their values
    out.Header.Folder = paths_.ProgramFolder;
    SetteiSection& s = out.Settei;
    s.udCalSize = udCalSize_->value();
    s.cb24ji = cb24ji_->isChecked();
    s.cbShiyouchuu = cbShiyouchuu_->isChecked();
    s.rgYFirstMonth = yearPage_->Mode();
    s.HyoujiIchi = radioGroup1_[1]->isChecked() ? 1 : 0;
    s.fmC21Top = y();
    s.fmC21Left = x();
    s.rgStYoubi = rgStYoubi_[1]->isChecked() ? 1 : 0;
    s.visRokuyou = cbRokuyou_->isChecked();
    s.cbToubai = cbToubai_->isChecked();
    s.SpHajimariTuki = yearPage_->SpecialFirstMonth();
    out.Image.cbSs = cbSs_->isChecked();
    return out;
}

bool MainWindow::SaveAllSettings() {
    if (paths_.ReadOnlySettings) return true;
    SaveProblems problems;
    IniFile printersIni(printersFile());
    SettingsWriter printers(printersIni, problems);
    PrintersSetSection set = link_.Options;
    set.cbPSelect = cbPSelect_->isChecked();
    set.cbSample = cbSample_->isChecked();
    set.cbReadSpl = cbReadSpl_->isChecked();
    set.cbVelmar = cbVelmar_->isChecked();
    set.edtFolder1 = edtFolder1_->text();
    set.cbSprite = cbSprite_->isChecked();
    set.Write(printers);
    if (!ftpReadable_) {
        problems[QStringLiteral("%1 が読めないので、書き換えません").arg(
            QString::fromLatin1(FtpSettings::kFileName))] << QStringLiteral("FTP");
    } else if (!ftp_.Save(paths_.ProgramFolder)) {
        problems[QStringLiteral("%1 に書き込めません").arg(
            QString::fromLatin1(FtpSettings::kFileName))] << QStringLiteral("FTP");
    }
    IniFile korvaneIni(settingsFile());
    SettingsWriter ini(korvaneIni, problems);
    collectKorvaneIni().Write(ini);
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

void MainWindow::setTabWidth(int width) {
    auto* bar = static_cast<MonthTabBar*>(tcMonth_);
    if (bar->TabWidth == width) return;
    bar->TabWidth = width;
    // The bar lays its tabs out again when a tab changes.
    for (int i = 0; i < bar->count(); ++i) bar->setTabText(i, bar->tabText(i));
    bar->updateGeometry();
}

void MainWindow::colourTabs() {
    // The selected month's caption is blue.
    for (int i = 0; i < tcMonth_->count(); ++i)
        tcMonth_->setTabTextColor(i, i == tcMonth_->currentIndex() ? QColor(0, 0, 255)
                                                                   : palette().color(QPalette::WindowText));
}

void MainWindow::showNavigation(MonthNavigation::Answer answer, bool moveGrid) {
    switch (answer) {
        case MonthNavigation::Answer::TooOld: showMessage(QStringLiteral("日付がむかしすぎます。")); return;
        case MonthNavigation::Answer::TooFar: showMessage(QStringLiteral("日付が未来すぎます。")); return;
        case MonthNavigation::Answer::Ignored: return;
        case MonthNavigation::Answer::Shown: break;
    }
    {
        const ScopedFlag muted(tabSignalsMuted_);
        const QStringList captions = nav_.TabCaptions();
        QStringList shown;
        for (int i = 0; i < tcMonth_->count(); ++i) shown << tcMonth_->tabText(i);
        if (shown != captions) {
            while (tcMonth_->count() > 0) tcMonth_->removeTab(0);
            for (const QString& c : captions) tcMonth_->addTab(c);
        }
        tcMonth_->setCurrentIndex(nav_.SelectedTab());
    }
    colourTabs();
    if (nav_.ExtraPageLoaded()) {
        MonthPage& page = monthGrid_->MonthPages()[5];
        page.Lines.clear();
        link_.LoadMonthSlot(page, nav_.Year(), nav_.Month());
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
        showMessage(QStringLiteral("[YYYYMM]形式で、指定してください。"));
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
    if (!nav_.ExtraMonthMode())
        setTabWidth(monthGrid_->LenDayW());
    if (!monthGrid_->NeighborJump) return;
    const bool wasExtra = nav_.ExtraMonthMode();
    const bool overflow = std::exchange(monthGrid_->PageOverflow, false);
    const MonthNavigation::Answer answer =
        nav_.GridMoved(monthGrid_->Year(), monthGrid_->Month(), monthGrid_->CurrentPage(), overflow);
    // Within the five months the grid has moved itself; only the tab follows it.
    const bool moveGrid = wasExtra && (nav_.Page() != 5 || nav_.ExtraPageLoaded());
    if (wasExtra && !moveGrid) return;
    showNavigation(answer, moveGrid);
}

void MainWindow::ApplyWeekStart() {
    const Weekday first = rgStYoubi_[1]->isChecked() ? dowMon : dowSun;
    monthGrid_->SetFirstDayOfWeek(first);
    yearPage_->SetFirstDayOfWeek(first);
}

void MainWindow::UpdateClock() {
    clockPanel_->setText(ClockText(Clock::current().now(), cb24ji_->isChecked()));
}

void MainWindow::UpdateFolderPanel() {
    if (cbShiyouchuu_->isChecked()) {
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

void MainWindow::closeSettings() {
    pageControl_->setCurrentWidget(tsMonth_);
}

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
        pageControl_->currentWidget() == tsSettei_ && settingsPages_->currentIndex() == 0) {
        for (QLabel* l : diagnostics_) l->setVisible(true);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    SaveAllSettings();  // says itself what could not be stored
    event->accept();
}

}  // namespace korvane
