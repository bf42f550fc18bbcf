#pragma once

#include "core/prompt.h"

class QWidget;

namespace korvane {

// The real dialogs: message boxes with Japanese buttons and the file and folder choosers.
class QtPrompt : public Prompt {
public:
    // parent may change as windows come and go; dialogs centre on it when set.
    explicit QtPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const QString& text, const QString& caption, Kind kind) override;
    bool askYesNo(const QString& text, const QString& caption, bool defaultNo = false) override;
    QString openFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& path, const QString& filter,
                         bool confirmOverwrite = true) override;
    QString folderName(const QString& caption, const QString& folder) override;
    bool printerDialog(const QString& caption, PrinterChoice& choice) override;

private:
    QWidget* parent_;
};

}  // namespace korvane
