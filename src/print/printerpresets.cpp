#include "printerpresets.h"

#include "core/prompt.h"
#include "print/engine/printdocument.h"
#include "print/engine/printersetup.h"
#include "print/engine/progresswindow.h"
#include "settings/inifile.h"

#include "widgets/named.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace korvane {
namespace {

const QString kCaption = QStringLiteral("確認 -Korvane-");
const QString kSection = QStringLiteral("Printer");
constexpr int kShutClosed = 377, kShutOpen = 9, kEditHeight = 300;

// The design captions: A4 portrait (an ideographic blank) and landscape (two ASCII blanks).
QString designCaption(int index) {
    if (index == 0) return QStringLiteral("Ａ４　縦");
    if (index == 1) return QStringLiteral("Ａ４  横");
    return {};
}

}  // namespace

PrinterPresetsPage::PrinterPresetsPage(PrinterSetup& setup, PrintDocument& document,
                                       ProgressWindow& progress, QString printersIni,
                                       QWidget* parent)
    : QWidget(parent), setup_(setup), document_(document), progress_(progress) {
    RegManager1.IniFileName = std::move(printersIni);
    RegManager1.RegItems.Add({QStringLiteral("vBtn"), kSection, QStringLiteral("vBtn"), "0"});
    for (int i = 0; i < kCount; ++i) {
        const QString caption = QStringLiteral("btnC%1").arg(i);
        const QString snapshot = QStringLiteral("Printer%1").arg(i);
        RegManager1.RegItems.Add({caption, kSection, caption, designCaption(i)});
        RegManager1.RegItems.Add({snapshot, kSection, snapshot, QStringLiteral("nil")});
    }

    auto* columns = new QHBoxLayout(this);
    auto* presets = new QGridLayout;
    columns->addLayout(presets);
    for (int i = 0; i < kCount; ++i) {
        presets->addWidget(new QLabel(QStringLiteral("%1.").arg(i), this), i, 0);
        buttons_[std::size_t(i)] =
            named(new QPushButton(designCaption(i), this), QStringLiteral("btnPr%1").arg(i));
        presets->addWidget(buttons_[std::size_t(i)], i, 1);
        connect(buttons_[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { SelectPreset(i); });
    }
    // Eight of the ten start without a caption and still need a button's width.
    presets->setColumnMinimumWidth(1, 150);
    btnSettei_ = named(new QPushButton(QStringLiteral("設定変更↑"), this), "btnSettei");
    presets->addWidget(btnSettei_, kCount, 1);
    presets->setRowStretch(kCount + 1, 1);

    // The editor and the shutter share one area; the shutter is drawn over it.
    auto* right = new QVBoxLayout;
    columns->addLayout(right);
    editArea_ = new QWidget(this);
    editArea_->setFixedSize(kShutClosed, kEditHeight);
    right->addWidget(editArea_);
    pnlHenshu_ = named(new QFrame(editArea_), "pnlHenshu");
    pnlHenshu_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    (new QVBoxLayout(editArea_))->addWidget(pnlHenshu_);
    editArea_->layout()->setContentsMargins({});
    auto* editor = new QVBoxLayout(pnlHenshu_);
    auto* fields = new QFormLayout;
    editor->addLayout(fields);
    edtMeishou_ = named(new QLineEdit(pnlHenshu_), "edtMeishou");
    fields->addRow(QStringLiteral("用紙分類名："), edtMeishou_);
    cbPrinters_ = named(new QComboBox(pnlHenshu_), "cbPrinters");
    fields->addRow(QStringLiteral("プリンタドライバ名："), cbPrinters_);
    connect(cbPrinters_, &QComboBox::currentIndexChanged, this,
            [this](int index) { PrinterChosen(index); });
    cbPapers_ = named(new QComboBox(pnlHenshu_), "cbPapers");
    fields->addRow(QStringLiteral("用紙サイズ："), cbPapers_);
    auto* orientation = new QHBoxLayout;
    rbTate_ = named(new QRadioButton(QStringLiteral("縦"), pnlHenshu_), "rbTate");
    rbYoko_ = named(new QRadioButton(QStringLiteral("横"), pnlHenshu_), "rbYoko");
    orientation->addWidget(rbTate_);
    orientation->addWidget(rbYoko_);
    orientation->addStretch();
    fields->addRow(QStringLiteral("方向："), orientation);
    btnProp_ = named(new QPushButton(QStringLiteral("詳細設定"), pnlHenshu_), "btnProp");
    fields->addRow(QString(), btnProp_);
    connect(btnProp_, &QPushButton::clicked, this, [this] { Properties(); });
    editor->addStretch();
    auto* commit = new QHBoxLayout;
    editor->addLayout(commit);
    commit->addStretch();
    btnPCancel_ = named(new QPushButton(QStringLiteral("キャンセル"), pnlHenshu_), "btnPCancel");
    commit->addWidget(btnPCancel_);
    connect(btnPCancel_, &QPushButton::clicked, this, [this] { CancelEdit(); });
    btnSet_ = named(new QPushButton(QStringLiteral("登録実行"), pnlHenshu_), "btnSet");
    commit->addWidget(btnSet_);
    connect(btnSet_, &QPushButton::clicked, this, [this] { Register(); });
    pnlHenshu_->hide();

    right->addWidget(new QLabel(
        QStringLiteral("プリンタ設定は原則的に自動で行いますので、必要有りません。"), this));
    btnPSetClose_ =
        named(new QPushButton(QStringLiteral("プリンタ設定を閉じる"), this), "btnPSetClose");
    right->addWidget(btnPSetClose_, 0, Qt::AlignLeft);
    right->addStretch();
    columns->addStretch();
    connect(btnPSetClose_, &QPushButton::clicked, this, [this] { CloseClick(); });

    // Made after the editor, so drawn over it.
    pnlShut_ = named(new QFrame(editArea_), "pnlShut");
    pnlShut_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnlShut_->setAutoFillBackground(true);
    setShutter(false);
}

QString PrinterPresetsPage::Caption(int index) const {
    return index >= 0 && index < kCount ? buttons_[std::size_t(index)]->text() : QString();
}

bool PrinterPresetsPage::Editing() const { return !pnlHenshu_->isHidden(); }

bool PrinterPresetsPage::ShutterOpen() const { return pnlShut_->width() == kShutOpen; }

void PrinterPresetsPage::setShutter(bool open) {
    pnlShut_->setGeometry(0, 0, open ? kShutOpen : kShutClosed, kEditHeight);
}

void PrinterPresetsPage::reportWriteProblem(const QString& reason) {
    Prompt::current().message(QStringLiteral("プリンタ設定を保存できませんでした。\r\n") + reason,
                              kCaption, Prompt::Kind::Warning);
}

void PrinterPresetsPage::readSnapshot(int index) {
    // A preset never registered ("nil") leaves the choice as it is.
    RegManager1.Items(QStringLiteral("Printer%1").arg(index)).ReadComponent(setup_);
}

void PrinterPresetsPage::writeSnapshot(int index) {
    if (ReadOnly) return;
    try {
        RegManager1.Items(QStringLiteral("Printer%1").arg(index)).WriteComponent(setup_);
    } catch (const std::exception& e) {
        reportWriteProblem(QString::fromUtf8(e.what()));
    }
}

void PrinterPresetsPage::Start() {
    const bool stored =
        IniFile(RegManager1.IniFileName).ValueExists(kSection, QStringLiteral("vBtn"));
    if (stored) {
        selected_ =
            std::clamp(RegManager1.Items(QStringLiteral("vBtn")).ReadInteger(), 0, kCount - 1);
        for (int i = 0; i < kCount; ++i)
            buttons_[std::size_t(i)]->setText(
                RegManager1.Items(QStringLiteral("btnC%1").arg(i)).ReadString());
    } else {
        // First start: the default printer on A4, upright as preset 0 and lying as preset 1.
        selected_ = 0;
        setup_.Select();
        setup_.SetPaperNumber(9);
        SaveProblems problems;
        SaveCaptions(problems);
        setup_.SetOrientation(1);
        writeSnapshot(1);
        setup_.SetOrientation(0);
        writeSnapshot(0);
        document_.SetPrinterSetup(&setup_);
        if (!problems.empty()) reportWriteProblem(problems.begin()->first);
    }
    SelectPreset(selected_);
}

void PrinterPresetsPage::SaveCaptions(SaveProblems& problems) const {
    if (ReadOnly) return;
    IniFile ini(RegManager1.IniFileName);
    SettingsWriter out(ini, problems);
    out.Integer(kSection, QStringLiteral("vBtn"), selected_);
    for (int i = 0; i < kCount; ++i)
        out.String(kSection, QStringLiteral("btnC%1").arg(i), buttons_[std::size_t(i)]->text());
    out.Commit();
}

void PrinterPresetsPage::highlight() {
    const QString grey = palette().color(QPalette::Dark).name();
    for (QPushButton* button : buttons_)
        button->setStyleSheet(
            button == buttons_[std::size_t(selected_)]
                ? QStringLiteral("QPushButton { color: #0000FF; background-color: #C8FFFF; }"
                                 "QPushButton:hover { background-color: #00FFFF; }")
                : QStringLiteral("QPushButton { color: %1; }").arg(grey));
}

void PrinterPresetsPage::SelectPreset(int index) {
    if (selecting_ || index < 0 || index >= kCount) return;
    QScopedValueRollback<bool> running(selecting_, true);
    setShutter(false);
    pnlHenshu_->hide();
    btnPSetClose_->setEnabled(true);
    selected_ = index;
    highlight();
    readSnapshot(index);
    document_.SetPrinterSetup(&setup_);
    setup_.Select();
    emit Changed();
}

void PrinterPresetsPage::fillPapers() {
    const QSignalBlocker quiet(cbPapers_);
    cbPapers_->clear();
    cbPapers_->addItems(setup_.PaperNames());
    cbPapers_->setCurrentIndex(std::max(0, cbPapers_->findText(setup_.PaperName())));
}

void PrinterPresetsPage::OpenEditor() {
    setShutter(false);
    progress_.Step(QStringLiteral("プリンタ設定読込中"), 100, 30);
    btnPCancel_->show();
    btnSet_->setText(QStringLiteral("登録実行"));
    pnlHenshu_->show();
    edtMeishou_->setText(Caption(selected_));
    edtMeishou_->setFocus();
    {
        const QSignalBlocker quiet(cbPrinters_);
        cbPrinters_->clear();
        cbPrinters_->addItems(setup_.PrinterList());
        const int at = cbPrinters_->findText(setup_.PrinterName(), Qt::MatchFixedString);
        cbPrinters_->setCurrentIndex(std::max(0, at));
        // A printer no longer installed: the entry shown becomes the choice, so what is shown
        // is what a registration stores.
        if (at < 0 && cbPrinters_->count() > 0) setup_.SetPrinterName(cbPrinters_->itemText(0));
    }
    progress_.Step(QStringLiteral("プリンタ設定読込中"), 100, 60);
    fillPapers();
    progress_.Step(QStringLiteral("プリンタ設定読込中"), 100, 100);
    (setup_.Landscape() ? rbYoko_ : rbTate_)->setChecked(true);
    progress_.Finish();
    setShutter(true);
    btnPSetClose_->setEnabled(false);
}

void PrinterPresetsPage::PrinterChosen(int index) {
    if (index < 0 || index >= cbPrinters_->count()) return;
    setup_.SetPrinterName(cbPrinters_->itemText(index));
    fillPapers();
}

bool PrinterPresetsPage::Register() {
    progress_.Step(QStringLiteral("プリンタ設定中"), 100, 30);
    if (!setup_.SetPaperName(cbPapers_->currentText())) {
        progress_.Finish();
        Prompt::current().message(QStringLiteral("用紙が設定できませんでした。"), kCaption,
                                  Prompt::Kind::Information);
        return false;
    }
    progress_.Step(QStringLiteral("プリンタ設定中"), 100, 60);
    setup_.SetOrientation(rbTate_->isChecked() ? 0 : 1);
    buttons_[std::size_t(selected_)]->setText(edtMeishou_->text());
    progress_.Step(QStringLiteral("プリンタ設定中"), 100, 100);
    writeSnapshot(selected_);
    pnlHenshu_->hide();
    setShutter(false);
    emit Changed();
    progress_.Finish();
    btnPSetClose_->setEnabled(true);
    return true;
}

void PrinterPresetsPage::CancelEdit() {
    pnlHenshu_->hide();
    setShutter(false);
    // Undoes a printer chosen in the editor.
    readSnapshot(selected_);
    setup_.Select();
    emit Changed();
    btnPSetClose_->setEnabled(true);
}

void PrinterPresetsPage::Properties() {
    try {
        const QString kept = edtMeishou_->text();
        setup_.PropertiesDialog();
        OpenEditor();
        edtMeishou_->setText(kept);
        // The printer itself has changed: the edit can only be registered now.
        btnPCancel_->hide();
        btnSet_->setText(QStringLiteral("閉じる"));
    } catch (const std::exception&) {
        progress_.Finish();
        Prompt::current().message(QStringLiteral("詳細設定エラー"), kCaption,
                                  Prompt::Kind::Information);
    }
}

void PrinterPresetsPage::CloseClick() {
    setShutter(false);
    emit Closed();
}

void PrinterPresetsPage::PageLeft() { btnPSetClose_->setEnabled(true); }

}  // namespace korvane
