#pragma once

#include "app/ftpsettings.h"
#include "app/mainmenus.h"
#include "app/mainsettings.h"
#include "app/monthnavigation.h"
#include "app/monthtable.h"
#include "app/siblinglink.h"
#include "print/printhost.h"
#include "publish/publicitycalendarcomposer.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QTabWidget;
class QTimer;

namespace korvane {

class MonthGrid;
class MiniCalendar;
class YearPage;
class SettingsPage;
class MonthPane;
class CalendarControl;
class PrintSystem;
class PrintWindow;
class CalendarImageWindow;

// Where the main window finds and keeps its files.
struct MainWindowPaths {
    QString ProgramFolder;   // the executable's folder, trailing "/"
    QString SettingsFolder;  // Korvane.ini and Printers.ini, trailing "/"
    bool FirstRunFlag = false;
    bool RunFromCd = false;
    bool ReadOnlySettings = false;  // read at start, never written (pictures, a read-only medium)
};

// The main window: the month page with its month grid, the year page with twelve mini
// calendars, the settings page, menus and the status bar clock.
class MainWindow : public QMainWindow, public PrintHost {
    Q_OBJECT

public:
    MainWindow(MainWindowPaths paths, QStringList arguments, bool smallScreen = false,
               QWidget* parent = nullptr);
    ~MainWindow() override;
    // The month initialisation failed (and said so): the program is to end.
    bool InitialisationFailed() const { return initialisationFailed_; }
    // For a work area the normal window does not fit, before the window is shown: no year page,
    // no picture settings, no button column, a smaller grid.
    void UseCompactLayout();

    static constexpr const char16_t* kConfirmCaption = u"確認 -Korvane-";
    static QString ConfirmCaption() { return QString::fromUtf16(kConfirmCaption); }

    // What the print window reads and steps (the month shown, its grid and options).
    std::int32_t ShownYear() const override;
    int ShownMonth() const override;
    void PreviousMonth() override { StepMonth(-1); }
    void NextMonth() override { StepMonth(1); }
    bool WeekStartsMonday() const override;
    int SiblingKind() const override { return link_.SiblingKind; }
    MonthGrid& ShownGrid() override { return grid(); }
    bool RokuyoDisplay() const override;
    // 印刷: the print window, made when first asked for (it asks CUPS for the printers).
    void ShowPrintWindow();
    PrintWindow* PrintWindowIfMade() const { return printWindow_.get(); }
    const MainWindowPaths& Paths() const { return paths_; }
    // Tests and pictures use their own printers; none set: CUPS.
    PrintSystem* PrintSystemOverride = nullptr;

    // Month page.
    void GoToMonth(const QString& yyyymm) override;
    void SelectTab(bool fromClick);
    void StepMonth(int months);  // -1, +1, -12, +12
    void ShowThisMonth();        // btnM9 "今月"
    void StandardDisplay();      // mnHyoujun
    void ApplyWeekStart();
    void OpenSettings();
    // Alt+arrows: the next visible page to the right (1) or left (-1).
    void StepPage(int step);
    // Year page.
    YearPage* YearView() const { return yearPage_; }
    // Settings.
    bool LoadAllSettings();
    // Saves every setting it can; what a file could not take keeps its stored text, and the
    // first failing save of a run says which settings and why. False when anything failed.
    bool SaveAllSettings();
    void UpdateClock();
    void UpdateFolderPanel();
    void ApplyRokuyoDisplay(bool on) override;
    void ShowAbout();
    void ShowInfo();
    // セットアップ (1) and 起動設定 (2); a set-up that started the new copy ends this one.
    void ShowSetup(int mode);
    void ActivateMainWindow();
    void ShowMainWindow();
    // Centres the window in the work area, or puts it where it was when so chosen.
    void PlaceWindow();
    void PlaceWindow(const QRect& workArea);
    // Days added to the update reminder's date; starts at 0 in every run.
    int InfoReminderOffset = 0;
    // Tests see the reminder here instead of a modal window; the answer says whether the user
    // opened the web page from it.
    std::function<bool()> ShowInfoHook;

    MonthGrid* Grid() const;
    const MonthTable& Months() const { return nav_.Months(); }
    const SiblingLink& Link() const { return link_; }
    bool ExtraMonthMode() const { return nav_.ExtraMonthMode(); }
    int SavedPage() const { return nav_.SavedPage(); }
    std::int32_t TodayDay() const { return todayDay_; }
    MiniCalendar* Mini(int tag) const;

    // Calendar pictures. 実行 (Ctrl+G): the dressed month page in the picture window, this
    // window hidden until that one closes. Nothing while a picture is being taken or with the
    // feature off.
    void CaptureCalendar();
    // The month page dressed as the picture shows it, drawn off-screen and undressed again
    // before this returns, also when drawing fails.
    QImage CaptureMonthPicture();
    // 広報２: the publicity calendar composer over the month shown, modal.
    void OpenPublicityCalendar();
    // The composer's context: the picture sheet's save folder and upload, the settings folders.
    PcalContext PublicityContext() const;
    // 今月, 翌月, 翌々月 (monthsOn 0, 1, 2 from the current month) and 広報カレンダ (-1: the month
    // shown): the layout window's picture, beside korvane.777 only.
    void CaptureLayout(int monthsOn);
    // The layout window of the month shown, drawn off-screen.
    QImage CaptureLayoutPicture();
    bool CaptureHidden() const { return captureHidden_; }
    bool PicturesOn() const;  // cbSsUse: the カレンダ画像 menu is enabled
    CalendarImageWindow* ImageWindow() const;
    // Ctrl+Alt+S shows the hidden 秘密の機能 entry; it turns the picture menu on and off where
    // "korvane.777" is in the program folder.
    void RevealScreenshotSwitch();
    void ScreenshotSwitchClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::unique_ptr<PrintSystem> cups_;
    std::unique_ptr<PrintWindow> printWindow_;
    MonthGrid& grid() const { return *Grid(); }
    void sizeMonthGrid();
    bool initialiseMonths();
    // The months whose sample files were read, on the settings page.
    void showSampleMonths();
    void dayChanged();
    void pageChanged();
    void closeSettings();
    // Puts what the navigation now shows on the tabs and, with moveGrid, on the grid; refusals
    // are said.
    void showNavigation(MonthNavigation::Answer answer, bool moveGrid = true);
    void applyLinkCheckBox();
    void connectSettingsPage();
    void connectMonthPage();
    void applyItemFont();
    void applyCompactLayout();
    // The picture window for a picture the menus took; this window hides until it closes.
    // name: the sheet's field that names the picture.
    void showPicture(QImage picture, QString ImageOptionSection::*name);
    void applyKorvaneIni(const KorvaneIni& stored);
    KorvaneIni collectKorvaneIni() const;
    void sampleOptionClicked();
    void monthEntered(const QString& text);  // Enter in meNengetu
    QString settingsFile() const { return paths_.SettingsFolder + QStringLiteral("Korvane.ini"); }
    QString printersFile() const { return paths_.SettingsFolder + QStringLiteral("Printers.ini"); }

    MainWindowPaths paths_;
    KorvaneIni korvaneIni_;  // as read at start
    FtpSettings ftp_;
    bool ftpReadable_ = true;
    QStringList arguments_;
    bool smallScreen_;
    std::int32_t todayDay_ = 0;
    MonthNavigation nav_;
    SiblingLink link_;
    bool settingsEntered_ = false;
    bool saveProblemsReported_ = false;
    bool firstShow_ = true;
    bool firstShowDone_ = false;
    bool askSetup_ = true;
    bool activating_ = false;
    bool linkBoxClosing_ = false;
    bool initialisationFailed_ = false;
    int savedTop_ = 0;
    int savedLeft_ = 0;

    QTabWidget* pageControl_ = nullptr;
    QWidget* tsMonth_ = nullptr;
    QWidget* tsYear_ = nullptr;
    YearPage* yearPage_ = nullptr;
    SettingsPage* settingsPage_ = nullptr;
    MonthPane* monthPage_ = nullptr;
    QWidget* tsSettei_ = nullptr;
    QLabel* clockPanel_ = nullptr;
    QLabel* folderPanel_ = nullptr;
    MainMenus menus_;
    class Dressing;
    bool captureHidden_ = false;
    QPointer<CalendarImageWindow> imageWindow_;
    QTimer* timer1_ = nullptr;
};

}  // namespace korvane
