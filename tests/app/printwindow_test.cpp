#include "print/printwindow.h"

#include "app/headlesscalendar.h"
#include "app/mainsettings.h"
#include "core/prompt.h"
#include "print/engine/previewwindow.h"
#include "print/engine/progresswindow.h"
#include "print/printerpresets.h"
#include "settings/inifile.h"
#include "settings/settingswriter.h"
#include "testsupport.h"

#include "../files.h"
#include "../golden.h"
#include "../print/fakeprintsystem.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace korvane {
namespace {

using testing::FakePrintSystem;

using Calendar = testing::TestCalendar;

class PrintWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    Calendar calendar{dir.path() + u'/'};
    FakePrintSystem system;
    std::unique_ptr<PrintWindow> window;

    void SetUp() override {
        FakePrintSystem::Printer office;
        office.name = QStringLiteral("Office");
        system.add(office);
        calendar.ShowMonth(2026, 5);
    }
    PrintWindow& open() {
        window = std::make_unique<PrintWindow>(calendar, system, dir.path() + u'/');
        window->ModalPreview = false;
        return *window;
    }
    template <typename T>
    T* child(const char* name) const {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString printersIni() const { return dir.filePath(QStringLiteral("Printers.ini")); }
};

TEST_F(PrintWindowTest, MonthStepsMoveTheMainWindow) {
    PrintWindow& w = open();
    w.btnYokugetuClick();
    EXPECT_EQ(calendar.ShownMonth(), 6);
    EXPECT_EQ(child<QLabel>("lblYYMM")->text(), QStringLiteral("2026 年  6 月"));
    w.btnZengetuClick();
    w.btnZengetuClick();
    EXPECT_EQ(calendar.ShownMonth(), 4);
    EXPECT_EQ(child<QLabel>("lblYYMM")->text(), QStringLiteral("2026 年  4 月"));
    calendar.ShowMonth(2027, 12);  // the main window moved on its own
    w.RefreshMonthLabel();
    EXPECT_EQ(child<QLabel>("lblYYMM")->text(), QStringLiteral("2027 年 12 月"));
}

TEST_F(PrintWindowTest, PagesShowAndHideTheSharedControls) {
    PrintWindow& w = open();
    w.show();
    w.ShowPage(w.tsPapers);
    EXPECT_FALSE(child<QCheckBox>("cbWB")->isVisible());
    EXPECT_FALSE(child<QCheckBox>("cbSmall")->isVisible());
    EXPECT_TRUE(child<QCheckBox>("cbNotPrev")->isVisible());
    w.ShowPage(w.tsCal);
    EXPECT_TRUE(child<QCheckBox>("cbWB")->isVisible());
    EXPECT_TRUE(child<QCheckBox>("cbSmall")->isVisible());
    // The presets' page: shown on request, the shared panel hidden; another page hides it again.
    child<QPushButton>("btnHenkou")->click();
    EXPECT_EQ(w.PageControl1->currentWidget(), w.tsPrinters);
    EXPECT_TRUE(w.PageControl1->isTabVisible(w.PageControl1->indexOf(w.tsPrinters)));
    EXPECT_FALSE(w.pnlKyoutuu->isVisible());
    for (QAction* a : w.findChildren<QAction*>())  // 印刷 → カレンダ
        if (a->text() == QStringLiteral("カレンダ(&C)")) a->trigger();
    EXPECT_EQ(w.PageControl1->currentWidget(), w.tsInsatu);
    EXPECT_FALSE(w.PageControl1->isTabVisible(w.PageControl1->indexOf(w.tsPrinters)));
    EXPECT_TRUE(w.pnlKyoutuu->isVisible());
}

// The window shows what Printers.ini holds and writes it back on closing: the recording that
// changes every key comes back unchanged, with the keys of the file's other writers (the presets
// follow them).
TEST_F(PrintWindowTest, SettingsComeFromAndGoBackToPrintersIni) {
    const QByteArray changed = testing::ChangedIni("Ini_printers") + "[Set]\r\ncbVelmar=1\r\n";
    ASSERT_TRUE(testing::WriteFile(printersIni(), changed));
    open();
    EXPECT_TRUE(calendar.ShownGrid().UeTume());  // restoring top packing packs the grid too
    window->close();
    EXPECT_EQ(testing::ReadFile(printersIni()).left(changed.size()).toStdString(),
              changed.toStdString());
    // From no file the defaults come back as well, where a box's own start differs from them.
    QFile::remove(printersIni());
    open();
    window->close();
    EXPECT_TRUE(IniFile(printersIni()).ReadBool("Print", "cbExDate", false));
}

// Read-only settings (pictures) write nothing.
TEST_F(PrintWindowTest, ReadOnlySettingsAreNotWritten) {
    window = std::make_unique<PrintWindow>(calendar, system, dir.path() + u'/', nullptr, true);
    window->close();
    EXPECT_FALSE(QFile::exists(printersIni()));
}

TEST_F(PrintWindowTest, RokuyoAndTopPackingFollowTheMainWindow) {
    calendar.ApplyRokuyoDisplay(true);
    PrintWindow& w = open();
    EXPECT_TRUE(child<QCheckBox>("cbRokuyou")->isChecked());
    child<QCheckBox>("cbRokuyou")->click();
    EXPECT_FALSE(calendar.RokuyoDisplay());
    child<QCheckBox>("cbUetume")->click();
    EXPECT_TRUE(calendar.ShownGrid().UeTume());
    (void)w;
}

// The chosen preset's printer prints; the job's paper and orientation do not change the preset.
TEST_F(PrintWindowTest, AChosenPresetOutlivesPrintingAndARestart) {
    system.add({.name = "Label", .papers = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A3)}});
    PrintWindow& w = open();
    EXPECT_EQ(child<QLabel>("lblYoushiMei")->text(), QStringLiteral("Ａ４　縦"));
    w.Presets().SelectPreset(3);
    w.Presets().OpenEditor();
    auto* printers = child<QComboBox>("cbPrinters");
    printers->setCurrentIndex(printers->findText("Label"));
    child<QComboBox>("cbPapers")->setCurrentIndex(child<QComboBox>("cbPapers")->findText("A3"));
    child<QRadioButton>("rbYoko")->setChecked(true);
    child<QLineEdit>("edtMeishou")->setText(QStringLiteral("ラベル Ａ３"));
    ASSERT_TRUE(w.Presets().Register());
    EXPECT_EQ(child<QLabel>("lblYoushiMei")->text(), QStringLiteral("ラベル Ａ３"));
    EXPECT_EQ(child<QLabel>("lblPName")->text(), "Label");
    child<QCheckBox>("cbNotPrev")->setChecked(true);
    child<QPushButton>("btnHA4W")->click();  // A4 portrait, sent at once
    ASSERT_EQ(system.jobs.size(), 1u);
    EXPECT_EQ(system.jobs[0].Printer, "Label");
    w.close();
    window.reset();

    PrintWindow& again = open();
    EXPECT_EQ(again.Presets().Selected(), 3);
    EXPECT_EQ(again.Setup().Current().Printer, "Label");
    EXPECT_EQ(again.Setup().PaperNumber(), 8);
    EXPECT_TRUE(again.Setup().Landscape());
    EXPECT_EQ(child<QLabel>("lblYoushiMei")->text(), QStringLiteral("ラベル Ａ３"));
    EXPECT_EQ(child<QLabel>("lblPSize")->text(), "A3");
    EXPECT_EQ(child<QLabel>("lblHoukou")->text(), QStringLiteral("横"));
}

// A Printers.ini that cannot be written is said once a run, not at every save.
TEST_F(PrintWindowTest, ASaveThatFailsIsSaidOnce) {
    PrintWindow& w = open();
    QFile::remove(printersIni());
    ASSERT_TRUE(QDir().mkdir(printersIni()));
    EXPECT_FALSE(w.SaveSettings());
    EXPECT_FALSE(w.SaveSettings());
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(prompt.texts()[0].startsWith("印刷の設定を保存できませんでした。\r\n"));
}

// The main window, the print window and its presets write Printers.ini in turn; each save
// reads the file afresh, so none loses the others' keys.
TEST_F(PrintWindowTest, WritersOfPrintersIniKeepEachOthersKeys) {
    PrintWindow& w = open();
    IniFile file(printersIni());
    const auto mainWindowSave = [&](const QString& folder) {
        SaveProblems problems;
        SettingsWriter out(file, problems);
        PrintersSetSection set;
        set.cbFTP = true;
        set.edtFolder1 = folder;
        set.Write(out);
        out.Commit();
        EXPECT_TRUE(problems.empty());
    };
    mainWindowSave(QStringLiteral("/data/velmar"));
    w.Presets().SelectPreset(4);
    w.Presets().OpenEditor();
    child<QLineEdit>("edtMeishou")->setText(QStringLiteral("営業部"));
    ASSERT_TRUE(w.Presets().Register());
    child<QCheckBox>("cbWB")->setChecked(true);
    w.close();
    mainWindowSave(QStringLiteral("/data/velmar2"));

    const IniFile result(printersIni());
    EXPECT_EQ(result.ReadString("Set", "edtFolder1", {}), "/data/velmar2");
    EXPECT_EQ(result.ReadString("Set", "cbFTP", {}), "1");
    EXPECT_EQ(result.ReadSection("Print").size(), 21);
    EXPECT_EQ(result.ReadString("Print", "cbWB", {}), "1");
    EXPECT_EQ(result.ReadString("Printer", "vBtn", {}), "4");
    EXPECT_EQ(result.ReadString("Printer", "btnC4", {}), QStringLiteral("営業部"));
    EXPECT_TRUE(result.ValueExists("Printer", "Printer4_c"));
    EXPECT_TRUE(result.ValueExists("Printer", "Printer0_c"));
}

TEST_F(PrintWindowTest, ALayoutButtonShowsThePreview) {
    PrintWindow& w = open();
    child<QPushButton>("btnMA4")->click();
    PreviewWindow* preview = w.Document().View();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(w.Document().RecordedGeometry().PageWidth, 2970);
    EXPECT_EQ(w.Document().Title, QStringLiteral("カレンダー"));
    EXPECT_TRUE(system.jobs.empty());
    EXPECT_FALSE(w.Progress()->isVisible());
    EXPECT_EQ(child<QLabel>("lblHoukou")->text(), QStringLiteral("横"));
    preview->close();

    // 少し小さく印刷 and the position offsets reach the page.
    child<QCheckBox>("cbSmall")->setChecked(true);
    child<QSpinBox>("udCTop")->setValue(5);
    child<QPushButton>("btnHA4")->click();
    bool framed = false;
    for (const PageOp& o : w.Document().Page(1).Ops)
        if (o.kind == PageOp::Rectangle) {
            EXPECT_EQ(o.rect.top(), 256 + 50);
            EXPECT_EQ(o.rect.left(), 114);
            framed = true;
        }
    EXPECT_TRUE(framed);
    w.Document().ClosePreview();
}

// The window's boxes reach the page: each takes its text off.
TEST_F(PrintWindowTest, ScheduleItemsTitleAndDatePrintOnlyWhenChosen) {
    MonthPage& may = calendar.ShownGrid().MonthPages()[1];
    may.Year = 2026;
    may.Month = 5;
    may.Lines = QStringList{QStringLiteral("3,0,0,役員会")};
    PrintWindow& w = open();
    const auto printed = [&](const QString& needle) {
        bool found = false;
        for (const PageOp& o : w.Document().Page(1).Ops)
            found = found || (o.kind == PageOp::Text && o.text.contains(needle));
        w.Document().ClosePreview();
        return found;
    };
    const std::pair<const char*, QString> boxes[] = {
        {"cbNaiyou", "役員会"}, {"cbTitle", "2026 年 5 月"}, {"cbDate", "作成"}};
    for (const auto& [box, needle] : boxes) {
        child<QCheckBox>(box)->setChecked(true);
        child<QPushButton>("btnMA4")->click();
        EXPECT_TRUE(printed(needle)) << box;
        child<QCheckBox>(box)->setChecked(false);
        child<QPushButton>("btnMA4")->click();
        EXPECT_FALSE(printed(needle)) << box;
    }
}

TEST_F(PrintWindowTest, TheYearButtonsPrintTwelveMonthsAndKeepTheMonth) {
    PrintWindow& w = open();
    child<QCheckBox>("cbKeisen")->setChecked(false);
    child<QPushButton>("btnCB5V")->click();
    ASSERT_NE(w.Document().View(), nullptr);
    EXPECT_EQ(w.Document().RecordedGeometry().PageWidth, 1820);
    EXPECT_EQ(w.Document().RecordedGeometry().PageHeight, 2570);
    int frames = 0;
    for (const PageOp& o : w.Document().Page(1).Ops) frames += o.kind == PageOp::Rectangle;
    EXPECT_EQ(frames, 0);  // 罫線 off
    w.Document().ClosePreview();
    child<QCheckBox>("cbKeisen")->setChecked(true);
    // The position offsets move the twelve blocks.
    child<QSpinBox>("udCTop")->setValue(5);
    child<QSpinBox>("udCLeft")->setValue(-3);
    child<QPushButton>("btnCA4V")->click();
    frames = 0;
    for (const PageOp& o : w.Document().Page(1).Ops)
        if (o.kind == PageOp::Rectangle && frames++ == 0) {
            EXPECT_EQ(o.rect.topLeft(), QPoint(200 - 30, 350 + 50));
        }
    EXPECT_EQ(frames, 12);
    EXPECT_EQ(calendar.ShownMonth(), 5);
    EXPECT_EQ(child<QLabel>("lblHoukou")->text(), QStringLiteral("縦"));
    w.Document().ClosePreview();
}

TEST_F(PrintWindowTest, NoPreviewPrintsAtOnce) {
    PrintWindow& w = open();
    child<QCheckBox>("cbNotPrev")->setChecked(true);
    child<QPushButton>("btnHB5")->click();
    EXPECT_EQ(w.Document().View(), nullptr);
    ASSERT_EQ(system.jobs.size(), 1u);
    EXPECT_EQ(system.jobs[0].Printer, QStringLiteral("Office"));
}

TEST_F(PrintWindowTest, AFailedJobSaysSoAndShowsNothing) {
    PrintWindow& w = open();
    calendar.failOnNext = true;
    child<QPushButton>("btnMA4W")->click();
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("印刷がうまくできませんでした。")});
    EXPECT_EQ(prompt.entries()[0].caption, QStringLiteral("確認 -Korvane-"));
    EXPECT_EQ(w.Document().View(), nullptr);
    EXPECT_FALSE(w.Document().IsBuilt());
    EXPECT_EQ(calendar.ShownMonth(), 5);
    EXPECT_FALSE(calendar.ShownGrid().SkipUpDate);
    EXPECT_FALSE(w.Progress()->isVisible());
    EXPECT_TRUE(system.jobs.empty());
}

TEST_F(PrintWindowTest, AbortAtThePaperQuestionPrintsNothing) {
    PrintWindow& w = open();
    child<QCheckBox>("cbNotPrev")->setChecked(true);
    prompt.answer(true);                        // 印刷を中止しますか？ はい
    child<QPushButton>("btnHHagaki")->click();  // Office has no postcards
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("印刷を中止しますか？"));
    EXPECT_TRUE(system.jobs.empty());
    EXPECT_EQ(w.Document().View(), nullptr);

    // Going on makes a postcard page, which this printer refuses rather than put it on A4.
    prompt.clear();
    prompt.answer(false);
    child<QPushButton>("btnHHagaki")->click();
    EXPECT_EQ(w.Document().RecordedGeometry().PageWidth, 1480);
    ASSERT_FALSE(prompt.texts().isEmpty());
    EXPECT_TRUE(prompt.texts().last().startsWith(QStringLiteral("プリンタ「Office」には用紙")))
        << qPrintable(prompt.texts().last());
    EXPECT_TRUE(system.jobs.empty());
}

// The stationery tab counts the note's rows when shown (and keeps that count), and prints its
// sheets with the shared settings.
TEST_F(PrintWindowTest, StationeryPrintsAndIsKept) {
    IniFile(printersIni()).WriteInteger("Note", "udGyo", 5);
    PrintWindow& w = open();
    w.show();
    w.ShowPage(w.tsPapers);
    EXPECT_EQ(child<QSpinBox>("udGyo")->value(), 31);
    EXPECT_FALSE(child<QCheckBox>("cbWB")->isVisible());
    child<QCheckBox>("cbNotPrev")->setChecked(true);
    child<QSpinBox>("udCTop")->setValue(5);
    child<QPushButton>("btnNA4P")->click();
    ASSERT_EQ(system.jobs.size(), 1u);
    EXPECT_EQ(w.Document().Title, QStringLiteral("書類印刷"));
    EXPECT_EQ(w.Document().Page(1).Ops.front().from, QPoint(250, 250));  // 5 mm lower
    child<QPushButton>("btnGA4P")->click();
    EXPECT_EQ(system.jobs.size(), 2u);
    w.close();
    EXPECT_EQ(IniFile(printersIni()).ReadString("Note", "udGyo", {}), "31");  // as counted
}

// The letters print on their own paper; the menu opens their pages.
TEST_F(PrintWindowTest, LettersPrintOnTheirPaperAndAreKept) {
    IniFile(printersIni()).WriteInteger("Soufu", "rgSYoushi", 1);
    PrintWindow& w = open();
    w.show();
    child<QCheckBox>("cbNotPrev")->setChecked(true);
    child<QPushButton>("btnSoufu")->click();
    ASSERT_EQ(system.jobs.size(), 1u);
    EXPECT_EQ(w.Document().Title, QStringLiteral("書類印刷（送り状）"));
    EXPECT_TRUE(system.jobs[0].Settings.PageSize.isEquivalentTo(QPageSize(QPageSize::JisB5)));
    child<QPushButton>("btnFax")->click();
    ASSERT_EQ(system.jobs.size(), 2u);
    EXPECT_TRUE(system.jobs[1].Settings.PageSize.isEquivalentTo(QPageSize(QPageSize::A4)));
    for (QAction* a : w.findChildren<QAction*>())
        if (a->text() == QStringLiteral("ファックス(&F)")) a->trigger();
    EXPECT_EQ(child<QTabWidget>("PageControl2")->currentWidget(), child<QWidget>("tsFax"));
    EXPECT_EQ(child<QTabWidget>("PageControl1")->currentWidget(), w.tsPapers);
}

}  // namespace
}  // namespace korvane
