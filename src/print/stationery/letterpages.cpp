// The stationery tab's letter pages: the cover letter and the fax cover sheet.
#include "stationerypage.h"

#include "core/clock.h"
#include "core/eradate.h"
#include "print/stationery/letters.h"
#include "widgets/named.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace korvane {
namespace {

const QString kHonorificReminder = QStringLiteral("敬称 「様」 「御中」 を忘れないでください。");

QLineEdit* edit(const char* name, QWidget* parent) { return named(new QLineEdit(parent), name); }

// " 用紙 ": Ａ４ (0) or Ｂ５ (1).
QButtonGroup* paperGroup(const char* name, QWidget* parent, QVBoxLayout* into) {
    auto* box = named(new QGroupBox(QStringLiteral(" 用紙 "), parent), name);
    auto* v = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    int id = 0;
    for (const QString& caption : {QStringLiteral("Ａ４"), QStringLiteral("Ｂ５")}) {
        auto* r = new QRadioButton(caption, box);
        group->addButton(r, id++);
        v->addWidget(r);
    }
    group->button(0)->setChecked(true);
    into->addWidget(box);
    return group;
}

}  // namespace

void StationeryPage::addLetterTop(LetterControls& c, QWidget* page, QGridLayout* g,
                                  const char* prefix, const QString& recipientCaption) {
    const auto key = [prefix](const char* rest) { return QByteArray(rest).replace("*", prefix); };
    g->addWidget(new QLabel(QStringLiteral("日付"), page), 0, 0, 1, 2, Qt::AlignRight);
    c.date = edit(key("edt*YMD").constData(), page);
    g->addWidget(c.date, 0, 2);
    c.blankDate = named(new QCheckBox(QStringLiteral("空白"), page), key("cb*YMD").constData());
    g->addWidget(c.blankDate, 0, 3);
    g->addWidget(new QLabel(recipientCaption, page), 1, 0, Qt::AlignRight);
    g->addWidget(new QLabel(QStringLiteral("上"), page), 1, 1, Qt::AlignRight);
    c.upper = edit(key("edt*Atena1").constData(), page);
    g->addWidget(c.upper, 1, 2);
    c.blankRecipient =
        named(new QCheckBox(QStringLiteral("空白"), page), key("cb*Atena").constData());
    g->addWidget(c.blankRecipient, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("下"), page), 2, 1, Qt::AlignRight);
    c.lower = edit(key("edt*Atena2").constData(), page);
    g->addWidget(c.lower, 2, 2);
    g->addWidget(new QLabel(kHonorificReminder, page), 3, 2, 1, 2);
    connect(c.blankDate, &QCheckBox::toggled, this, [this, &c] { makeDate(c); });
    connect(c.blankRecipient, &QCheckBox::toggled, this, [this, &c] { greyRecipient(c); });
}

void StationeryPage::makeDate(LetterControls& c) {
    const QDate today = Clock::current().today();
    c.madeDate = c.blankDate->isChecked() ? BlankEraDate(today, 4) : JapaneseEraDate(today);
    c.date->setText(c.madeDate);
}

// A blank recipient shows its boxes grey on the button face; they print nothing.
void StationeryPage::greyRecipient(LetterControls& c) {
    const bool blank = c.blankRecipient->isChecked();
    for (QLineEdit* e : {c.upper, c.lower}) {
        QPalette p = e->palette();
        p.setColor(QPalette::Text, blank ? QColor(0x80, 0x80, 0x80) : QColor(Qt::black));
        p.setColor(QPalette::Base, blank ? palette().color(QPalette::Button) : QColor(Qt::white));
        e->setPalette(p);
    }
}

void StationeryPage::RenewDates() {
    for (LetterControls* c : {&soufu_, &fax_})
        if (c->date->text() == c->madeDate) makeDate(*c);
}

void StationeryPage::buildSoufu() {
    tsSoufu_ = named(new QWidget, "tsSoufu");
    sheets_->addTab(tsSoufu_, QStringLiteral(" 送り状 "));
    auto* h = new QHBoxLayout(tsSoufu_);
    auto* g = new QGridLayout;
    h->addLayout(g, 1);
    addLetterTop(soufu_, tsSoufu_, g, "", QStringLiteral("宛先名称"));
    const std::pair<const char*, const char*> sender[] = {{"edtJuusho", "郵便番号／住所"},
                                                          {"edtKaisha", "会社名"},
                                                          {"edtName", "所属／名前"},
                                                          {"edtTel", "Tel／Fax"}};
    int row = 4;
    for (const auto& [name, caption] : sender) {
        g->addWidget(new QLabel(QString::fromUtf8(caption), tsSoufu_), row, 0, 1, 2,
                     Qt::AlignRight);
        soufu_.texts[name] = edit(name, tsSoufu_);
        g->addWidget(soufu_.texts[name], row++, 2, 1, 2);
    }
    g->setRowStretch(row, 1);

    auto* right = new QVBoxLayout;
    h->addLayout(right);
    soufu_.paper = paperGroup("rgSYoushi", tsSoufu_, right);
    auto* rule = new QHBoxLayout;
    rule->addWidget(new QLabel(QStringLiteral("罫線の太さ"), tsSoufu_));
    rule->addWidget(addSpin("udOW1", 1, 5, 2, tsSoufu_));
    right->addLayout(rule);
    cbOTensen_ = named(new QCheckBox(QStringLiteral("破線"), tsSoufu_), "cbOTensen");
    right->addWidget(cbOTensen_);
    right->addStretch();
    auto* print = named(new QPushButton(QStringLiteral("印刷"), tsSoufu_), "btnSoufu");
    print->setMinimumHeight(36);
    right->addWidget(print);
    connect(print, &QPushButton::clicked, this, [this] { emit SoufuPrintClicked(); });
}

void StationeryPage::buildFax() {
    tsFax_ = named(new QWidget, "tsFax");
    sheets_->addTab(tsFax_, QStringLiteral(" ファックス送信用紙"));
    auto* h = new QHBoxLayout(tsFax_);
    auto* g = new QGridLayout;
    h->addLayout(g, 1);
    addLetterTop(fax_, tsFax_, g, "F", QStringLiteral("送信先"));
    const std::pair<const char*, const char*> sender[] = {
        {"edtFKaisha", "送信元"}, {"edtFName", "発信人"}, {"edtFFax", "Fax"}, {"edtFTel", "Tel"}};
    int row = 4;
    for (const auto& [name, caption] : sender) {
        g->addWidget(new QLabel(QString::fromUtf8(caption), tsFax_), row, 0, 1, 2, Qt::AlignRight);
        fax_.texts[name] = edit(name, tsFax_);
        g->addWidget(fax_.texts[name], row++, 2, 1, 2);
    }
    g->setRowStretch(row, 1);

    auto* right = new QVBoxLayout;
    h->addLayout(right);
    fax_.paper = paperGroup("rgFYoushi", tsFax_, right);
    cbFKeisen_ = named(new QCheckBox(QStringLiteral("罫線"), tsFax_), "cbFKeisen");
    right->addWidget(cbFKeisen_);
    auto* colour = new QHBoxLayout;
    colour->addWidget(new QLabel(QStringLiteral("罫線の色"), tsFax_));
    colour->addWidget(addSwatch("edtFColor", "btnFColor", tsFax_));
    colour->addWidget(tsFax_->findChild<QPushButton*>("btnFColor"));
    right->addLayout(colour);
    auto* rule = new QHBoxLayout;
    rule->addWidget(new QLabel(QStringLiteral("罫線の太さ"), tsFax_));
    rule->addWidget(addSpin("udFW1", 1, 5, 2, tsFax_));
    right->addLayout(rule);
    cbFTensen_ = named(new QCheckBox(QStringLiteral("破線"), tsFax_), "cbFTensen");
    right->addWidget(cbFTensen_);
    right->addStretch();
    auto* print = named(new QPushButton(QStringLiteral("印刷"), tsFax_), "btnFax");
    print->setMinimumHeight(36);
    right->addWidget(print);
    connect(print, &QPushButton::clicked, this, [this] { emit FaxPrintClicked(); });
}

void StationeryPage::ShowSoufu(const SoufuSection& s) {
    soufu_.paper->button(s.rgSYoushi == 1 ? 1 : 0)->setChecked(true);
    soufu_.upper->setText(s.edtAtena1);
    soufu_.lower->setText(s.edtAtena2);
    soufu_.texts.at("edtJuusho")->setText(s.edtJuusho);
    soufu_.texts.at("edtKaisha")->setText(s.edtKaisha);
    soufu_.texts.at("edtName")->setText(s.edtName);
    soufu_.texts.at("edtTel")->setText(s.edtTel);
    spin("udOW1")->setValue(s.udOW1);
    cbOTensen_->setChecked(s.cbOTensen);
    // The check boxes' behaviour runs whether or not they change.
    soufu_.blankDate->setChecked(s.cbYMD);
    makeDate(soufu_);
    soufu_.blankRecipient->setChecked(true);
    greyRecipient(soufu_);
}

SoufuSection StationeryPage::Soufu() const {
    SoufuSection s;
    s.rgSYoushi = soufu_.paper->checkedId();
    s.cbYMD = soufu_.blankDate->isChecked();
    s.edtYMD = soufu_.date->text();
    s.edtAtena1 = soufu_.upper->text();
    s.edtAtena2 = soufu_.lower->text();
    s.cbAtena = soufu_.blankRecipient->isChecked();
    s.edtJuusho = soufu_.texts.at("edtJuusho")->text();
    s.edtKaisha = soufu_.texts.at("edtKaisha")->text();
    s.edtName = soufu_.texts.at("edtName")->text();
    s.edtTel = soufu_.texts.at("edtTel")->text();
    s.udOW1 = spin("udOW1")->value();
    s.cbOTensen = cbOTensen_->isChecked();
    return s;
}

void StationeryPage::ShowFax(const FaxSection& f) {
    fax_.paper->button(f.rgFYoushi == 1 ? 1 : 0)->setChecked(true);
    fax_.upper->setText(f.edtFAtena1);
    fax_.lower->setText(f.edtFAtena2);
    fax_.texts.at("edtFKaisha")->setText(f.edtFKaisha);
    fax_.texts.at("edtFName")->setText(f.edtFName);
    fax_.texts.at("edtFFax")->setText(f.edtFFax);
    fax_.texts.at("edtFTel")->setText(f.edtFTel);
    cbFKeisen_->setChecked(f.cbFKeisen);
    setColour("edtFColor", f.edtFColor);
    spin("udFW1")->setValue(f.udFW1);
    cbFTensen_->setChecked(f.cbFTensen);
    fax_.blankDate->setChecked(f.cbFYMD);
    makeDate(fax_);
    fax_.blankRecipient->setChecked(true);
    greyRecipient(fax_);
}

FaxSection StationeryPage::Fax() const {
    FaxSection f;
    f.rgFYoushi = fax_.paper->checkedId();
    f.cbFYMD = fax_.blankDate->isChecked();
    f.edtFYMD = fax_.date->text();
    f.edtFAtena1 = fax_.upper->text();
    f.edtFAtena2 = fax_.lower->text();
    f.cbFAtena = fax_.blankRecipient->isChecked();
    f.edtFKaisha = fax_.texts.at("edtFKaisha")->text();
    f.edtFName = fax_.texts.at("edtFName")->text();
    f.edtFFax = fax_.texts.at("edtFFax")->text();
    f.edtFTel = fax_.texts.at("edtFTel")->text();
    f.cbFKeisen = cbFKeisen_->isChecked();
    f.edtFColor = colourOf("edtFColor");
    f.udFW1 = spin("udFW1")->value();
    f.cbFTensen = cbFTensen_->isChecked();
    return f;
}

}  // namespace korvane
