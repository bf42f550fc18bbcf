#include "../print/fakeprintsystem.h"
#include "../print/pagedump.h"
#include "app/headlesscalendar.h"
#include "calendar/daynumber.h"
#include "core/prompt.h"
#include "print/engine/printdocument.h"
#include "print/engine/printersetup.h"
#include "print/engine/printsystem.h"
#include "print/engine/progresswindow.h"
#include "print/monthprintjob.h"
#include "settings/inifile.h"
#include "testsupport.h"

#include <QProgressBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace korvane {
namespace {

using Calendar = testing::TestCalendar;

class MonthPrint : public ::testing::Test {
public:
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    Calendar calendar{dir.path() + u'/'};
    NoPrinterSystem system;
    PrinterSetup setup{system};
    PrintDocument doc;

    void SetUp() override {
        calendar.ShowMonth(2026, 5);
        doc.SetPrinterSetup(&setup);
    }
    // The page's frame and days alone: the shipped sample items and periods are left out.
    void withoutSamples() {
        for (MonthPage& page : calendar.ShownGrid().MonthPages()) page.Lines.clear();
        calendar.ShownGrid().PeriodList().clear();
    }
    // Items that use every tag, colour and fault, an overfull day and periods across months.
    void withItems() {
        withoutSamples();
        MonthGrid& grid = calendar.ShownGrid();
        MonthPage& may = grid.MonthPages()[1];
        may.Lines = QStringList{
            QStringLiteral("1,0,0,<B>役員会</B>"),
            QStringLiteral("1,0,0,<s>打合せ</s>"),
            QStringLiteral("1,0,0,赤字,$000000FF,0"),
            QStringLiteral("12,0,0,前<H>秘密"),
            QStringLiteral("12,0,0,まだ</h>後"),
            QStringLiteral("20,0,0,Straße<h>隠す</h>見える"),
            QStringLiteral("21,0,0,会議，資料,clWindowText,0"),
            QStringLiteral("22,0,0,色なし,NotAColour,0"),
            QStringLiteral("7,0,0"),
            QStringLiteral("xx,0,0,なに"),
            QStringLiteral(" 0,0,9,2026/ 5"),
            QStringLiteral("8,0,0,一"),
            QStringLiteral("8,0,0,二"),
            QStringLiteral("8,0,0,三"),
            QStringLiteral("8,0,0,四"),
            QStringLiteral("8,0,0,とても長い予定の説明がここに続いていきます"),
            QStringLiteral("8,0,0,六"),
            QStringLiteral("26,0,0,とても長い予定の説明がここに続いていきます"),
        };
        may.Count = int(may.Lines.size());
        MonthPage& april = grid.MonthPages()[0];
        april.Lines = QStringList{QStringLiteral("27,0,0,四月の予定,$00FF0000,0"),
                                  QStringLiteral("28,0,0,四月の黒")};
        april.Count = 2;
        grid.PeriodList() = QStringList{
            QStringLiteral("2026,5,13,A,2026,5,15,M,0,5,14,2,clBlue,出張"),
            QStringLiteral("2026,4,27,M,2026,4,28,X,0,4,27,3,$00004000,研修"),
            QStringLiteral("2025,5,14,A,2026,5,14,M,0,5,14,1,clRed,長期"),
        };
    }

    MonthJob job(const char* layout) {
        MonthJob j;
        j.Kind = FindMonthLayout(QString::fromLatin1(layout));
        j.Lines = j.Kind->DefaultLines;
        j.Options.Today = QDate(2026, 12, 7);
        return j;
    }
    YearJob yearJob() {
        YearJob j;
        j.Options.Today = QDate(2026, 12, 7);
        return j;
    }
    const std::vector<PageOp>& ops(int page = 1) const { return doc.Page(page).Ops; }
    const PageOp* text(const QString& t) const {
        for (const PageOp& o : ops())
            if (o.kind == PageOp::Text && o.text == t) return &o;
        return nullptr;
    }
};

// Every layout and both year calendars of May 2026 (the year from April) with the sample data,
// and the options that change a page, against their recorded pages in tests/print/golden.
struct Golden {
    const char* name;
    const char* layout;  // none: the year calendar
    void (*data)(MonthPrint&) = nullptr;
    void (*month)(MonthJob&) = nullptr;
    void (*year)(YearJob&) = nullptr;
};

class PageGolden : public MonthPrint, public ::testing::WithParamInterface<Golden> {};

TEST_P(PageGolden, MatchesTheRecording) {
    const Golden& g = GetParam();
    if (g.data) g.data(*this);
    if (g.layout) {
        MonthJob j = job(g.layout);
        if (g.month) g.month(j);
        ASSERT_TRUE(BuildMonthJob(doc, setup, calendar, j, nullptr));
    } else {
        calendar.ShowMonth(2026, 4);
        YearJob j = yearJob();
        if (g.year) g.year(j);
        ASSERT_TRUE(BuildYearJob(doc, setup, calendar, j, nullptr));
    }
    QString dump;
    for (int page = 1; page <= doc.PageCount(); ++page) dump += testing::DumpPage(doc.Page(page));
    EXPECT_TRUE(testing::MatchesRecording(QString::fromLatin1(g.name), dump));
}

void items(MonthPrint& t) { t.withItems(); }

const Golden kGoldens[] = {
    {"MA4", "MA4"},
    {"HA4", "HA4"},
    {"MA4W", "MA4W"},
    {"HA4W", "HA4W"},
    {"MB5", "MB5"},
    {"HB5", "HB5"},
    {"MA3", "MA3"},
    {"HA3", "HA3"},
    {"HHagaki", "HHagaki"},
    {"MA4_items", "MA4", items},
    // Black and white, Mincho, rokuyō, Monday first, the bare year and month, no date, the
    // sibling's footer, top packing.
    {"MA4_items_options", "MA4",
     [](MonthPrint& t) {
         t.withItems();
         t.calendar.SetWeekStartsMonday(true);
         t.calendar.ApplyRokuyoDisplay(true);
         t.calendar.kind = 1;
     },
     [](MonthJob& j) {
         j.Options.BlackWhite = true;
         j.Options.Mincho = true;
         j.Options.Rokuyo = true;
         j.Options.TitleFormat = 0;
         j.Options.CreationDate = false;
         j.TopPacking = true;
     }},
    // No holidays, anniversaries, schedules, shading or title; the title text alone.
    {"MA4_removed", "MA4",
     [](MonthPrint& t) {
         t.withItems();
         t.calendar.kind = 3;
     },
     [](MonthJob& j) {
         j.Holidays = j.Anniversaries = j.Schedules = false;
         j.Options.Shading = false;
         j.Options.TitleFormat = 2;
     }},
    {"HA4_untitled", "HA4", [](MonthPrint& t) { t.calendar.kind = 4; },
     [](MonthJob& j) {
         j.Options.Title = false;
         j.Holidays = false;
     }},
    {"MA4W_small_moved", "MA4W", nullptr,
     [](MonthJob& j) {
         j.Small = true;
         j.TopMm = 10;
         j.LeftMm = -5;
     }},
    // Line counts at the ends of their ranges, and the small print of each paper.
    {"MA3_nine_lines_small", "MA3", nullptr,
     [](MonthJob& j) {
         j.Lines = 9;
         j.Small = true;
     }},
    {"MA4W_two_lines", "MA4W", nullptr, [](MonthJob& j) { j.Lines = 2; }},
    {"MB5_small_seven_lines", "MB5", nullptr,
     [](MonthJob& j) {
         j.Lines = 7;
         j.Small = true;
         j.TopMm = -2;
         j.LeftMm = 4;
     }},
    {"Year_A4", nullptr},
    {"Year_B5_plain", nullptr, [](MonthPrint& t) { t.calendar.kind = 2; }, nullptr,
     [](YearJob& j) {
         j.B5 = true;
         j.Ruled = false;
         j.Holidays = false;
         j.Options.BlackWhite = true;  // where holidays would be outlined
         j.Small = true;
     }},
    {"Year_A4_unshaded_small", nullptr, nullptr, nullptr,
     [](YearJob& j) {
         j.Options.Shading = false;
         j.Small = true;
     }},
};

INSTANTIATE_TEST_SUITE_P(Pages, PageGolden, ::testing::ValuesIn(kGoldens),
                         [](const ::testing::TestParamInfo<Golden>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MonthPrint, ProgressRunsThroughTheBlocks) {
    ProgressWindow progress;
    auto* bar = progress.findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    std::vector<int> seen;
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) { seen.push_back(v); });
    MonthJob one = job("MA4");
    EXPECT_TRUE(BuildMonthJob(doc, setup, calendar, one, &progress));
    // 7 and 25 before, 34 after the title, 34 + c after each weekday, 40 + 8r at each week row.
    const std::vector<int> single{7, 25, 34, 35, 36, 37, 38, 39, 40, 48, 56, 64, 72, 80, 88, 100};
    // Finishing may take the bar back down after the 100.
    while (!seen.empty() && seen.back() != 100) seen.pop_back();
    ASSERT_GE(seen.size(), single.size());
    EXPECT_EQ(std::vector<int>(seen.end() - int(single.size()), seen.end()), single);
    EXPECT_FALSE(progress.isVisible());

    seen.clear();
    MonthJob two = job("MA4W");
    EXPECT_TRUE(BuildMonthJob(doc, setup, calendar, two, &progress));
    // Two blocks: each half as long, the second starting at 50.
    const std::vector<int> halves{3,  12, 17, 18, 19, 20, 24, 28, 32, 36, 40, 44,
                                  50, 67, 68, 69, 70, 74, 78, 82, 86, 90, 94, 100};
    std::vector<int> tail(seen.begin(), seen.end());
    while (!tail.empty() && tail.back() != 100) tail.pop_back();
    ASSERT_GE(tail.size(), halves.size());
    EXPECT_EQ(std::vector<int>(tail.end() - int(halves.size()), tail.end()), halves);
}

TEST_F(MonthPrint, AFailureHalfwayPutsTheMonthAndRedrawingBack) {
    calendar.failOnNext = true;
    calendar.ShownGrid().SkipUpDate = false;
    MonthJob two = job("HA4W");
    EXPECT_THROW(BuildMonthJob(doc, setup, calendar, two, nullptr), std::runtime_error);
    EXPECT_EQ(calendar.ShownMonth(), 5);
    EXPECT_FALSE(calendar.ShownGrid().SkipUpDate);
    // The half-built page is gone: nothing to preview or print.
    EXPECT_FALSE(doc.IsBuilt());
    EXPECT_TRUE(ops().empty());
}

TEST_F(MonthPrint, UnreadableLinesAreLeftOffAndListed) {
    withItems();
    QStringList& periods = calendar.ShownGrid().PeriodList();
    periods << QStringLiteral("2026,5,1,0,2026,5,40,0,0,5,1,0,D")  // deleted: not read at all
            << QStringLiteral("2026,5,1,0,2026,5,40");
    const QString broken =
        QStringLiteral("期間 (%1行目): 2026,5,1,0,2026,5,40").arg(periods.size());
    QStringList skipped;
    EXPECT_TRUE(BuildMonthJob(doc, setup, calendar, job("MA4W"), nullptr, nullptr, &skipped));
    EXPECT_EQ(skipped, (QStringList{broken, QStringLiteral("2026年5月7日 (9行目): 7,0,0"),
                                    QStringLiteral("2026年5月 (10行目): xx,0,0,なに")}));
    EXPECT_NE(text(QStringLiteral("役員会")), nullptr);  // the rest prints
    // Without the schedules nothing of them is read.
    skipped.clear();
    MonthJob blank = job("HA4");
    EXPECT_TRUE(BuildMonthJob(doc, setup, calendar, blank, nullptr, nullptr, &skipped));
    EXPECT_TRUE(skipped.isEmpty());
}

TEST_F(MonthPrint, AMissingPaperIsNamedWithoutBrackets) {
    testing::FakePrintSystem office;
    testing::FakePrintSystem::Printer p;
    p.name = QStringLiteral("Office");
    p.papers = {QPageSize(QPageSize::A4)};
    office.add(p);
    PrinterSetup officeSetup(office);
    prompt.answer(true);
    YearJob b5 = yearJob();
    b5.B5 = true;
    EXPECT_FALSE(BuildYearJob(doc, officeSetup, calendar, b5, nullptr));
    ASSERT_FALSE(prompt.texts().isEmpty());
    EXPECT_EQ(prompt.texts()[0],
              QStringLiteral(
                  "用紙サイズをＢ５に設定できませんでした。\r\n手動での設定をお願いいたします。"));
}

// The window-less calendar takes the week start and the rokuyō display from Korvane.ini.
TEST(HeadlessCalendarSettings, WeekStartAndRokuyoFromTheSettingsFile) {
    QTemporaryDir dir;
    const QString settings = dir.path() + u'/';
    {
        Calendar plain(settings);
        EXPECT_FALSE(plain.WeekStartsMonday());
        EXPECT_FALSE(plain.RokuyoDisplay());
    }
    IniFile ini(settings + QString::fromLatin1(KorvaneIni::kFileName));
    ini.WriteInteger(QStringLiteral("Settei"), QStringLiteral("rgStYoubi"), 1);
    ini.WriteBool(QStringLiteral("Settei"), QStringLiteral("visRokuyou"), true);
    Calendar monday(settings);
    EXPECT_TRUE(monday.WeekStartsMonday());
    EXPECT_TRUE(monday.RokuyoDisplay());
    monday.ShowMonth(2026, 6);
    // Only a whole "YYYYMM" moves it.
    for (const char* bad : {"20261", "2026-7", "202613", "abcdef"}) {
        monday.GoToMonth(QString::fromLatin1(bad));
        EXPECT_EQ(monday.ShownMonth(), 6) << bad;
    }
    monday.GoToMonth(QStringLiteral("202607"));
    EXPECT_EQ(monday.ShownMonth(), 7);
    monday.GoToMonth(QStringLiteral("202606"));
    // June 2026 starts on a Monday: with Monday first the grid opens on the 1st itself, as the
    // main window's grid does (a month starting in the first column gets a week before it).
    const Ymd first = DecodeYmd(monday.ShownGrid().FirstCellDay());
    EXPECT_EQ(WeekdayOf(monday.ShownGrid().FirstCellDay()), 2);  // 1 is Sunday
    EXPECT_TRUE(first.m == 5 || first.m == 6);
    // Without schedules the pages still know their months.
    HeadlessCalendar bare(settings, settings, {}, false);
    bare.ShowMonth(2027, 1);
    EXPECT_EQ(bare.ShownGrid().MonthPages()[0].Month, 12);
    EXPECT_EQ(bare.ShownGrid().MonthPages()[2].Year, 2027);
}

}  // namespace
}  // namespace korvane
