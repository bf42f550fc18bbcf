#include "print/stationery/stationerypage.h"

#include "../golden.h"
#include "core/clock.h"
#include "core/prompt.h"
#include "core/qtcolor.h"
#include "print/colourdialog.h"
#include "print/colourpalette.h"
#include "settings/inifile.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace korvane {
namespace {

class StationeryPageTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    StationeryPage page{dir.filePath("Printers.ini")};
    template <typename T = QSpinBox>
    T* find(const char* name) const {
        return page.findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* name) const { find<QPushButton>(name)->click(); }
};

// The rows follow what the user changes, not settings being shown.
TEST_F(StationeryPageTest, TheNotesRowsFollowTheUser) {
    NoteSection shown;
    shown.udGyo = 5;
    page.ShowNote(shown);
    EXPECT_EQ(find("udGyo")->value(), 5);
    page.RefreshRows();  // the tab shown
    EXPECT_EQ(find("udGyo")->value(), 31);
    find<QCheckBox>("cbHead")->click();
    EXPECT_EQ(find("udGyo")->value(), 33);
    find("udNTop")->setValue(0);
    EXPECT_EQ(find("udGyo")->value(), 35);
    find("udS")->setValue(60);
    EXPECT_EQ(page.Note().udGyo, 47);
    find<QLineEdit>("edtTateK")->setText("250,100");
    EXPECT_EQ(page.Note().edtTateK, "250,100");
}

TEST_F(StationeryPageTest, TheGraphsCountsFollowTheUserWhileAutomatic) {
    click("btnG5mm");
    EXPECT_EQ(std::pair(page.Graph().udGMH, page.Graph().udGMV), std::pair(34, 52));
    find("udGLeft")->setValue(45);
    EXPECT_EQ(page.Graph().udGMH, 30);
    click("btnG20mm");
    EXPECT_EQ(std::pair(page.Graph().udGH, page.Graph().udGMV), std::pair(200, 13));
    find("udGTop")->setValue(0);  // margins may be nothing
    EXPECT_EQ(page.Graph().udGMV, 14);
    find<QCheckBox>("cbGAuto")->click();
    click("btnG10mm");
    EXPECT_EQ(page.Graph().udGMH, 7);  // kept as it was
    GraphSection shown;
    shown.udGMH = 3;
    shown.udGV = 120;
    page.ShowGraph(shown);
    EXPECT_EQ(page.Graph(), shown);  // shown as stored, not counted again
}

TEST_F(StationeryPageTest, StoreAndRecallAskFirst) {
    click("btnGYobu");  // answered no
    click("btnGKaku");
    EXPECT_EQ(prompt.texts(),
              QStringList({"登録済みの設定を呼び出しますか？", "呼び出しません。",
                           "現在の方眼紙の設定を保存しますか？", "保存しません。"}));
    EXPECT_TRUE(prompt.entries()[0].defaultNo);
    EXPECT_FALSE(QFile::exists(dir.filePath("Printers.ini")));
    // Nothing stored yet: recalling changes nothing.
    prompt.answer(true);
    find("udGH")->setValue(70);
    click("btnGYobu");
    EXPECT_EQ(page.Graph().udGH, 70);
    page.ReadOnly = true;
    prompt.answer(true);
    click("btnGKaku");
    EXPECT_FALSE(QFile::exists(dir.filePath("Printers.ini")));
    page.ReadOnly = false;
    prompt.answer(true);
    click("btnGKaku");
    EXPECT_EQ(IniFile(dir.filePath("Printers.ini")).ReadString("Graph", "udGH_1", ""), "70");
    find("udGH")->setValue(150);
    find("udGMH")->setValue(9);
    IniFile(dir.filePath("Printers.ini")).WriteString("Graph", "udGMH_1", "4");
    prompt.answer(true);
    click("btnGYobu");
    EXPECT_EQ(std::pair(page.Graph().udGH, page.Graph().udGMH), std::pair(70, 4));
    // A file that cannot be written is said.
    StationeryPage lost(dir.filePath("missing/Printers.ini"));
    prompt.answer(true);
    lost.findChild<QPushButton*>("btnGKaku")->click();
    EXPECT_TRUE(prompt.texts().last().startsWith("方眼紙の設定を保存できませんでした。"));
}

// The colour buttons open the colour window on the swatch's colour; a pick becomes it.
TEST_F(StationeryPageTest, TheColourButtonsPickColours) {
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<ColourDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        auto* palette = d->findChild<ColourPalette*>("ColorPalette1");
        EXPECT_EQ(palette->BackgroundIndex(), ColourPalette::IndexOf(723967));
        QTest::mouseClick(palette, Qt::RightButton, {}, palette->CellRect(44).center());
        d->findChild<QPushButton*>("btnOk")->click();
    });
    click("btnHead");
    EXPECT_EQ(page.Note().edtHead, ColourPalette::CellColour(44));
}

TEST_F(StationeryPageTest, PrintButtonsSayWhetherToSetThePaper) {
    QSignalSpy note(&page, &StationeryPage::NotePrintClicked);
    QSignalSpy graph(&page, &StationeryPage::GraphPrintClicked);
    click("btnNA4P");
    click("btnNote");  // the hidden ones: the printer as it stands
    click("btnGraph");
    EXPECT_EQ(note, (QList<QVariantList>{{true}, {false}}));
    EXPECT_EQ(graph, QList<QVariantList>{{false}});
    QSignalSpy soufu(&page, &StationeryPage::SoufuPrintClicked);
    QSignalSpy fax(&page, &StationeryPage::FaxPrintClicked);
    click("btnSoufu");
    click("btnFax");
    click("btnFax");
    EXPECT_EQ(std::pair(soufu.count(), fax.count()), std::pair(qsizetype(1), qsizetype(2)));
}

// The date box: a blank under today's era name, or today's era date; made again when the stationery
// tab is shown on a later day unless the user typed one.
TEST_F(StationeryPageTest, TheLettersDatesFollowTheBlankBoxAndTheDay) {
    FixedClock clock(QDateTime(QDate(2019, 4, 30), QTime(23, 59)));
    page.ShowSoufu(SoufuSection());
    EXPECT_EQ(find<QLineEdit>("edtYMD")->text(), "平成    年    月    日");
    find<QCheckBox>("cbYMD")->click();
    EXPECT_EQ(page.Soufu().edtYMD, "平成31年4月30日");
    find<QCheckBox>("cbFYMD")->click();
    EXPECT_EQ(page.Fax().edtFYMD, "平成31年4月30日");
    find<QLineEdit>("edtFYMD")->setText(QStringLiteral("令和元年5月7日"));
    clock.set(QDateTime(QDate(2019, 5, 1), QTime(8, 0)));
    page.RenewDates();
    EXPECT_EQ(page.Soufu().edtYMD, "令和元年5月1日");
    EXPECT_EQ(page.Fax().edtFYMD, "令和元年5月7日");
    find<QCheckBox>("cbYMD")->click();
    EXPECT_EQ(page.Soufu().edtYMD, "令和    年    月    日");
    page.ShowFax(page.Fax());  // settings read make the date afresh
    EXPECT_EQ(page.Fax().edtFYMD, "令和元年5月1日");
}

// Shown settings always start with the recipient blank.
TEST_F(StationeryPageTest, ShownSettingsStartWithABlankRecipient) {
    find<QCheckBox>("cbFAtena")->click();
    FaxSection fax = page.Fax();
    EXPECT_FALSE(fax.cbFAtena);
    page.ShowFax(fax);
    EXPECT_TRUE(page.Fax().cbFAtena);
}

// Every setting shown comes back as it was: the recording that changes every key.
TEST_F(StationeryPageTest, EverySettingShownComesBack) {
    const IniFile changed = IniFile::InMemory(testing::ChangedIni("Ini_printers"));
    NoteSection note;
    GraphSection graph;
    SoufuSection soufu;
    FaxSection fax;
    note.Read(changed);
    graph.Read(changed);
    soufu.Read(changed);
    fax.Read(changed);
    page.ShowNote(note);
    page.ShowGraph(graph);
    page.ShowSoufu(soufu);
    page.ShowFax(fax);
    soufu.edtYMD = page.Soufu().edtYMD;  // made afresh for the day
    fax.edtFYMD = page.Fax().edtFYMD;
    EXPECT_EQ(page.Note(), note);
    EXPECT_EQ(page.Graph(), graph);
    EXPECT_EQ(page.Soufu(), soufu);
    EXPECT_EQ(page.Fax(), fax);
}

}  // namespace
}  // namespace korvane
