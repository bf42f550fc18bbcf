#include "qtprompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

namespace korvane {
namespace {

QMessageBox::Icon iconOf(Prompt::Kind kind) {
    switch (kind) {
        case Prompt::Kind::Warning:
            return QMessageBox::Warning;
        case Prompt::Kind::Error:
            return QMessageBox::Critical;
        case Prompt::Kind::Question:
            return QMessageBox::Question;
        default:
            return QMessageBox::Information;
    }
}

// Message texts come from the Windows program with CR LF line breaks.
QString plainLines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void fillCombo(QComboBox* box, const QStringList& items, const QString& current) {
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(std::max(0, int(items.indexOf(current))));
    box->setEnabled(!items.isEmpty());
}

}  // namespace

bool QtPrompt::printerDialog(const QString& caption, PrinterChoice& choice) {
    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("PrinterDialog"));
    dialog.setWindowTitle(caption);
    auto* form = new QFormLayout(&dialog);
    auto* printer = new QComboBox(&dialog);
    printer->setObjectName(QStringLiteral("cbPrinter"));
    if (choice.printers.isEmpty()) {
        form->addRow(QStringLiteral("プリンタ名："), new QLabel(choice.printer, &dialog));
        printer->hide();
    } else {
        fillCombo(printer, choice.printers, choice.printer);
        form->addRow(QStringLiteral("プリンタ名："), printer);
    }
    auto* paper = new QComboBox(&dialog);
    paper->setObjectName(QStringLiteral("cbPaper"));
    fillCombo(paper, choice.papers, choice.paper);
    form->addRow(QStringLiteral("用紙サイズ："), paper);
    auto* source = new QComboBox(&dialog);
    source->setObjectName(QStringLiteral("cbSource"));
    fillCombo(source, choice.sources, choice.source);
    form->addRow(QStringLiteral("給紙方法："), source);
    auto* portrait = new QRadioButton(QStringLiteral("縦"), &dialog);
    auto* landscape = new QRadioButton(QStringLiteral("横"), &dialog);
    (choice.landscape ? landscape : portrait)->setChecked(true);
    auto* turn = new QHBoxLayout;
    turn->addWidget(portrait);
    turn->addWidget(landscape);
    turn->addStretch();
    form->addRow(QStringLiteral("印刷の向き："), turn);
    auto* duplex = new QCheckBox(QStringLiteral("両面印刷"), &dialog);
    duplex->setChecked(choice.duplex);
    auto* colour = new QCheckBox(QStringLiteral("カラー印刷"), &dialog);
    colour->setChecked(choice.colour);
    form->addRow(QString(), duplex);
    form->addRow(QString(), colour);
    // A print dialog prints a built document on the paper it was drawn for: it offers the
    // printer and the pages, not the paper.
    auto* allPages = new QRadioButton(QStringLiteral("すべて"), &dialog);
    allPages->setObjectName(QStringLiteral("rbAllPages"));
    auto* somePages = new QRadioButton(QStringLiteral("ページ指定"), &dialog);
    somePages->setObjectName(QStringLiteral("rbPages"));
    auto* from = new QSpinBox(&dialog);
    from->setObjectName(QStringLiteral("spFromPage"));
    auto* to = new QSpinBox(&dialog);
    to->setObjectName(QStringLiteral("spToPage"));
    if (choice.rangeOffered) {
        for (QWidget* w :
             std::initializer_list<QWidget*>{paper, source, portrait, landscape, duplex, colour}) {
            form->setRowVisible(w, false);
            w->hide();
        }
        form->setRowVisible(turn, false);
        from->setRange(choice.minPage, choice.maxPage);
        to->setRange(choice.minPage, choice.maxPage);
        from->setValue(choice.fromPage);
        to->setValue(choice.toPage);
        (choice.allPages ? allPages : somePages)->setChecked(true);
        auto* pages = new QHBoxLayout;
        pages->addWidget(somePages);
        pages->addWidget(from);
        pages->addWidget(new QLabel(QStringLiteral("～"), &dialog));
        pages->addWidget(to);
        pages->addStretch();
        form->addRow(QStringLiteral("印刷範囲："), allPages);
        form->addRow(QString(), pages);
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{allPages, somePages, from, to}) w->hide();
    }
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(printer, &QComboBox::currentTextChanged, &dialog, [&](const QString& name) {
        if (!choice.printerChanged || name.isEmpty() || name == choice.printer) return;
        choice.printer = name;
        choice.printerChanged(choice);
        fillCombo(paper, choice.papers, choice.paper);
        fillCombo(source, choice.sources, choice.source);
    });
    if (dialog.exec() != QDialog::Accepted) return false;
    if (!choice.printers.isEmpty()) choice.printer = printer->currentText();
    choice.paper = paper->currentText();
    choice.source = source->currentText();
    choice.landscape = landscape->isChecked();
    choice.duplex = duplex->isChecked();
    choice.colour = colour->isChecked();
    if (choice.rangeOffered) {
        choice.allPages = allPages->isChecked();
        choice.fromPage = std::min(from->value(), to->value());
        choice.toPage = std::max(from->value(), to->value());
    }
    return true;
}

void QtPrompt::message(const QString& text, const QString& caption, Kind kind) {
    QMessageBox box(iconOf(kind), caption, plainLines(text), QMessageBox::NoButton, parent_);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool QtPrompt::askYesNo(const QString& text, const QString& caption, bool defaultNo) {
    QMessageBox box(QMessageBox::Question, caption, plainLines(text), QMessageBox::NoButton,
                    parent_);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(defaultNo ? no : yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

QString QtPrompt::openFileName(const QString& caption, const QString& folder,
                               const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, caption, folder, filter);
}

QString QtPrompt::saveFileName(const QString& caption, const QString& path, const QString& filter,
                               bool confirmOverwrite) {
    return QFileDialog::getSaveFileName(
        parent_, caption, path, filter, nullptr,
        confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite);
}

QString QtPrompt::folderName(const QString& caption, const QString& folder) {
    return QFileDialog::getExistingDirectory(parent_, caption, folder);
}

}  // namespace korvane
