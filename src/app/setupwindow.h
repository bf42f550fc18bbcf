#pragma once

#include "app/setupinstall.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QStackedWidget;

namespace korvane {

// What the set-up window works on: the running program, the settings file, the user's folders.
struct SetupContext {
    ProgramSource Source;
    QString SettingsFile;  // Korvane.ini
    bool ReadOnlySettings = false;
    ShortcutFolders Shortcuts = UserShortcutFolders();
    QString DefaultFolder = DefaultSetupFolder();
    QString ProcRoot = QStringLiteral("/proc/");
};

// セットアップ: copies the program into a folder of the user's and starts it from there (page 1),
// or adds and removes its desktop entries (page 2, 起動方法).
class SetupWindow : public QDialog {
    Q_OBJECT

public:
    enum Mode { SetupPage = 1, StartPage = 2 };
    // Ends the dialog when the copy in the new folder has been started: this copy is to end.
    static constexpr int Restarted = 2;

    SetupWindow(Mode mode, SetupContext context, QWidget* parent = nullptr);
    // "「Korvane」 Ver1.2.1 "
    static QString ProductTitle();

    void done(int result) override;

private:
    // The desktop, the start menu and the programs menu as On/Off pairs.
    struct Pair {
        QRadioButton* On;
        QRadioButton* Off;
        QString Folder;
        QString Create, Remove;  // the questions
    };

    void readSettings();
    void refreshPairs();
    void pairClicked(const Pair& pair, bool on);
    void chooseFolder();
    void runSetup();
    bool siblingsClosed();
    bool copyAndRegister(const QString& target, bool overwrite);
    void restartFrom(const QString& target);
    QString executableName() const;

    SetupContext context_;
    QStackedWidget* pages_;
    QLineEdit* edtSetup_;
    QRadioButton* rbNewSetup_;
    QRadioButton* rbUwagaki_;
    std::vector<Pair> pairs_;
    QString defaultFolder_;
    QString textDir_;
    QPoint place_;
    bool storedInstalled_ = false;
};

}  // namespace korvane
