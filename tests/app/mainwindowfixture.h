#pragma once
// The main window on a fixed day, with its program and settings folders in a temporary folder.
#include "app/mainwindow.h"
#include "core/clock.h"
#include "core/fonts.h"
#include "core/prompt.h"

#include <QDir>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace korvane {

class MainWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<FixedClock> clock;
    std::unique_ptr<MainWindow> window;
    ScriptedPrompt prompt;
    QString oldCwd = QDir::currentPath();
    bool firstRun = false;  // "localfol.vlm" asked for the set-up offer

    void open(int y, int m, int d, bool small = false, const QString& program = "prog/",
              bool readOnly = false) {
        window.reset();
        clock.reset();  // clocks restore the one before them: the old goes first
        clock = std::make_unique<FixedClock>(QDateTime(QDate(y, m, d), QTime(15, 5)));
        QDir().mkpath(dir.filePath(program));
        QDir().mkpath(dir.filePath("settings"));
        QDir::setCurrent(dir.path());  // no Hday.dat in the working folder
        SetApplicationFont();
        MainWindowPaths paths{dir.filePath(program), dir.filePath("settings") + "/"};
        paths.ReadOnlySettings = readOnly;
        paths.FirstRunFlag = firstRun;
        window = std::make_unique<MainWindow>(paths, QStringList{}, small);
        window->ShowInfoHook = [] { return false; };  // nothing may block
    }
    void TearDown() override {
        window.reset();
        QDir::setCurrent(oldCwd);
    }
    template <typename T>
    T* find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QTabBar* tabs() const { return find<QTabBar>("tcMonth"); }
    QTabWidget* pages() const { return find<QTabWidget>("PageControl1"); }
    QRadioButton* radio(const char* group, int i) const {
        return find<QWidget>(group)->findChildren<QRadioButton*>()[i];
    }
};

}  // namespace korvane
