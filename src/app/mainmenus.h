#pragma once

class QAction;
class QMenu;

namespace korvane {

class MainWindow;

// The main window's menus as one table: the menu bar, the Alt+arrow page steps and the month
// panel's pop-up menu. Entries of functions still to come are there, disabled.
struct MainMenus {
    QMenu* Idou = nullptr;                // enabled on the month page only
    QMenu* Popup = nullptr;               // pMenu1
    QAction* PopupQuit = nullptr;         // not while a period is being chosen
    QMenu* Pictures = nullptr;            // mnSs, enabled by cbSsUse
    QAction* ScreenshotSwitch = nullptr;  // mnSsOnOff, shown by the hidden Ctrl+Alt+S
};

// calendarForms: the picture menus of the extended version are shown.
MainMenus BuildMainMenus(MainWindow& window, bool calendarForms);

}  // namespace korvane
