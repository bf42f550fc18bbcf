#include "printwindow.h"

#include "calendar/monthgrid.h"
#include "core/clock.h"
#include "core/prompt.h"
#include "print/engine/progresswindow.h"
#include "print/monthprintjob.h"
#include "print/printerpresets.h"
#include "print/printhost.h"
#include "print/stationery/stationeryjob.h"
#include "print/stationery/stationerypage.h"
#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include "widgets/named.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>
#include <tuple>

namespace korvane {
namespace {

const QString kCaption = QStringLiteral("確認 -Korvane-");

QSpinBox* spinner(const char* name, int lo, int hi, int value, QWidget* parent) {
    auto* s = named(new QSpinBox(parent), name);
    s->setRange(lo, hi);
    s->setValue(value);
    return s;
}

}  // namespace

PrintWindow::PrintWindow(PrintHost& host, PrintSystem& system, QString settingsFolder,
                         QWidget* parent, bool readOnlySettings)
    : QDialog(parent),
      ReadOnlySettings(readOnlySettings),
      host_(host),
      settingsFolder_(std::move(settingsFolder)),
      plSetPrinter1_(system),
      progress_(std::make_unique<ProgressWindow>()) {
    setObjectName(QStringLiteral("fmPrint"));
    setWindowTitle(QStringLiteral("印刷"));
    plSetPrinter1_.Select();  // the default printer until a preset says otherwise
    plPrev1_.SetPrinterSetup(&plSetPrinter1_);

    auto* root = new QVBoxLayout(this);
    auto* menu = named(new QMenuBar(this), "MainMenu1");
    root->setMenuBar(menu);

    auto* current = new QGroupBox(QStringLiteral(" 現在のプリンタの設定 "), this);
    auto* currentRow = new QHBoxLayout(current);
    const auto labelPair = [&](const QString& text, const char* name) {
        currentRow->addWidget(new QLabel(text, current));
        auto* value = named(new QLabel(current), name);
        currentRow->addWidget(value);
        currentRow->addSpacing(12);
        return value;
    };
    lblYoushiMei_ = labelPair(QStringLiteral("用紙分類名："), "lblYoushiMei");
    lblPName_ = labelPair(QStringLiteral("プリンタドライバ名："), "lblPName");
    lblPSize_ = labelPair(QStringLiteral("用紙サイズ："), "lblPSize");
    lblHoukou_ = labelPair(QStringLiteral("方向："), "lblHoukou");
    currentRow->addStretch();
    root->addWidget(current);

    auto* body = new QHBoxLayout;
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    body->addWidget(PageControl1, 1);
    buildPrintPage();
    buildCalendarPage();
    buildPapersPage();
    buildPrintersPage();
    buildSharedPanel();
    body->addWidget(pnlKyoutuu);
    root->addLayout(body, 1);
    buildMenu(menu);

    PageControl1->setTabVisible(PageControl1->indexOf(tsPrinters), false);
    PageControl1->setCurrentWidget(tsInsatu);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageChanged(); });

    LoadSettings();
    RefreshMonthLabel();
    presets_->ReadOnly = ReadOnlySettings;
    stationery_->ReadOnly = ReadOnlySettings;
    presets_->Start();
    refreshPrinterLabels();
    connect(&plSetPrinter1_, &PrinterSetup::PrinterChange, this,
            [this] { refreshPrinterLabels(); });
    resize(764, 510);
}

PrintWindow::~PrintWindow() = default;

void PrintWindow::buildPrintPage() {
    tsInsatu = named(new QWidget, "tsInsatu");
    PageControl1->addTab(tsInsatu, QStringLiteral("　カレンダ印刷　"));
    auto* v = new QVBoxLayout(tsInsatu);

    auto* monthRow = new QHBoxLayout;
    monthRow->addWidget(new QLabel(QStringLiteral("印刷年月："), tsInsatu));
    lblYYMM_ = named(new QLabel(tsInsatu), "lblYYMM");
    QFont big = lblYYMM_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    lblYYMM_->setFont(big);
    monthRow->addWidget(lblYYMM_);
    auto* back = named(new QPushButton(QStringLiteral("前月"), tsInsatu), "btnZengetu");
    auto* next = named(new QPushButton(QStringLiteral("翌月"), tsInsatu), "btnYokugetu");
    connect(back, &QPushButton::clicked, this, [this] { btnZengetuClick(); });
    connect(next, &QPushButton::clicked, this, [this] { btnYokugetuClick(); });
    monthRow->addSpacing(16);
    monthRow->addWidget(back);
    monthRow->addWidget(next);
    monthRow->addStretch();
    v->addLayout(monthRow);

    const auto layoutButton = [this](QWidget* parent, const QString& text, const char* key) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QStringLiteral("btn") + QLatin1String(key));
        b->setMinimumHeight(32);
        const QString k = QString::fromLatin1(key);
        connect(b, &QPushButton::clicked, this, [this, k] { LayoutButtonClick(k); });
        return b;
    };

    auto* blank = new QGroupBox(QStringLiteral("白紙のカレンダ（祝祭日）"), tsInsatu);
    auto* blankRow = new QHBoxLayout(blank);
    blankRow->addWidget(layoutButton(blank, QStringLiteral("Ｂ５横"), "HB5"));
    blankRow->addWidget(layoutButton(blank, QStringLiteral("はがき"), "HHagaki"));
    blankRow->addWidget(layoutButton(blank, QStringLiteral("Ａ４縦（２ヶ月）"), "HA4W"));
    blankRow->addWidget(layoutButton(blank, QStringLiteral("Ａ４横"), "HA4"));
    blankRow->addWidget(layoutButton(blank, QStringLiteral("Ａ３横"), "HA3"));
    v->addWidget(blank);

    auto* data = named(
        new QGroupBox(QStringLiteral("Velmar／Tesskaのカレンダ（祝祭日、記念日、スケジュール）"),
                      tsInsatu),
        "gbInsatsuvelmar");
    auto* grid = new QGridLayout(data);
    const struct {
        const char16_t* text;
        const char* key;
        const char* spinner;
        int lo, hi, value;
    } dataButtons[] = {
        {u"Ｂ５横", "MB5", "udMB5", 3, 7, 5},
        {u"Ａ４縦（２ヶ月）", "MA4W", "udMA4W", 2, 5, 3},
        {u"Ａ４横", "MA4", "udMA4", 3, 7, 5},
        {u"Ａ３横", "MA3", "udMA3", 5, 9, 7},
    };
    int col = 0;
    for (const auto& d : dataButtons) {
        grid->addWidget(layoutButton(data, QString::fromUtf16(d.text), d.key), 0, col, 1, 2);
        grid->addWidget(new QLabel(QStringLiteral("予定行数"), data), 1, col, Qt::AlignRight);
        grid->addWidget(spinner(d.spinner, d.lo, d.hi, d.value, data), 1, col + 1);
        col += 2;
    }
    v->addWidget(data);

    auto* year = new QGroupBox(QStringLiteral(" 年カレンダー "), tsInsatu);
    auto* yearRow = new QHBoxLayout(year);
    yearRow->addWidget(new QLabel(QStringLiteral("※印刷年月より１２ヶ月"), year));
    cbKeisen_ = named(new QCheckBox(QStringLiteral("罫線"), year), "cbKeisen");
    cbKeisen_->setChecked(true);
    yearRow->addWidget(cbKeisen_);
    for (const auto& [text, name, b5] :
         {std::tuple{u"Ｂ５縦", "btnCB5V", true}, {u"Ａ４縦", "btnCA4V", false}}) {
        auto* b = named(new QPushButton(QString::fromUtf16(text), year), name);
        b->setMinimumHeight(32);
        connect(b, &QPushButton::clicked, this, [this, b5 = b5] { YearButtonClick(b5); });
        yearRow->addWidget(b);
    }
    yearRow->addStretch();
    v->addWidget(year);
    v->addStretch();
}

void PrintWindow::buildCalendarPage() {
    tsCal = named(new QWidget, "tsCal");
    PageControl1->addTab(tsCal, QStringLiteral("  カレンダ設定  "));
    auto* h = new QHBoxLayout(tsCal);

    auto* common = new QGroupBox(QStringLiteral("共通"), tsCal);
    auto* c = new QVBoxLayout(common);
    auto* titleRow = new QHBoxLayout;
    cbTitle_ = named(new QCheckBox(QStringLiteral("タイトル記入"), common), "cbTitle");
    edtTitle_ = named(new QLineEdit(common), "edtTitle");
    titleRow->addWidget(cbTitle_);
    titleRow->addWidget(edtTitle_);
    c->addLayout(titleRow);
    auto* rg = named(new QGroupBox(QStringLiteral(" タイトル形式 "), common), "rgTitle");
    auto* rgRow = new QHBoxLayout(rg);
    const char16_t* formats[] = {u"年月", u"年月+タイトル", u"タイトルのみ"};
    for (int i = 0; i < 3; ++i) {
        rgTitle_[i] = new QRadioButton(QString::fromUtf16(formats[i]), rg);
        rgTitle_[i]->setObjectName(QStringLiteral("rgTitle%1").arg(i));
        rgRow->addWidget(rgTitle_[i]);
    }
    c->addWidget(rg);
    cbDate_ = named(new QCheckBox(QStringLiteral("作成日付記入"), common), "cbDate");
    cbSaijitu_ = named(new QCheckBox(QStringLiteral("祭日名記入"), common), "cbSaijitu");
    cbAmikake_ = named(new QCheckBox(QStringLiteral("曜日欄の網掛け"), common), "cbAmikake");
    cbRokuyou_ = named(new QCheckBox(QStringLiteral("六曜記入"), common), "cbRokuyou");
    for (QCheckBox* b : {cbDate_, cbSaijitu_, cbAmikake_, cbRokuyou_}) c->addWidget(b);
    connect(cbRokuyou_, &QCheckBox::clicked, this,
            [this](bool on) { host_.ApplyRokuyoDisplay(on); });
    auto* change = named(new QPushButton(QStringLiteral("プリンタ設定"), common), "btnHenkou");
    connect(change, &QPushButton::clicked, this, [this] {
        ShowPage(PageControl1->currentWidget() == tsPrinters ? tsInsatu : tsPrinters);
    });
    c->addWidget(change, 0, Qt::AlignLeft);
    auto* info = named(new QLabel(common), "lblPrint");
    info->setText(QStringLiteral(
        "プリンタ設定（用紙、縦・横）は自動で行いますので、\r\nプリンタ設定は必要有りません。\r\n"
        "印字品質等を変更されたい場合は、\r\nプレビュー後の印字確認で、\r\n"
        "プリンタ「プロパティ」を変更してください。"));
    c->addWidget(info);
    c->addStretch();
    h->addWidget(common, 1);

    auto* sibling = named(new QGroupBox(QStringLiteral("Velmar／Tesska"), tsCal), "gbVelmarOp");
    auto* s = new QVBoxLayout(sibling);
    cbKinenbi_ = named(new QCheckBox(QStringLiteral("記念日記入"), sibling), "cbKinenbi");
    s->addWidget(cbKinenbi_);
    auto* items = new QGroupBox(QStringLiteral(" 予定 "), sibling);
    auto* it = new QVBoxLayout(items);
    cbNaiyou_ = named(new QCheckBox(QStringLiteral("予定記入"), items), "cbNaiyou");
    cbUetume_ = named(new QCheckBox(QStringLiteral("予定上詰め"), items), "cbUetume");
    connect(cbUetume_, &QCheckBox::clicked, this,
            [this](bool on) { host_.ShownGrid().SetUeTume(on); });
    it->addWidget(cbNaiyou_);
    it->addWidget(cbUetume_);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(new QLabel(QStringLiteral("フォント："), items));
    rbFontM2_ = named(new QRadioButton(QStringLiteral("明朝"), items), "rbFontM2");
    rbFontG2_ = named(new QRadioButton(QStringLiteral("ゴシック"), items), "rbFontG2");
    fontRow->addWidget(rbFontM2_);
    fontRow->addWidget(rbFontG2_);
    fontRow->addStretch();
    it->addLayout(fontRow);
    s->addWidget(items);
    s->addStretch();
    h->addWidget(sibling, 1);
}

void PrintWindow::buildPapersPage() {
    stationery_ = new StationeryPage(settingsFolder_ + QStringLiteral("Printers.ini"));
    tsPapers = named(static_cast<QWidget*>(stationery_), "tsPapers");
    PageControl1->addTab(tsPapers, QStringLiteral("　書類印刷　"));
    connect(stationery_, &StationeryPage::NotePrintClicked, this,
            [this](bool setPaper) { SheetButtonClick(false, setPaper); });
    connect(stationery_, &StationeryPage::GraphPrintClicked, this,
            [this](bool setPaper) { SheetButtonClick(true, setPaper); });
    connect(stationery_, &StationeryPage::SoufuPrintClicked, this,
            [this] { LetterButtonClick(false); });
    connect(stationery_, &StationeryPage::FaxPrintClicked, this,
            [this] { LetterButtonClick(true); });
}

void PrintWindow::buildPrintersPage() {
    presets_ = new PrinterPresetsPage(plSetPrinter1_, plPrev1_, *progress_,
                                      settingsFolder_ + QStringLiteral("Printers.ini"));
    tsPrinters = named(static_cast<QWidget*>(presets_), "tsPrinters");
    PageControl1->addTab(tsPrinters, QStringLiteral("　プリンタ設定　"));
    connect(presets_, &PrinterPresetsPage::Changed, this, [this] { refreshPrinterLabels(); });
    connect(presets_, &PrinterPresetsPage::Closed, this, [this] { ShowPage(tsInsatu); });
}

void PrintWindow::buildSharedPanel() {
    pnlKyoutuu = named(new QWidget(this), "pnlKyoutuu");
    auto* v = new QVBoxLayout(pnlKyoutuu);
    v->setContentsMargins(0, 0, 0, 0);
    wbFrame_ = new QGroupBox(pnlKyoutuu);
    auto* wb = new QVBoxLayout(wbFrame_);
    cbWB_ = named(new QCheckBox(QStringLiteral("白黒印刷"), wbFrame_), "cbWB");
    wb->addWidget(cbWB_);
    v->addWidget(wbFrame_);
    cbNotPrev_ = named(new QCheckBox(QStringLiteral("プレビューしない"), pnlKyoutuu), "cbNotPrev");
    v->addWidget(cbNotPrev_);

    auto* place = new QGroupBox(QStringLiteral("印刷位置調整"), pnlKyoutuu);
    auto* pv = new QVBoxLayout(place);
    auto* margins = new QGroupBox(QStringLiteral(" マージン調整(mm) "), place);
    auto* mg = new QGridLayout(margins);
    udCTop_ = spinner("udCTop", -100, 100, 0, margins);
    udCLeft_ = spinner("udCLeft", -100, 100, 0, margins);
    mg->addWidget(new QLabel(QStringLiteral("上："), margins), 0, 0);
    mg->addWidget(udCTop_, 0, 1);
    mg->addWidget(new QLabel(QStringLiteral("左："), margins), 1, 0);
    mg->addWidget(udCLeft_, 1, 1);
    pv->addWidget(margins);
    cbSmall_ = named(new QCheckBox(QStringLiteral("少し小さく印刷"), place), "cbSmall");
    pv->addWidget(cbSmall_);
    v->addWidget(place);
    v->addStretch();
    auto* close = named(new QPushButton(QStringLiteral("閉じる"), pnlKyoutuu), "btnClose");
    connect(close, &QPushButton::clicked, this, [this] { this->close(); });
    v->addWidget(close);
}

void PrintWindow::buildMenu(QMenuBar* bar) {
    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(QStringLiteral("閉じる(&C)"), this, [this] { close(); });
    QMenu* print = bar->addMenu(QStringLiteral("印刷(&P)"));
    print->addAction(QStringLiteral("カレンダ(&C)"), this, [this] { ShowPage(tsInsatu); });
    QMenu* papers = print->addMenu(QStringLiteral("書類(&S)"));
    papers->addAction(QStringLiteral("ノート(&N)"), this, [this] {
        stationery_->ShowSheet(0);
        ShowPage(tsPapers);
    });
    int sheet = 1;
    for (const char16_t* item : {u"送り状(&O)", u"ファックス(&F)"})
        papers->addAction(QString::fromUtf16(item), this, [this, index = ++sheet] {
            stationery_->ShowSheet(index);
            ShowPage(tsPapers);
        });
    QMenu* settings = bar->addMenu(QStringLiteral("設定(&O)"));
    settings->addAction(QStringLiteral("カレンダ設定(&C)"), this, [this] { ShowPage(tsCal); });
    settings->addAction(QStringLiteral("プリンタ設定(&P)"), this, [this] {
        ShowPage(PageControl1->currentWidget() == tsPrinters ? tsInsatu : tsPrinters);
    });
}

void PrintWindow::ShowPage(QWidget* page) {
    const int index = PageControl1->indexOf(page);
    if (page == tsPrinters) PageControl1->setTabVisible(index, true);
    if (PageControl1->currentIndex() == index)
        PageChanged();
    else
        PageControl1->setCurrentIndex(index);
}

void PrintWindow::PageChanged() {
    QWidget* page = PageControl1->currentWidget();
    if (page != tsPrinters) {
        PageControl1->setTabVisible(PageControl1->indexOf(tsPrinters), false);
        pnlKyoutuu->setVisible(true);
        presets_->PageLeft();
    } else {
        pnlKyoutuu->setVisible(false);
    }
    const bool papers = page == tsPapers;
    if (papers) {
        stationery_->RefreshRows();
        stationery_->RenewDates();
    }
    cbWB_->setVisible(!papers);
    wbFrame_->setVisible(!papers);
    cbSmall_->setVisible(!papers);
}

void PrintWindow::RefreshMonthLabel() {
    lblYYMM_->setText(
        QString::asprintf("%4d 年 %2d 月", int(host_.ShownYear()), host_.ShownMonth()));
}

void PrintWindow::btnZengetuClick() {
    host_.PreviousMonth();
    RefreshMonthLabel();
}

void PrintWindow::btnYokugetuClick() {
    host_.NextMonth();
    RefreshMonthLabel();
}

QSpinBox* PrintWindow::linesSpinner(const char* name) const {
    return findChild<QSpinBox*>(QString::fromLatin1(name));
}

void PrintWindow::refreshPrinterLabels() {
    lblYoushiMei_->setText(presets_->Caption(presets_->Selected()));
    lblPName_->setText(plSetPrinter1_.HasPrinters() ? plSetPrinter1_.Current().Printer
                                                    : QStringLiteral("（プリンタなし）"));
    lblPSize_->setText(plSetPrinter1_.PaperName());
    lblHoukou_->setText(plSetPrinter1_.Landscape() ? QStringLiteral("横") : QStringLiteral("縦"));
}

MonthPrintOptions PrintWindow::capturedOptions(const PrintSection& s) const {
    MonthPrintOptions o;
    o.Shading = s.cbAmikake;
    o.Rokuyo = cbRokuyou_->isChecked();
    o.Title = s.cbExTitle;
    o.TitleFormat = s.rgExTitle;
    o.TitleText = s.edtExTitle;
    o.CreationDate = s.cbExDate;
    o.Today = Clock::current().today();
    o.BlackWhite = s.cbWB;
    o.Mincho = s.rbFontM;
    return o;
}

bool PrintWindow::runJob(const std::function<bool()>& build) {
    try {
        return build();
    } catch (const std::exception&) {
        Prompt::current().message(QStringLiteral("印刷がうまくできませんでした。"), kCaption,
                                  Prompt::Kind::Information);
        return false;
    }
}

void PrintWindow::LayoutButtonClick(const QString& key) {
    const MonthLayoutKind* kind = FindMonthLayout(key);
    if (!kind) return;
    const PrintSection s = Settings();
    MonthJob job;
    job.Kind = kind;
    job.Lines = kind->Spinner ? linesSpinner(kind->Spinner)->value() : kind->DefaultLines;
    job.Small = s.cbSmall;
    job.TopMm = s.upDown1;
    job.LeftMm = s.upDown2;
    job.Holidays = s.cbSaijitu;
    job.Anniversaries = s.cbKinenbi;
    job.Schedules = s.cbNaiyou;
    job.TopPacking = s.cbUetume;
    job.Options = capturedOptions(s);
    QStringList skipped;
    if (!runJob([&] {
            return BuildMonthJob(plPrev1_, plSetPrinter1_, host_, job, progress_.get(), nullptr,
                                 &skipped);
        }))
        return;
    if (!skipped.isEmpty()) {
        constexpr int kShown = 10;
        QString text = QStringLiteral("次の予定は読み取れないので、印刷しませんでした。");
        for (int i = 0; i < std::min<int>(kShown, int(skipped.size())); ++i)
            text += QStringLiteral("\r\n") + skipped[i];
        if (skipped.size() > kShown)
            text += QStringLiteral("\r\nほか %1 件").arg(skipped.size() - kShown);
        Prompt::current().message(text, kCaption, Prompt::Kind::Information);
    }
    finishJob(s.cbNotPrev);
}

void PrintWindow::YearButtonClick(bool b5) {
    const PrintSection s = Settings();
    YearJob job;
    job.B5 = b5;
    job.Small = s.cbSmall;
    job.TopMm = s.upDown1;
    job.LeftMm = s.upDown2;
    job.Ruled = s.cbKeisen;
    job.Holidays = s.cbSaijitu;
    job.Options = capturedOptions(s);
    if (!runJob(
            [&] { return BuildYearJob(plPrev1_, plSetPrinter1_, host_, job, progress_.get()); }))
        return;
    finishJob(s.cbNotPrev);
}

void PrintWindow::SheetButtonClick(bool graph, bool setPaper) {
    const PrintSection s = Settings();
    if (!runJob([&] {
            return graph ? BuildGraphJob(plPrev1_, plSetPrinter1_, stationery_->Graph(), s.upDown1,
                                         s.upDown2, progress_.get(), nullptr, setPaper)
                         : BuildNoteJob(plPrev1_, plSetPrinter1_, stationery_->Note(), s.upDown1,
                                        s.upDown2, progress_.get(), nullptr, setPaper);
        }))
        return;
    finishJob(s.cbNotPrev);
}

void PrintWindow::LetterButtonClick(bool fax) {
    const PrintSection s = Settings();
    const auto place = [&](int paper) {
        return LetterPlace{paper == 1 ? PaperKind::B5 : PaperKind::A4, s.upDown1, s.upDown2,
                           Clock::current().today()};
    };
    if (!runJob([&] {
            if (fax) {
                const FaxSection f = stationery_->Fax();
                return BuildFaxJob(plPrev1_, plSetPrinter1_, f, place(f.rgFYoushi),
                                   progress_.get());
            }
            const SoufuSection l = stationery_->Soufu();
            return BuildCoverLetterJob(plPrev1_, plSetPrinter1_, l, place(l.rgSYoushi),
                                       progress_.get());
        }))
        return;
    finishJob(s.cbNotPrev);
}

void PrintWindow::finishJob(bool noPreview) {
    refreshPrinterLabels();
    if (noPreview)
        plPrev1_.Print();
    else if (ModalPreview)
        plPrev1_.Preview(this);
    else
        plPrev1_.ShowPreview(this);
}

PrintSection PrintWindow::Settings() const {
    PrintSection s;
    s.cbExTitle = cbTitle_->isChecked();
    s.cbExDate = cbDate_->isChecked();
    s.edtExTitle = edtTitle_->text();
    s.rgExTitle = rgTitle_[0]->isChecked() ? 0 : rgTitle_[2]->isChecked() ? 2 : 1;
    s.cbSaijitu = cbSaijitu_->isChecked();
    s.cbKinenbi = cbKinenbi_->isChecked();
    s.cbNaiyou = cbNaiyou_->isChecked();
    s.cbUetume = cbUetume_->isChecked();
    s.cbAmikake = cbAmikake_->isChecked();
    s.upDown1 = udCTop_->value();
    s.upDown2 = udCLeft_->value();
    s.cbSmall = cbSmall_->isChecked();
    s.cbNotPrev = cbNotPrev_->isChecked();
    s.cbWB = cbWB_->isChecked();
    s.rbFontM = rbFontM2_->isChecked();
    s.rbFontG = rbFontG2_->isChecked();
    s.cbKeisen = cbKeisen_->isChecked();
    s.udMB5 = linesSpinner("udMB5")->value();
    s.udMA4W = linesSpinner("udMA4W")->value();
    s.udMA4 = linesSpinner("udMA4")->value();
    s.udMA3 = linesSpinner("udMA3")->value();
    return s;
}

void PrintWindow::ApplySettings(const PrintSection& s) {
    cbTitle_->setChecked(s.cbExTitle);
    cbDate_->setChecked(s.cbExDate);
    edtTitle_->setText(s.edtExTitle);
    rgTitle_[std::clamp(s.rgExTitle, 0, 2)]->setChecked(true);
    cbSaijitu_->setChecked(s.cbSaijitu);
    cbKinenbi_->setChecked(s.cbKinenbi);
    cbNaiyou_->setChecked(s.cbNaiyou);
    cbUetume_->setChecked(s.cbUetume);
    host_.ShownGrid().SetUeTume(s.cbUetume);
    cbAmikake_->setChecked(s.cbAmikake);
    udCTop_->setValue(s.upDown1);
    udCLeft_->setValue(s.upDown2);
    cbSmall_->setChecked(s.cbSmall);
    cbNotPrev_->setChecked(s.cbNotPrev);
    cbWB_->setChecked(s.cbWB);
    // Exactly one face: the Gothic one unless Mincho alone is stored.
    rbFontM2_->setChecked(s.rbFontM && !s.rbFontG);
    rbFontG2_->setChecked(!(s.rbFontM && !s.rbFontG));
    cbKeisen_->setChecked(s.cbKeisen);
    linesSpinner("udMB5")->setValue(s.udMB5);
    linesSpinner("udMA4W")->setValue(s.udMA4W);
    linesSpinner("udMA4")->setValue(s.udMA4);
    linesSpinner("udMA3")->setValue(s.udMA3);
    cbRokuyou_->setChecked(host_.RokuyoDisplay());
}

void PrintWindow::LoadSettings() {
    const IniFile ini(settingsFolder_ + QStringLiteral("Printers.ini"));
    const IniFile::Hold once(ini);
    PrintSection s;  // the controls' design values stand for missing keys
    s.Read(ini);
    ApplySettings(s);
    NoteSection note = stationery_->Note();
    note.Read(ini);
    stationery_->ShowNote(note);
    GraphSection graph = stationery_->Graph();
    graph.Read(ini);
    stationery_->ShowGraph(graph);
    SoufuSection soufu;
    soufu.Read(ini);
    stationery_->ShowSoufu(soufu);
    FaxSection fax;
    fax.Read(ini);
    stationery_->ShowFax(fax);
}

bool PrintWindow::SaveSettings() {
    if (ReadOnlySettings) return true;
    SaveProblems problems;
    IniFile ini(settingsFolder_ + QStringLiteral("Printers.ini"));
    SettingsWriter out(ini, problems);
    Settings().Write(out);
    stationery_->Note().Write(out);
    stationery_->Graph().Write(out);
    stationery_->Soufu().Write(out);
    stationery_->Fax().Write(out);
    presets_->SaveCaptions(problems);
    out.Commit();
    if (problems.empty()) return true;
    if (!saveProblemsReported_) {
        saveProblemsReported_ = true;
        QString text = QStringLiteral("印刷の設定を保存できませんでした。");
        for (const auto& [reason, keys] : problems)
            text += QStringLiteral("\r\n%1: %2").arg(keys.join(QStringLiteral(", ")), reason);
        Prompt::current().message(text, kCaption, Prompt::Kind::Warning);
    }
    return false;
}

void PrintWindow::closeEvent(QCloseEvent* event) {
    SaveSettings();
    event->accept();
}

void PrintWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) RefreshMonthLabel();
    QDialog::changeEvent(event);
}

void PrintWindow::showEvent(QShowEvent* event) {
    RefreshMonthLabel();
    refreshPrinterLabels();
    QDialog::showEvent(event);
}

}  // namespace korvane
