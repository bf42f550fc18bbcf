#include "stationerypage.h"

#include "core/prompt.h"
#include "core/qtcolor.h"
#include "print/colourdialog.h"
#include "print/stationery/sheets.h"
#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include "widgets/named.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace korvane {
namespace {

const QString kQuestionCaption = QStringLiteral("確認");

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    return named(new QPushButton(text, parent), name);
}

QLabel* label(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

// The margins group of a sheet: 上 下 左 右 in mm.
QGroupBox* marginsGroup(const QString& title, QWidget* parent,
                        const std::function<QSpinBox*(const char*, int)>& add,
                        const char* const names[4]) {
    auto* box = new QGroupBox(title, parent);
    auto* g = new QGridLayout(box);
    const char* captions[] = {"上：", "下：", "左：", "右："};
    for (int i = 0; i < 4; ++i) {
        g->addWidget(label(QString::fromUtf8(captions[i]), box), i / 2, (i % 2) * 2,
                     Qt::AlignRight);
        g->addWidget(add(names[i], i == 1 ? 200 : 150), i / 2, (i % 2) * 2 + 1);
    }
    return box;
}

}  // namespace

StationeryPage::StationeryPage(QString printersIni, QWidget* parent)
    : QWidget(parent), printersIni_(std::move(printersIni)) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    sheets_ = named(new QTabWidget(this), "PageControl2");
    v->addWidget(sheets_);
    buildNote();
    buildGraph();
    buildSoufu();
    buildFax();
    ShowNote(NoteSection());
    ShowGraph(GraphSection());
    ShowSoufu(SoufuSection());
    ShowFax(FaxSection());
}

QSpinBox* StationeryPage::addSpin(const char* name, int lo, int hi, int value, QWidget* parent) {
    auto* s = named(new QSpinBox(parent), name);
    s->setRange(lo, hi);
    s->setValue(value);
    s->setAlignment(Qt::AlignRight);
    spins_[name] = s;
    return s;
}

QLabel* StationeryPage::addSwatch(const char* name, const char* buttonName, QWidget* parent) {
    auto* swatch = named(new QLabel(parent), name);
    swatch->setFrameShape(QFrame::Panel);
    swatch->setFrameShadow(QFrame::Sunken);
    swatch->setMinimumSize(48, 20);
    swatch->setAutoFillBackground(true);
    swatches_[name] = swatch;
    QPushButton* change = button(QStringLiteral("変更"), buttonName, parent);
    connect(change, &QPushButton::clicked, this, [this, name] { chooseColour(name); });
    return swatch;
}

ColorValue StationeryPage::colourOf(const char* swatch) const { return colours_.at(swatch); }

void StationeryPage::setColour(const char* swatch, ColorValue c) {
    colours_[swatch] = c;
    QLabel* l = swatches_.at(swatch);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, ToQColor(c, palette()));
    l->setPalette(p);
}

void StationeryPage::chooseColour(const char* swatch) {
    setColour(swatch, ColourDialog::Choose(colourOf(swatch), this));
}

void StationeryPage::buildNote() {
    tsNote_ = named(new QWidget, "tsNote");
    sheets_->addTab(tsNote_, QStringLiteral(" ノート "));
    auto* h = new QHBoxLayout(tsNote_);
    auto* left = new QVBoxLayout;
    h->addLayout(left, 1);

    auto* rules = new QGroupBox(tsNote_);
    auto* g = new QGridLayout(rules);
    g->addWidget(label(QStringLiteral("行間隔"), rules), 0, 0, Qt::AlignRight);
    g->addWidget(addSpin("udS", 10, 200, 80, rules), 0, 1);
    g->addWidget(label(QStringLiteral("単位：0.1mm"), rules), 0, 2);
    g->addWidget(label(QStringLiteral("（ Ａ掛：70  Ｂ掛：60 ）"), rules), 1, 1, 1, 2);
    g->addWidget(label(QStringLiteral("行数"), rules), 2, 0, Qt::AlignRight);
    QSpinBox* rows = addSpin("udGyo", 1, 99, 32, rules);
    rows->setReadOnly(true);
    rows->setButtonSymbols(QAbstractSpinBox::NoButtons);
    g->addWidget(rows, 2, 1);
    g->addWidget(label(QStringLiteral("罫線の色"), rules), 3, 0, Qt::AlignRight);
    g->addWidget(addSwatch("edtColor", "btnColor", rules), 3, 1);
    g->addWidget(rules->findChild<QPushButton*>("btnColor"), 3, 2);
    cbHead_ = named(new QCheckBox(QStringLiteral("ヘッダー罫線"), rules), "cbHead");
    g->addWidget(cbHead_, 4, 0, 1, 2);
    g->addWidget(label(QStringLiteral("色"), rules), 5, 0, Qt::AlignRight);
    g->addWidget(addSwatch("edtHead", "btnHead", rules), 5, 1);
    g->addWidget(rules->findChild<QPushButton*>("btnHead"), 5, 2);
    g->addWidget(label(QStringLiteral("縦罫線"), rules), 6, 0, Qt::AlignRight);
    edtTateK_ = named(new QLineEdit(rules), "edtTateK");
    g->addWidget(edtTateK_, 6, 1, 1, 2);
    g->addWidget(label(QStringLiteral("例：250,100(半角) ← 左から25mm,10mmに縦罫線"), rules), 7, 1,
                 1, 2);
    left->addWidget(rules);
    left->addStretch();

    auto* right = new QVBoxLayout;
    h->addLayout(right);
    auto* widths = new QGroupBox(QStringLiteral("線の太さ(1～9)"), tsNote_);
    auto* w = new QGridLayout(widths);
    const std::pair<const char*, const char*> lines[] = {
        {"udNW1", "ヘッダー罫線"}, {"udNW2", "罫線"}, {"udNW3", "縦罫線"}};
    for (int i = 0; i < 3; ++i) {
        w->addWidget(label(QString::fromUtf8(lines[i].second), widths), i, 0, Qt::AlignRight);
        w->addWidget(addSpin(lines[i].first, 1, 9, i == 0 ? 3 : 2, widths), i, 1);
    }
    right->addWidget(widths);
    static const char* const kMargins[4] = {"udNTop", "udNBottom", "udNLeft", "udNRight"};
    right->addWidget(marginsGroup(
        QStringLiteral(" ノート余白(mm) "), tsNote_,
        [this](const char* name, int hi) { return addSpin(name, 0, hi, 0, nullptr); }, kMargins));
    QPushButton* print = button(QStringLiteral("Ａ４縦　印刷"), "btnNA4P", tsNote_);
    print->setMinimumHeight(36);
    right->addWidget(print);
    QPushButton* hidden = button(QStringLiteral("印刷"), "btnNote", tsNote_);
    hidden->hide();
    right->addStretch();
    connect(print, &QPushButton::clicked, this, [this] { emit NotePrintClicked(true); });
    connect(hidden, &QPushButton::clicked, this, [this] { emit NotePrintClicked(false); });

    for (const char* name : {"udS", "udNTop", "udNBottom"})
        connect(spin(name), &QSpinBox::valueChanged, this, [this] { RefreshRows(); });
    connect(cbHead_, &QCheckBox::toggled, this, [this] { RefreshRows(); });
}

void StationeryPage::buildGraph() {
    tsGraph_ = named(new QWidget, "tsGraph");
    sheets_->addTab(tsGraph_, QStringLiteral(" 方眼紙 "));
    auto* h = new QHBoxLayout(tsGraph_);
    auto* left = new QVBoxLayout;
    h->addLayout(left, 1);

    auto* cells = new QGroupBox(tsGraph_);
    auto* g = new QGridLayout(cells);
    g->addWidget(label(QStringLiteral("１マスの大きさ"), cells), 0, 0);
    g->addWidget(label(QStringLiteral("単位：0.1mm"), cells), 0, 2);
    g->addWidget(label(QStringLiteral("横"), cells), 1, 0, Qt::AlignRight);
    g->addWidget(addSpin("udGH", 8, 1700, 100, cells), 1, 1);
    g->addWidget(label(QStringLiteral("縦"), cells), 2, 0, Qt::AlignRight);
    g->addWidget(addSpin("udGV", 8, 25000, 100, cells), 2, 1);
    g->addWidget(label(QStringLiteral("マスの数"), cells), 3, 0);
    cbGAuto_ = named(new QCheckBox(QStringLiteral("自動計算"), cells), "cbGAuto");
    g->addWidget(cbGAuto_, 3, 1, 1, 2);
    g->addWidget(label(QStringLiteral("横"), cells), 4, 0, Qt::AlignRight);
    g->addWidget(addSpin("udGMH", 1, 200, 17, cells), 4, 1);
    g->addWidget(label(QStringLiteral("縦"), cells), 5, 0, Qt::AlignRight);
    g->addWidget(addSpin("udGMV", 1, 270, 25, cells), 5, 1);
    g->addWidget(label(QStringLiteral("罫線の色"), cells), 6, 0, Qt::AlignRight);
    g->addWidget(addSwatch("edtGColor", "btnGColor", cells), 6, 1);
    g->addWidget(cells->findChild<QPushButton*>("btnGColor"), 6, 2);
    cbGCLine_ = named(new QCheckBox(QStringLiteral("中心線"), cells), "cbGCLine");
    g->addWidget(cbGCLine_, 7, 0, 1, 2);
    QLabel* adjust = label(QStringLiteral("縦罫線調整"), cells);
    QSpinBox* tate = addSpin("udTateChou", -3, 5, 0, cells);
    adjust->hide();
    tate->hide();
    left->addWidget(cells);

    auto* presets = new QGroupBox(QStringLiteral("ワンタッチ設定↓"), tsGraph_);
    auto* p = new QHBoxLayout(presets);
    const std::pair<int, const char*> sizes[] = {
        {5, "btnG5mm"}, {7, "btnG7mm"}, {10, "btnG10mm"}, {15, "btnG15mm"}, {20, "btnG20mm"}};
    for (const auto& [mm, name] : sizes) {
        QPushButton* b = button(QStringLiteral("%1mm方眼").arg(mm), name, presets);
        connect(b, &QPushButton::clicked, this, [this, mm = mm] { GraphPreset(mm); });
        p->addWidget(b);
    }
    left->addWidget(presets);
    auto* stored = new QHBoxLayout;
    QPushButton* store = button(QStringLiteral("保存"), "btnGKaku", tsGraph_);
    QPushButton* recall = button(QStringLiteral("呼出"), "btnGYobu", tsGraph_);
    connect(store, &QPushButton::clicked, this, [this] { StoreGraph(); });
    connect(recall, &QPushButton::clicked, this, [this] { RecallGraph(); });
    stored->addWidget(store);
    stored->addWidget(recall);
    stored->addStretch();
    left->addLayout(stored);
    left->addStretch();

    auto* right = new QVBoxLayout;
    h->addLayout(right);
    auto* widths = new QGroupBox(QStringLiteral("線の太さ(1～9)"), tsGraph_);
    auto* w = new QGridLayout(widths);
    const std::tuple<const char*, const char*, int> lines[] = {
        {"udGW1", "外枠", 6}, {"udGW2", "罫線", 4}, {"udGW3", "中心線", 2}};
    int row = 0;
    for (const auto& [name, caption, value] : lines) {
        w->addWidget(label(QString::fromUtf8(caption), widths), row, 0, Qt::AlignRight);
        w->addWidget(addSpin(name, 1, 9, value, widths), row++, 1);
    }
    right->addWidget(widths);
    static const char* const kMargins[4] = {"udGTop", "udGBottom", "udGLeft", "udGRight"};
    right->addWidget(marginsGroup(
        QStringLiteral(" 方眼紙余白(mm) "), tsGraph_,
        [this](const char* name, int hi) { return addSpin(name, 0, hi, 0, nullptr); }, kMargins));
    QPushButton* print = button(QStringLiteral("Ａ４縦　印刷"), "btnGA4P", tsGraph_);
    print->setMinimumHeight(36);
    right->addWidget(print);
    QPushButton* hidden = button(QStringLiteral("印刷"), "btnGraph", tsGraph_);
    hidden->hide();
    right->addStretch();
    connect(print, &QPushButton::clicked, this, [this] { emit GraphPrintClicked(true); });
    connect(hidden, &QPushButton::clicked, this, [this] { emit GraphPrintClicked(false); });

    for (const char* name : {"udGTop", "udGLeft", "udGBottom", "udGRight", "udGH", "udGV"})
        connect(spin(name), &QSpinBox::valueChanged, this, [this] { refreshCells(); });
}

namespace {

// The spin boxes and the settings they show, by object name.
const std::pair<const char*, int NoteSection::*> kNoteSpins[] = {
    {"udNTop", &NoteSection::udNTop},   {"udNBottom", &NoteSection::udNBottom},
    {"udNLeft", &NoteSection::udNLeft}, {"udNRight", &NoteSection::udNRight},
    {"udS", &NoteSection::udS},         {"udGyo", &NoteSection::udGyo},
    {"udNW1", &NoteSection::udNW1},     {"udNW2", &NoteSection::udNW2},
    {"udNW3", &NoteSection::udNW3}};
const std::pair<const char*, int GraphSection::*> kGraphSpins[] = {
    {"udGTop", &GraphSection::udGTop},   {"udGBottom", &GraphSection::udGBottom},
    {"udGLeft", &GraphSection::udGLeft}, {"udGRight", &GraphSection::udGRight},
    {"udGH", &GraphSection::udGH},       {"udGV", &GraphSection::udGV},
    {"udGMH", &GraphSection::udGMH},     {"udGMV", &GraphSection::udGMV},
    {"udGW1", &GraphSection::udGW1},     {"udGW2", &GraphSection::udGW2},
    {"udGW3", &GraphSection::udGW3},     {"udTateChou", &GraphSection::udTateChou}};

}  // namespace

void StationeryPage::ShowNote(const NoteSection& n) {
    const bool was = std::exchange(showing_, true);
    for (const auto& [name, field] : kNoteSpins) spin(name)->setValue(n.*field);
    cbHead_->setChecked(n.cbHead);
    setColour("edtHead", n.edtHead);
    setColour("edtColor", n.edtColor);
    edtTateK_->setText(n.edtTateK);
    showing_ = was;
}

NoteSection StationeryPage::Note() const {
    NoteSection n;
    for (const auto& [name, field] : kNoteSpins) n.*field = spin(name)->value();
    n.cbHead = cbHead_->isChecked();
    n.edtHead = colourOf("edtHead");
    n.edtColor = colourOf("edtColor");
    n.edtTateK = edtTateK_->text();
    return n;
}

void StationeryPage::ShowGraph(const GraphSection& g) {
    const bool was = std::exchange(showing_, true);
    for (const auto& [name, field] : kGraphSpins) spin(name)->setValue(g.*field);
    cbGAuto_->setChecked(g.cbGAuto);
    setColour("edtGColor", g.edtGColor);
    cbGCLine_->setChecked(g.cbGCLine);
    showing_ = was;
}

GraphSection StationeryPage::Graph() const {
    GraphSection g;
    for (const auto& [name, field] : kGraphSpins) g.*field = spin(name)->value();
    g.cbGAuto = cbGAuto_->isChecked();
    g.edtGColor = colourOf("edtGColor");
    g.cbGCLine = cbGCLine_->isChecked();
    return g;
}

void StationeryPage::RefreshRows() {
    if (showing_) return;
    const bool was = std::exchange(showing_, true);
    spin("udGyo")->setValue(std::clamp(NoteRowCount(Note()), 1, 99));
    showing_ = was;
}

void StationeryPage::refreshCells() {
    if (showing_ || !cbGAuto_->isChecked()) return;
    GraphSection gs = Graph();
    FillGraphCellCounts(gs);
    const bool was = std::exchange(showing_, true);
    spin("udGMH")->setValue(gs.udGMH);
    spin("udGMV")->setValue(gs.udGMV);
    showing_ = was;
}

void StationeryPage::GraphPreset(int mm) {
    {
        const bool was = std::exchange(showing_, true);
        spin("udGH")->setValue(mm * 10);
        spin("udGV")->setValue(mm * 10);
        showing_ = was;
    }
    refreshCells();
}

void StationeryPage::StoreGraph() {
    Prompt& prompt = Prompt::current();
    if (!prompt.askYesNo(QStringLiteral("現在の方眼紙の設定を保存しますか？"), kQuestionCaption,
                         true)) {
        prompt.message(QStringLiteral("保存しません。"), QStringLiteral("Korvane"),
                       Prompt::Kind::Information);
        return;
    }
    if (ReadOnly) return;
    IniFile ini(printersIni_);
    SaveProblems problems;
    SettingsWriter out(ini, problems);
    Graph().Write(out, QStringLiteral("_1"));
    out.Commit();
    if (!problems.empty())
        prompt.message(QStringLiteral("方眼紙の設定を保存できませんでした。\r\n%1")
                           .arg(problems.begin()->first),
                       QStringLiteral("Korvane"), Prompt::Kind::Warning);
}

void StationeryPage::RecallGraph() {
    Prompt& prompt = Prompt::current();
    if (!prompt.askYesNo(QStringLiteral("登録済みの設定を呼び出しますか？"), kQuestionCaption,
                         true)) {
        prompt.message(QStringLiteral("呼び出しません。"), QStringLiteral("Korvane"),
                       Prompt::Kind::Information);
        return;
    }
    GraphSection gs = Graph();
    gs.Read(IniFile(printersIni_), QStringLiteral("_1"));
    ShowGraph(gs);
}

void StationeryPage::ShowSheet(int index) { sheets_->setCurrentIndex(index); }

}  // namespace korvane
