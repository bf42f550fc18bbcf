#include "qtprompt.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace korvane {
namespace {

QMessageBox::Icon iconOf(Prompt::Kind kind) {
    switch (kind) {
        case Prompt::Kind::Warning: return QMessageBox::Warning;
        case Prompt::Kind::Error: return QMessageBox::Critical;
        case Prompt::Kind::Question: return QMessageBox::Question;
        default: return QMessageBox::Information;
    }
}

// Message texts come from the Windows program with CR LF line breaks.
QString plainLines(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

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

QString QtPrompt::saveFileName(const QString& caption, const QString& path,
                               const QString& filter) {
    return QFileDialog::getSaveFileName(parent_, caption, path, filter);
}

QString QtPrompt::folderName(const QString& caption, const QString& folder) {
    return QFileDialog::getExistingDirectory(parent_, caption, folder);
}

}  // namespace korvane
