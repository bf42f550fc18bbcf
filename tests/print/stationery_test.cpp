#include "print/stationery/stationeryjob.h"

#include "core/prompt.h"
#include "fakeprintsystem.h"
#include "pagedump.h"
#include "print/engine/printdocument.h"
#include "print/engine/printersetup.h"
#include "print/engine/progresswindow.h"
#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include <QElapsedTimer>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace korvane {
namespace {

constexpr ColorValue kGrey = 0x808080, kHeader = 723967;

SheetRule across(int y, int x1, int x2, int width, ColorValue colour = kGrey) {
    return {QLine(x1, y, x2, y), width, colour};
}
std::vector<SheetRule> rules(const Sheet& s, bool vertical) {
    std::vector<SheetRule> out;
    for (const SheetRule& r : s.Rules)
        if ((r.Line.x1() == r.Line.x2()) == vertical) out.push_back(r);
    return out;
}

TEST(NoteSheet, RowsAndVerticalRules) {
    NoteSection bare;
    bare.cbHead = false;
    bare.udNTop = bare.udNBottom = 0;
    EXPECT_EQ(NoteRowCount(bare), 37);
    bare.udS = 10;
    bare.udGyo = 99;
    const Sheet dense = ComputeNoteSheet(bare, 0, 0);
    EXPECT_EQ(dense.Rules.size(), 1u + 99u + 1u);  // the rows asked for, though more would fit
    EXPECT_EQ(dense.Rules[0], across(0, 250, 1999, 3));

    // Each piece is a distance from the one before; a word counts −1 and still draws.
    const struct {
        const char* typed;
        std::vector<int> xs;
    } cases[] = {
        {"100,word,50", {350, 349, 399}},
        {"1900", {1998}},  // beyond the right edge: one rule inside it, then no more
        {" 250 , 100 ,", {500, 600, 599}},
        {"2147483647,100", {1998}},
        {"-2147483648,-2147483648,-2147483648,10", {}},
        {"99999999999999999999999,5", {1998}},
        {"1,+2,", {251, 253, 252}},
        {"0,-1", {250}},  // a rule on the area's left edge; then one left of it, not drawn
    };
    for (const auto& c : cases) {
        NoteSection note;
        note.edtTateK = QString::fromLatin1(c.typed);
        std::vector<int> xs;
        for (const SheetRule& r : rules(ComputeNoteSheet(note, 0, 0), true)) {
            EXPECT_EQ(r.Line.y1(), 338);
            EXPECT_EQ(r.Line.y2(), 2815);
            EXPECT_EQ(r.Width, 2);
            xs.push_back(r.Line.x1());
        }
        EXPECT_EQ(xs, c.xs) << c.typed;
    }
    // The position adjustment moves the whole sheet.
    EXPECT_EQ(ComputeNoteSheet(NoteSection(), 5, -3).Rules[0], across(250, 220, 1969, 2, kHeader));
}

TEST(GraphSheet, CellCountPresetsAndTheVerticalAdjustment) {
    GraphSection g;
    g.udGH = g.udGV = 50;  // "5mm方眼"
    FillGraphCellCounts(g);
    EXPECT_EQ(std::pair(g.udGMH, g.udGMV), std::pair(34, 52));
    // The hidden adjustment may not leave the inner verticals without width.
    GraphSection narrow;
    narrow.cbGCLine = true;
    narrow.udGH = 30;
    narrow.udGMH = 3;
    narrow.udTateChou = -4;
    EXPECT_FALSE(ComputeGraphSheet(narrow, 0, 0).has_value());
    narrow.cbGCLine = false;
    narrow.udTateChou = -3;
    EXPECT_EQ(rules(*ComputeGraphSheet(narrow, 0, 0), true)[1].Width, 1);
}

// Every range at its maximum draws what reaches the paper, and only that.
TEST(GraphSheet, ThePaperBoundsTheWork) {
    for (const auto& [w, h] : {std::pair(1700, 25000), std::pair(8, 8)}) {
        GraphSection g;
        g.cbGAuto = false;
        g.cbGCLine = true;
        g.udGH = w;
        g.udGV = h;
        g.udGMH = 200;
        g.udGMV = 270;
        g.udGW1 = g.udGW2 = g.udGW3 = 9;
        QElapsedTimer t;
        t.start();
        const Sheet s = *ComputeGraphSheet(g, -100, -100);
        EXPECT_LT(t.elapsed(), 1000);
        EXPECT_LT(s.Rules.size(), 100000u) << w;
        EXPECT_GT(s.Rules.size(), 100u) << w;
        for (const SheetRule& r : s.Rules) {
            const QRect box = QRect(r.Line.p1(), r.Line.p2()).normalized();
            ASSERT_TRUE(box.intersects(QRect(-9, -9, kSheetWidth + 19, kSheetHeight + 19)))
                << r.Line.x1() << "," << r.Line.y1();
        }
    }
    // A rule a frame's width inside the edge is not the last: the frame on the edge follows.
    GraphSection edge;
    edge.cbGAuto = false;
    edge.udGLeft = 50;
    edge.udGTop = 97;
    edge.udGH = edge.udGV = 8;
    edge.udGMH = 200;
    edge.udGMV = 250;
    edge.udGW1 = 9;
    const Sheet s = *ComputeGraphSheet(edge, 0, 0);
    EXPECT_EQ(rules(s, true).back().Line.x1(), 2100);
    EXPECT_EQ(rules(s, false).back().Line.y1(), 2970);
}

// Every key and the stored set are recorded with the print settings; here the ranges.
TEST(StationerySettings, RangesOfAHandEditedFile) {
    // A hand-edited file cannot divide by zero or empty the grid.
    IniFile edited = IniFile::InMemory(
        "[Note]\r\nedtTateK=250,100\r\nudNBottom=0\r\nudS=0\r\nudGyo=500\r\nedtColor="
        "nonsense\r\ncbHead=0\r\nedtHead="
        "clBlue\r\n"
        "[Graph]\r\nedtGColor=clBlue\r\nudGH=0\r\nudGV=-5\r\nudGMH=0\r\nudGW1=12\r\nudNW3=0\r\n");
    NoteSection n;
    n.Read(edited);
    EXPECT_EQ(std::tuple(n.udNBottom, n.udS, n.udGyo, n.edtColor, n.udNW3),
              std::tuple(0, 10, 99, kGrey, 1));
    EXPECT_EQ(std::tuple(n.cbHead, n.edtHead, n.edtTateK), std::tuple(false, clBlue, "250,100"));
    GraphSection g;
    g.Read(edited);
    EXPECT_EQ(std::tuple(g.udGH, g.udGV, g.udGMH, g.udGW1, g.edtGColor),
              std::tuple(8, 8, 1, 9, clBlue));
    // Nothing stored yet: the stored set changes nothing.
    GraphSection untouched;
    untouched.udGH = 123;
    untouched.Read(IniFile::InMemory(), QStringLiteral("_1"));
    EXPECT_EQ(untouched.udGH, 123);
}

class StationeryJob : public ::testing::Test {
public:
    ScriptedPrompt prompt;
    testing::FakePrintSystem system;
    std::unique_ptr<PrinterSetup> setup;
    PrintDocument doc;
    void SetUp() override {
        system.add({.name = "Office"});
        setup = std::make_unique<PrinterSetup>(system);
    }
};

// Each sheet as its job records it, against tests/print/golden.
struct SheetGolden {
    const char* name;
    std::function<bool(StationeryJob&)> build;
};
class SheetPages : public StationeryJob, public ::testing::WithParamInterface<SheetGolden> {};
TEST_P(SheetPages, MatchTheRecording) {
    ASSERT_TRUE(GetParam().build(*this));
    EXPECT_TRUE(testing::MatchesRecording(QString::fromLatin1(GetParam().name),
                                          testing::DumpPage(doc.Page(1))));
}
// Three by two cells of the width given, with dashed centre lines.
bool graph(StationeryJob& t, int cellWidth = 0) {
    GraphSection g;
    if (cellWidth) {
        g.cbGCLine = true;
        g.udGH = cellWidth;
        g.udGMH = 3;
        g.udGMV = 2;
    }
    return BuildGraphJob(t.doc, *t.setup, g, 0, 0, nullptr);
}
const SheetGolden kSheets[] = {
    {"Note_A4", [](StationeryJob& t) { return BuildNoteJob(t.doc, *t.setup, {}, 0, 0, nullptr); }},
    {"Graph_A4", [](StationeryJob& t) { return graph(t); }},
    // No dash of length 0 at a cell's end; with narrow cells the right frame and every dash stop
    // at the last cell's edge.
    {"Graph_centre_lines", [](StationeryJob& t) { return graph(t, 100); }},
    {"Graph_narrow_centre_lines", [](StationeryJob& t) { return graph(t, 30); }},
};
INSTANTIATE_TEST_SUITE_P(Sheets, SheetPages, ::testing::ValuesIn(kSheets),
                         [](const ::testing::TestParamInfo<SheetGolden>& info) {
                             return std::string(info.param.name);
                         });

// The job's title, paper and progress; the page itself is in its recording.
TEST_F(StationeryJob, TheSheetIsBuiltOnA4PortraitWithTheProgressShown) {
    ProgressWindow progress;
    std::vector<int> steps;
    QObject::connect(progress.findChild<QProgressBar*>(), &QProgressBar::valueChanged,
                     [&](int v) { steps.push_back(v); });
    setup->SetOrientation(1);
    ASSERT_TRUE(BuildGraphJob(doc, *setup, GraphSection(), 0, 0, &progress));
    EXPECT_EQ(doc.Title, "書類印刷");
    EXPECT_EQ(doc.RecordedGeometry().PageWidth, 2100);
    EXPECT_FALSE(setup->Landscape());
    EXPECT_EQ(steps, (std::vector<int>{0, 7, 25, 34, 100}));
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(StationeryJob, RefusedPapersAndAdjustmentsRecordNothing) {
    GraphSection graph;
    graph.udTateChou = -4;
    EXPECT_FALSE(BuildGraphJob(doc, *setup, graph, 0, 0, nullptr));
    EXPECT_EQ(prompt.texts(),
              QStringList{"「縦罫線調整」の数値が大きすぎます。\r\n設定し直して下さい。"});
    // A printer without A4 whose set-up is cancelled, and 印刷を中止しますか？ answered yes.
    testing::FakePrintSystem small;
    small.add({.name = "Label",
               .papers = {QPageSize(QPageSize::A5)},
               .defaultPaper = QPageSize(QPageSize::A5)});
    PrinterSetup labels(small);
    prompt.clear();
    prompt.answer(true);
    EXPECT_FALSE(BuildNoteJob(doc, labels, NoteSection(), 0, 0, nullptr));
    EXPECT_EQ(prompt.texts().last(), "印刷を中止しますか？");
    EXPECT_FALSE(doc.IsBuilt());
    prompt.answer(true);
    EXPECT_FALSE(BuildGraphJob(doc, labels, GraphSection(), 0, 0, nullptr));
    // The position adjustment is kept within ±100 mm.
    Sheet moved;
    ASSERT_TRUE(BuildGraphJob(doc, *setup, GraphSection(), 150, -150, nullptr, &moved));
    EXPECT_EQ(moved.Rules.front().Line.p1(), QPoint(-750, 1250));
    ASSERT_TRUE(BuildNoteJob(doc, *setup, NoteSection(), 150, -150, nullptr, &moved));
    EXPECT_EQ(moved.Rules.front().Line.p1(), QPoint(-750, 1200));
}

TEST_F(StationeryJob, TheHonorificQuestionComesFirst) {
    SoufuSection s;
    s.cbAtena = false;
    s.edtAtena1 = QStringLiteral("山田");
    EXPECT_FALSE(BuildCoverLetterJob(doc, *setup, s, {.Today = QDate(2026, 12, 9)}, nullptr));
    ASSERT_EQ(prompt.entries().size(), 1u);
    EXPECT_EQ(prompt.entries()[0].text,
              "宛名に、敬称「様」「御中」が有りませんがこのまま印刷しますか？");
    EXPECT_EQ(prompt.entries()[0].caption, "確認");
    EXPECT_TRUE(prompt.entries()[0].defaultNo);
    EXPECT_FALSE(doc.IsBuilt());
    FaxSection fax;
    fax.cbFAtena = false;
    EXPECT_FALSE(BuildFaxJob(doc, *setup, fax, {.Today = QDate(2026, 12, 9)}, nullptr));
    EXPECT_EQ(prompt.entries().size(), 2u);
    prompt.answer(true);
    EXPECT_TRUE(BuildFaxJob(doc, *setup, fax, {.Today = QDate(2026, 12, 9)}, nullptr));
    EXPECT_EQ(doc.Title, "書類印刷（Ｆａｘ送り状）");
}

// The letters on the paper chosen, with the progress; the body measured in the page's face.
// The pages themselves are in their recordings.
TEST_F(StationeryJob, TheLettersOnTheirPaperWithTheProgress) {
    ProgressWindow progress;
    std::vector<int> steps;
    QObject::connect(progress.findChild<QProgressBar*>(), &QProgressBar::valueChanged,
                     [&](int v) { steps.push_back(v); });
    CoverLetter letter;
    ASSERT_TRUE(BuildCoverLetterJob(doc, *setup, SoufuSection(),
                                    {PaperKind::B5, 0, 0, QDate(2026, 12, 9)}, &progress, &letter));
    EXPECT_EQ(steps, (std::vector<int>{0, 7, 25, 34, 100}));
    EXPECT_EQ(doc.Title, "書類印刷（送り状）");
    EXPECT_EQ(doc.RecordedGeometry().PageWidth, 1820);
    const auto second =
        std::find_if(doc.Page(1).Ops.begin(), doc.Page(1).Ops.end(),
                     [&](const PageOp& o) { return o.text == letter.Body[1].Text; });
    ASSERT_NE(second, doc.Page(1).Ops.end());
    EXPECT_EQ(second->font.Name, "ＭＳ 明朝");
    EXPECT_EQ(second->font.Height, 30);
    ASSERT_TRUE(BuildFaxJob(doc, *setup, FaxSection(), {.Today = QDate(2026, 12, 9)}, &progress));
    EXPECT_EQ(steps.size(), 10u);
    EXPECT_EQ(steps.back(), 100);
    EXPECT_EQ(doc.RecordedGeometry().PageWidth, 2100);
    // A hand-edited place beyond 100 mm either way goes no further than 100 mm.
    const auto page = [&](int top, int left) {
        EXPECT_TRUE(BuildFaxJob(doc, *setup, FaxSection(),
                                {PaperKind::A4, top, left, QDate(2026, 12, 9)}, nullptr));
        return testing::DumpPage(doc.Page(1));
    };
    EXPECT_EQ(page(500, -300), page(100, -100));
    EXPECT_NE(page(100, -100), page(99, -100));
}

}  // namespace
}  // namespace korvane
