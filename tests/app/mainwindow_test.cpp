#include "app/mainwindow.h"
#include "app/aboutdialog.h"
#include "app/ftpsettings.h"
#include "app/mainsettings.h"
#include "app/settingspage.h"
#include "app/updatereminderdialog.h"
#include "app/windowpictures.h"
#include "app/windowplacement.h"
#include "app/yearpage.h"
#include "mainwindowfixture.h"

#include "../golden.h"

#include "../files.h"
#include "calendar/daynumber.h"
#include "calendar/minicalendar.h"
#include "calendar/monthgrid.h"
#include "core/clock.h"
#include "core/codec.h"
#include "core/fonts.h"
#include "core/prompt.h"
#include "print/engine/printsystem.h"
#include "print/printwindow.h"
#include "settings/inifile.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace korvane {
namespace {

TEST_F(MainWindowTest, MonthTabsAndStepsPastThem) {
    open(2026, 12, 7);
    tabs()->setCurrentIndex(4);  // March 2027
    EXPECT_EQ(window->Grid()->Month(), 3);
    window->StepMonth(1);
    EXPECT_TRUE(window->ExtraMonthMode());
    EXPECT_EQ(tabs()->tabText(0), "2027. 4");
    EXPECT_EQ(window->Grid()->Month(), 4);
    find<QAction>("mnHyoujun")->trigger();  // the five months again
    EXPECT_FALSE(window->ExtraMonthMode());
    EXPECT_EQ(window->Grid()->Month(), 12);
    tabs()->setCurrentIndex(1);  // "今月"
    EXPECT_FALSE(window->ExtraMonthMode());
    EXPECT_EQ(tabs()->count(), 5);
    EXPECT_EQ(window->Grid()->Month(), 12);
    window->StepMonth(-1);  // within the loaded months: the standard tabs stay
    EXPECT_FALSE(window->ExtraMonthMode());
    EXPECT_EQ(tabs()->currentIndex(), 0);
    find<QPushButton>("btnM9")->click();  // 今月
    EXPECT_EQ(tabs()->currentIndex(), 1);
}

// Once the first window of a new copy is up, the set-up is offered; only once.
TEST_F(MainWindowTest, TheFirstStartOffersTheSetUpOnce) {
    firstRun = true;
    open(2026, 12, 9);
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prompt.texts().isEmpty(); }, 2000));
    EXPECT_TRUE(prompt.texts()[0].startsWith(
        "「Korvane」Ver1.2.1 のセットアップを今すぐ行いますか？\r\n\r\n[はい]"));
    // Shown again (after the picture window, say), it keeps its page and the focus.
    window->ActivateMainWindow();
    pages()->setCurrentWidget(find<QWidget>("tsSettei"));
    find<QCheckBox>("cb24ji")->setFocus();
    window->hide();
    window->show();
    window->ActivateMainWindow();
    QTest::qWait(20);
    EXPECT_EQ(prompt.texts().size(), 1);
    EXPECT_EQ(pages()->currentWidget(), find<QWidget>("tsSettei"));
    EXPECT_EQ(window->focusWidget(), find<QCheckBox>("cb24ji"));
}

// The set-up opens from its menu on the settings as they are now: the copy it starts reads them.
TEST_F(MainWindowTest, TheSetUpMenuSavesTheSettingsFirst) {
    open(2026, 12, 9);
    find<QCheckBox>("cb24ji")->setChecked(true);
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    find<QAction>("mnSetup")->trigger();
    const IniFile ini(dir.filePath("settings/Korvane.ini"));
    EXPECT_TRUE(ini.ReadBool("Settei", "cb24ji", false));
    EXPECT_TRUE(ini.SectionExists("Setup"));  // the window was there
}

TEST_F(MainWindowTest, JumpsTooFarAreRefused) {
    open(2026, 12, 7);
    window->GoToMonth("000101");
    window->GoToMonth("999912");
    EXPECT_EQ(prompt.texts(), QStringList({"日付がむかしすぎます。", "日付が未来すぎます。"}));
    EXPECT_FALSE(window->ExtraMonthMode());
    EXPECT_EQ(window->Grid()->Year(), 2026);
    window->Grid()->GoToDate(9999, 12, 1);
    prompt.clear();
    window->StepMonth(1);
    EXPECT_EQ(prompt.texts(), QStringList{"日付が未来すぎます。"});
}

// The year page is drawn when first shown (the red of Sunday's heading, not a blank picture);
// its mode radios, year steps and the year typed move all twelve months.
TEST_F(MainWindowTest, YearPage) {
    open(2007, 2, 10);
    window->show();
    EXPECT_EQ(find<QLabel>("lblYM")->text(), "2007/1 - 2007/12");
    pages()->setCurrentWidget(find<QWidget>("tsYear"));
    const QImage picture = window->Mini(1)->grab().toImage();
    int red = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 100 && c.blue() < 100;
        }
    EXPECT_GT(red, 5);
    radio("rgYFirstMonth", 1)->click();  // 年度
    EXPECT_EQ(find<QLabel>("lblYM")->text(), "2006/4 - 2007/3");
    EXPECT_EQ(window->Mini(12)->Year(), 2007);
    find<QPushButton>("FramSpeedBtn7")->click();
    EXPECT_EQ(find<QLabel>("lblYM")->text(), "2005/4 - 2006/3");
    find<QPushButton>("FramSpeedBtn8")->click();
    find<QPushButton>("FramSpeedBtn8")->click();
    EXPECT_EQ(find<QLabel>("lblYM")->text(), "2007/4 - 2008/3");
    find<QSpinBox>("udYear")->setValue(2030);
    find<QPushButton>("FramSpeedBtn16")->click();
    EXPECT_EQ(window->Mini(1)->Year(), 2030);
    find<QSpinBox>("SpHajimariTuki")->setValue(9);
    radio("rgYFirstMonth", 2)->click();  // 特別
    EXPECT_EQ(window->Mini(1)->Month(), 9);
    radio("rgStYoubi", 1)->click();  // 月曜
    EXPECT_EQ(window->Grid()->FirstDayOfWeek(), dowMon);
    for (int tag = 1; tag <= 12; ++tag) EXPECT_EQ(window->Mini(tag)->FirstDayOfWeek(), dowMon);
}

// Keys move a mini calendar's day without a question, Alt+arrows turn the window's pages, and
// a click on any day (the selected one too) asks before showing its month.
TEST_F(MainWindowTest, MiniCalendarAsksOnAClickNotOnKeys) {
    open(2026, 12, 7);
    window->show();
    pages()->setCurrentWidget(find<QWidget>("tsYear"));
    window->YearView()->LayOutYear(2027, 1);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    MiniCalendar* mini = window->Mini(3);
    mini->setFocus();
    QTest::keyClick(mini, Qt::Key_Right);
    QTest::keyClick(mini, Qt::Key_Down);
    EXPECT_EQ(mini->Day(), 9);
    QTest::keyClick(mini, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(pages()->currentWidget(), find<QWidget>("tsMonth"));  // the settings page has no tab
    QTest::keyClick(window->Grid(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(pages()->currentWidget(), find<QWidget>("tsYear"));
    EXPECT_TRUE(prompt.texts().isEmpty());
    auto cellOf = [&](int day) {
        const int index = int(EncodeDayNumber(2027, 3, std::uint8_t(day)) - mini->FirstCellDay());
        return mini->CellRect(index % 7, index / 7 + 1).center() + mini->contentsRect().topLeft();
    };
    prompt.answer(false);
    QTest::mouseClick(mini, Qt::LeftButton, {}, cellOf(9));  // the selected day
    EXPECT_EQ(prompt.texts(), QStringList{"2027 年 3 月のマンスリーカレンダーを表示しますか？"});
    EXPECT_EQ(pages()->currentWidget(), find<QWidget>("tsYear"));
    prompt.answer(true);
    QTest::mouseClick(mini, Qt::LeftButton, {}, cellOf(20));
    EXPECT_EQ(pages()->currentWidget(), find<QWidget>("tsMonth"));
    EXPECT_EQ(window->Grid()->Month(), 3);
    EXPECT_EQ(tabs()->currentIndex(), 4);
}

// Every month tab is whole on the bar, in the normal and in the compact layout; the compact
// window of small screens is fixed and shows the month page only.
TEST_F(MainWindowTest, TabsWholeAndTheCompactWindow) {
    for (const bool small : {false, true}) {
        open(2026, 12, 7, small);
        window->show();
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(tabs()->rect().contains(tabs()->tabRect(i))) << i << " " << small;
            EXPECT_GE(tabs()->tabRect(i).width(), window->Grid()->LenDayW() - 1);
        }
    }
    EXPECT_EQ(window->Grid()->ItemGyo(), 3);
    for (int i = 0; i < pages()->count(); ++i)
        EXPECT_EQ(pages()->isTabVisible(i), pages()->widget(i) == find<QWidget>("tsMonth"));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

// Every key of both files comes back through the window's controls: the recording that changes
// every key, saved again, is what it was but for the keys only ever written (the folder).
TEST_F(MainWindowTest, EverySettingComesBackThroughTheWindow) {
    const QByteArray changed = testing::ChangedIni("Ini");
    const qsizetype set = changed.indexOf("[Set]");
    const std::pair<QString, QByteArray> files[] = {{"settings/Korvane.ini", changed.left(set)},
                                                    {"settings/Printers.ini", changed.mid(set)}};
    QDir().mkpath(dir.filePath("settings"));
    for (const auto& [name, bytes] : files)
        ASSERT_TRUE(testing::WriteFile(dir.filePath(name), bytes));
    open(2026, 12, 7);
    window->PlaceWindow(QRect(0, 0, 4000, 3000));  // where it was closed
    EXPECT_EQ(window->Grid()->FirstDayOfWeek(), dowMon);
    ASSERT_TRUE(window->SaveAllSettings());
    for (const auto& [name, bytes] : files) {
        QString back = Cp932::decode(testing::ReadFile(dir.filePath(name)));
        back.replace("Folder=" + dir.filePath("prog") + "/\r\n", "Folder=\r\n");
        EXPECT_EQ(back.toStdString(), Cp932::decode(bytes).toStdString());
    }
}

// What the settings page shows it collects from its controls alone, not from what it was given:
// every key of both files but the year page's and the window's place.
TEST(SettingsPageTest, EveryKeyShownIsCollectedFromItsControl) {
    QTemporaryDir program;
    const IniFile changed = IniFile::InMemory(testing::ChangedIni("Ini"));
    KorvaneIni shown;
    PrintersSetSection options;
    shown.Read(changed);
    options.Read(changed);
    SettingsPage page(program.path() + u'/');
    page.ShowSettings(shown);
    page.ShowOptions(options);
    page.ShowRokuyo(shown.Settei.visRokuyou);
    KorvaneIni back;
    PrintersSetSection backOptions;
    page.CollectSettings(back);
    page.CollectOptions(backOptions);
    const auto lines = [](const KorvaneIni& ini, const PrintersSetSection& set) {
        return Cp932::decode(testing::WrittenSettings(ini, set)).split("\r\n");
    };
    const QStringList want = lines(shown, options), got = lines(back, backOptions);
    ASSERT_EQ(got.size(), want.size());
    QStringList others;
    for (qsizetype i = 0; i < want.size(); ++i)
        if (got[i] != want[i]) others << want[i];
    EXPECT_EQ(others,
              QStringList({"rgYFirstMonth=2", "fmC21Top=40", "fmC21Left=30", "SpHajimariTuki=9"}));
}

// Items are in the fixed-pitch face unless the user turns it off, at once.
TEST_F(MainWindowTest, TheItemFaceFollowsItsOption) {
    open(2026, 12, 7);
    const auto face = [&] {
        return window->Grid()->Fonts().Font(CalendarFonts::DayOfWeek).Font.family();
    };
    EXPECT_EQ(face(), "IPAGothic");
    find<QCheckBox>("cbToubai")->click();
    EXPECT_EQ(face(), "IPAPGothic");
}

// A program folder the code page cannot hold ("jürgen") costs that one key, not the save: every
// other key is written, the folder keeps what was stored, and the user hears of it once.
TEST_F(MainWindowTest, OneValueTheFileCannotTakeCostsOnlyThatKey) {
    QDir().mkpath(dir.filePath("settings"));
    IniFile(dir.filePath("settings/Korvane.ini")).WriteString("Header", "Folder", "/old/");
    open(2026, 12, 7, false, "prog/jürgen/");
    find<QCheckBox>("cb24ji")->setChecked(true);
    find<QCheckBox>("cbReadSpl")->setChecked(true);
    EXPECT_FALSE(window->SaveAllSettings());
    const IniFile ini(dir.filePath("settings/Korvane.ini"));
    EXPECT_EQ(ini.ReadString("Header", "Folder", ""), "/old/");
    EXPECT_TRUE(ini.ReadBool("Settei", "cb24ji", false));
    EXPECT_TRUE(IniFile(dir.filePath("settings/Printers.ini")).ReadBool("Set", "cbReadSpl", false));
    ASSERT_EQ(prompt.entries().size(), 1u);
    EXPECT_TRUE(prompt.texts()[0].startsWith(
        "ItemHozon Err\r\n次の設定を保存できませんでした。\r\nFolder, edtSaveFolder: "));
    EXPECT_FALSE(window->SaveAllSettings());
    EXPECT_EQ(prompt.entries().size(), 1u);  // once a run
}

// A settings file that cannot be read is named at the start, and the old bytes stay.
TEST_F(MainWindowTest, AnUnreadableSettingsFileIsNamedAtTheStart) {
    QDir().mkpath(dir.filePath("settings/Korvane.ini"));  // a folder: it cannot be read as a file
    open(2026, 12, 7);
    ASSERT_EQ(prompt.texts().size(), 1u);
    EXPECT_TRUE(prompt.texts()[0].startsWith(
        "設定ファイル " + dir.filePath("settings/Korvane.ini") + " を読み込めません。"));
    EXPECT_FALSE(window->SaveAllSettings());
    EXPECT_TRUE(QFileInfo(dir.filePath("settings/Korvane.ini")).isDir());
}

TEST_F(MainWindowTest, SpriteMarkerExistsExactlyWhileTheOptionIsChecked) {
    open(2026, 12, 7);
    auto* sprite = find<QCheckBox>("cbSprite");
    EXPECT_TRUE(sprite->isHidden());  // the management sheet's, reached by its key alone
    const QString marker = dir.filePath("prog/sptoff.kvn");
    sprite->click();
    EXPECT_FALSE(QFileInfo::exists(marker));
    sprite->click();
    EXPECT_EQ(testing::ReadFile(marker),
              *Cp932::encode("このフォルダのKorvaneの、スプライトは表示しません。\r\n"));
    sprite->click();
    EXPECT_FALSE(QFileInfo::exists(marker));
}

// On the picture sheet a name typed with "." goes back to what it was; a chosen folder must be
// there. The layout windows' names show only beside the marker file.
TEST_F(MainWindowTest, PictureSettingsSheet) {
    open(2026, 12, 7);
    EXPECT_TRUE(find<QLineEdit>("edtC2")->isHidden());
    QLineEdit* file = find<QLineEdit>("edtFile1");
    QTest::keyClicks(file, "x");
    QTest::keyClicks(file, ".");
    EXPECT_EQ(file->text(), "KorMonthx");
    EXPECT_EQ(prompt.texts(), QStringList{"拡張子を付けてはいけません。"});
    prompt.answerName(dir.filePath("gone"));
    prompt.answerName(dir.path());
    find<QPushButton>("btnSaveFolder")->click();
    EXPECT_EQ(prompt.texts().last(), "メディアがセットされていません。\r\n中止します。");
    find<QPushButton>("btnSaveFolder")->click();
    ASSERT_TRUE(window->SaveAllSettings());
    const IniFile ini(dir.filePath("settings/Korvane.ini"));
    EXPECT_EQ(ini.ReadString("Option", "edtSaveFolder", ""), dir.path() + "/");
}

// The menus do what they say; the picture menus show only beside the marker file.
TEST_F(MainWindowTest, MenuEntriesActAndFollowTheMarker) {
    open(2026, 12, 7);
    EXPECT_FALSE(find<QAction>("mnPRC1")->isVisible());
    EXPECT_TRUE(find<QAction>("mnZengetu")->isVisible());
    // The settings page has no tab of its own: the menu opens it.
    EXPECT_FALSE(pages()->isTabVisible(pages()->indexOf(find<QWidget>("tsSettei"))));
    auto* settings = find<QTabWidget>("PageControl3");  // nor has the management page
    EXPECT_FALSE(settings->isTabVisible(settings->indexOf(find<QWidget>("tsKanri"))));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_J, Qt::ControlModifier);  // 前月
    EXPECT_EQ(window->Grid()->Month(), 11);
    find<QPushButton>("btnM9")->setFocus();
    find<QAction>("mnHyoujun")->trigger();  // the keys go to the days again
    EXPECT_TRUE(window->Grid()->hasFocus());
    QTest::keyClick(window.get(), Qt::Key_Left, Qt::AltModifier);  // the page before, wrapping
    EXPECT_EQ(pages()->currentWidget(), find<QWidget>("tsYear"));
    find<QAction>("mnYokuNen")->trigger();
    EXPECT_EQ(window->Grid()->Year(), 2027);
    find<QAction>("N1")->trigger();
    EXPECT_EQ(pages()->currentWidget(), find<QWidget>("tsSettei"));
    EXPECT_FALSE(find<QMenu>("mnIdou")->isEnabled());  // moving is for the month page
    ASSERT_TRUE(testing::WriteFile(dir.filePath("prog/korvane.777")));
    open(2026, 12, 7);
    EXPECT_TRUE(find<QAction>("mnPRC1")->isVisible());
    EXPECT_FALSE(find<QLineEdit>("edtPRC1")->isHidden());
}

// A clock beyond the calendar's range cannot give this month: the start says so and ends.
TEST_F(MainWindowTest, FailedMonthInitialisationEndsTheStart) {
    open(5000000, 1, 1);
    EXPECT_TRUE(window->InitialisationFailed());
    EXPECT_EQ(prompt.texts(),
              QStringList({"月の初期設定に失敗しました。\r\n一旦、終了させますので\r\n"
                           "もう一度、立ち上げ直してください。"}));
}

TEST(StatusClock, JapaneseTwelveAndTwentyFourHours) {
    const QDateTime afternoon(QDate(2006, 12, 12), QTime(15, 5));
    EXPECT_EQ(ClockText(afternoon, false), "2006/12/12 (火) 午後 3 : 5");
    EXPECT_EQ(ClockText(afternoon, true), "2006/12/12 (火) 15 : 5");
    EXPECT_EQ(ClockText(QDateTime(QDate(2026, 1, 4), QTime(0, 30)), false),
              "2026/1/4 (日) 午前 12 : 30");
    EXPECT_EQ(ClockText(QDateTime(QDate(2026, 1, 4), QTime(12, 0)), false),
              "2026/1/4 (日) 午後 12 : 0");
}

TEST(YearOfTheYearPage, ByMode) {
    EXPECT_EQ(YearPageYear(0, 2007, 2, 9), 2007);
    EXPECT_EQ(YearPageYear(1, 2007, 2, 9), 2006);
    EXPECT_EQ(YearPageYear(1, 2007, 4, 9), 2007);
    EXPECT_EQ(YearPageYear(2, 2026, 9, 9), 2026);
    EXPECT_EQ(YearPageYear(2, 2026, 8, 9), 2025);
}

// Making the pictures writes no settings.
TEST_F(MainWindowTest, PicturesWriteNoSettings) {
    open(2026, 12, 7, false, "prog/", true);
    window->show();
    const QString folder = dir.filePath("shots");
    ASSERT_TRUE(SaveWindowPictures(*window, folder));
    EXPECT_FALSE(QImage(folder + "/month.png").isNull());
    EXPECT_TRUE(QFileInfo::exists(folder + "/settings-images.png"));
    window->close();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("settings/Korvane.ini")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("settings/Printers.ini")));
}

// Counted from the build's release day.
TEST(Reminder, DueFromDay456AndAgainAfterFifteenOrSixtyDays) {
    EXPECT_EQ(kReleaseDate, QDate::fromString(KORVANE_RELEASE_DATE, Qt::ISODate));
    const QDate due = kReleaseDate.addDays(456);
    EXPECT_FALSE(ReminderDue(due.addDays(-1), 0));
    EXPECT_TRUE(ReminderDue(due, 0));
    const int offset = OffsetAfterReminder(due, 0, false);
    EXPECT_EQ(offset, 16);
    EXPECT_FALSE(ReminderDue(due.addDays(15), offset));
    EXPECT_TRUE(ReminderDue(due.addDays(16), offset));
    EXPECT_EQ(OffsetAfterReminder(kReleaseDate.addDays(7300), 0, true), 7300 - 455 + 60);
    EXPECT_FALSE(ReminderDue(kReleaseDate, 0));     // a build of today does not greet its user
    EXPECT_TRUE(QFileInfo(UsersGuide()).isFile());  // what the web entries open without a home page
}

// The window moves the reminder on by itself: 15 days after a plain close, 60 after the web page.
TEST_F(MainWindowTest, ReminderAtActivationOnlyOncePerDay) {
    int shown = 0;
    bool web = false;
    const QDate due = kReleaseDate.addDays(456);
    for (const QDate day : {due, due, due.addDays(-1)}) {
        open(day.year(), day.month(), day.day());
        window->ShowInfoHook = [&] {
            ++shown;
            return web;
        };
        window->ActivateMainWindow();
        window->ActivateMainWindow();
        EXPECT_EQ(window->InfoReminderOffset, day < due ? 0 : web ? 61 : 16);
        web = true;
    }
    EXPECT_EQ(shown, 2);
}

// The activation that closing the warning gives back does not warn again; the next one does,
// and so does one that comes only after a while.
TEST_F(MainWindowTest, LinkWarningAtEveryRealActivation) {
    open(2008, 1, 1);
    find<QCheckBox>("cbVelmar")->setChecked(true);
    const QString warning =
        "Velmar／Tesskaの起動フォルダの設定は、正しいですか？\r\n起動フォルダを設定し直して下さい"
        "。";
    window->ActivateMainWindow();
    window->ActivateMainWindow();  // from the box closing
    EXPECT_EQ(prompt.texts().count(warning), 1);
    window->ActivateMainWindow();
    EXPECT_EQ(prompt.texts().count(warning), 2);
    QTest::qWait(700);
    window->ActivateMainWindow();
    EXPECT_EQ(prompt.texts().count(warning), 3);
    find<QCheckBox>("cbVelmar")->setChecked(false);
    QTest::qWait(700);
    window->ActivateMainWindow();
    EXPECT_EQ(prompt.texts().count(warning), 3);
}

TEST(VersionWindows, AboutBuildCodeAndInfoText) {
    AboutDialog about;
    const auto chord = [&](Qt::Key key) {
        QTest::keyClick(&about, key, Qt::ControlModifier | Qt::ShiftModifier);
    };
    chord(Qt::Key_V);
    QTest::keyClick(&about, Qt::Key_X);  // anything else in between cancels
    chord(Qt::Key_J);
    EXPECT_FALSE(about.BuildCodeShown());
    chord(Qt::Key_V);
    chord(Qt::Key_J);
    EXPECT_TRUE(about.BuildCodeShown());
    EXPECT_EQ(about.findChild<QLabel*>("lblVerKaku")->text(), "121201");
    about.show();
    about.findChild<QPushButton*>("FramSpeedBtn1")->click();
    EXPECT_FALSE(about.isVisible());
    UpdateReminderDialog info(kReleaseDate.addDays(456));
    EXPECT_TRUE(info.InfoText().startsWith(
        "　Korvane Ver1.2.1 が公開されて、456 日が経過しています。\r\n"));
}

TEST(VersionWindows, ThePropertiesNameTheFileItsFolderAndSize) {
    ScriptedPrompt prompt;
    const QFileInfo self(QCoreApplication::applicationFilePath());
    ShowFileProperties(self.filePath());
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(
        prompt.texts()[0].startsWith(QStringLiteral("名前：%1\r\n場所：%2\r\nサイズ：%3 バイト")
                                         .arg(self.fileName(), self.absolutePath())
                                         .arg(self.size())));
}

// The window's place at start, for a 1366 x 728 work area below a 40-pixel panel.
TEST(WindowPlacement, StoredPlacesStayOnTheWorkArea) {
    const QRect work(0, 40, 1366, 728);  // bottom edge at 768, right at 1366
    const QSize frame(900, 600);
    const QPoint here(7, 7);
    const struct {
        bool restore;
        QPoint stored, expected;
    } cases[] = {
        {false, {10, 10}, {233, 104}},        // centred
        {true, {10, 60}, {10, 60}},           // as stored
        {true, {99999, 60}, {466, 60}},       // off the right edge: moved in
        {true, {100, -3000}, {100, 40}},      // above the top: under the panel
        {true, {466, 168}, {466, 168}},       // exactly in the corner
        {true, {466, 169}, {233, 104}},       // one pixel lower: centred
        {true, {0, 2147483647}, {233, 104}},  // far below, without overflowing
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowPosition(frame, work, c.restore, c.stored, false, here), c.expected)
            << c.stored.x() << "," << c.stored.y();
    // Larger than the work area: the corner, or where it is on a small screen.
    EXPECT_EQ(WindowPosition(QSize(1400, 600), work, true, {50, 50}, false, here), QPoint(0, 0));
    EXPECT_EQ(WindowPosition(QSize(900, 800), work, false, {}, true, here), here);
    EXPECT_EQ(WindowPosition(frame, QRect(), true, {99999, 5}, false, here), QPoint(0, 0));
}

// Compact only where the normal window does not fit: 200 % on 2560 x 1440 still fits it.
TEST(WindowPlacement, CompactOnlyWhereTheNormalWindowDoesNotFit) {
    const QSize normal(950, 660);
    EXPECT_FALSE(NeedsCompactWindow(normal, QRect(0, 32, 1280, 688)));
    EXPECT_FALSE(NeedsCompactWindow(normal, QRect(0, 0, 950, 660)));
    EXPECT_TRUE(NeedsCompactWindow(normal, QRect(0, 0, 1024, 600)));
    EXPECT_TRUE(NeedsCompactWindow(normal, QRect(0, 0, 949, 800)));
    EXPECT_FALSE(NeedsCompactWindow(normal, QRect()));  // no screen known
}

TEST_F(MainWindowTest, PrintButtonOpensThePrintWindowOnTheShownMonth) {
    open(2026, 12, 7);
    NoPrinterSystem none;
    window->PrintSystemOverride = &none;
    window->GoToMonth(QStringLiteral("202702"));
    QString shown;
    int steppedTo = 0;
    // The window is modal: look at it and close it from inside.
    QTimer::singleShot(0, [&] {
        PrintWindow* w = window->PrintWindowIfMade();
        ASSERT_NE(w, nullptr);
        shown = w->findChild<QLabel*>(QStringLiteral("lblYYMM"))->text();
        w->btnYokugetuClick();  // moves the main window as well
        steppedTo = window->ShownMonth();
        w->close();
    });
    find<QPushButton>("btnM5")->click();
    EXPECT_EQ(shown, QStringLiteral("2027 年  2 月"));
    EXPECT_EQ(steppedTo, 3);
    // Closing it stored its options beside the main window's.
    EXPECT_TRUE(IniFile(dir.filePath("settings/Printers.ini")).ValueExists("Print", "udMA4"));
}

}  // namespace
}  // namespace korvane
