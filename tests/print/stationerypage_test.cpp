#include "print/stationery/stationerypage.h"

#include "core/prompt.h"
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
    click("btnGraph");
    EXPECT_EQ(note, QList<QVariantList>{{true}});
    EXPECT_EQ(graph, QList<QVariantList>{{false}});
}

}  // namespace
}  // namespace korvane
