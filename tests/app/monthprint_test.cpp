#include "app/headlesscalendar.h"
#include "calendar/daynumber.h"
#include "core/prompt.h"
#include "print/engine/printdocument.h"
#include "print/engine/printersetup.h"
#include "print/engine/printsystem.h"
#include "print/monthprintjob.h"
#include "settings/inifile.h"
#include "testsupport.h"

#include "../print/fakeprintsystem.h"
#include "print/engine/progresswindow.h"

#include <QProgressBar>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace korvane {
namespace {

constexpr ColorValue kRed = 0x0000FF, kSkyBlue = 0xFFCC00, kPaleRed = 0xADD8E6,
                     kPaleBlue = 0xFFB6C1, kGreen = 0x00CC00, kPaleGreen = 0xFFCC80;

using Calendar = testing::TestCalendar;

class MonthPrint : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    Calendar calendar{dir.path() + u'/'};
    NoPrinterSystem system;
    PrinterSetup setup{system};
    PrintDocument doc;

    void SetUp() override {
        calendar.ShowMonth(2026, 5);
        // The page's frame and days alone: the shipped sample items and periods are left out.
        for (MonthPage& page : calendar.ShownGrid().MonthPages()) page.Lines.clear();
        calendar.ShownGrid().PeriodList().clear();
        doc.SetPrinterSetup(&setup);
    }

    MonthJob job(const char* layout) {
        MonthJob j;
        j.Kind = FindMonthLayout(QString::fromLatin1(layout));
        j.Lines = j.Kind->DefaultLines;
        j.Options.Today = QDate(2026, 12, 7);
        return j;
    }

    MonthPageGeometry build(const MonthJob& j) {
        MonthPageGeometry g;
        EXPECT_TRUE(BuildMonthJob(doc, setup, calendar, j, nullptr, &g));
        return g;
    }

    const std::vector<PageOp>& ops(int page = 1) const { return doc.Page(page).Ops; }

    std::vector<const PageOp*> texts(const QString& text) const {
        std::vector<const PageOp*> found;
        for (const PageOp& o : ops())
            if (o.kind == PageOp::Text && o.text == text) found.push_back(&o);
        return found;
    }
    const PageOp* text(const QString& t) const {
        const auto found = texts(t);
        return found.empty() ? nullptr : found.front();
    }
    // Where a text's letters stand: from its origin, its advance and the font's height.
    static QRectF ink(const PageOp& o) {
        const QFontMetricsF fm(ReferenceFont(o.font));
        return QRectF(o.origin.x(), o.origin.y() - fm.ascent(), fm.horizontalAdvance(o.text),
                      fm.ascent() + fm.descent());
    }
    // The text that stands in the cell of week row r and column c.
    const PageOp* textInCell(const QString& t, const MonthPageGeometry& g, int r, int c,
                             int top = -1) const {
        const int rowTop = (top < 0 ? g.Top : top) + g.R + g.H * (r - 1);
        const QRectF cell(g.Left + g.W * c, rowTop - 10, g.W, g.H + 10);
        for (const PageOp* o : texts(t))
            if (cell.contains(o->origin)) return o;
        return nullptr;
    }
    int count(PageOp::Kind kind) const {
        return int(std::count_if(ops().begin(), ops().end(),
                                 [kind](const PageOp& o) { return o.kind == kind; }));
    }
};

TEST_F(MonthPrint, A4LandscapeFrameRulesAndGrid) {
    build(job("MA4"));
    EXPECT_EQ(doc.RecordedGeometry().PageWidth, 2970);
    EXPECT_EQ(doc.RecordedGeometry().PageHeight, 2100);
    // The frame at 12.0/285.0 mm and 27.0/196.0 mm.
    const auto frame = std::find_if(ops().begin(), ops().end(),
                                    [](const PageOp& o) { return o.kind == PageOp::Rectangle; });
    ASSERT_NE(frame, ops().end());
    EXPECT_EQ(frame->rect, QRect(QPoint(120, 270), QPoint(2849, 1959)));
    EXPECT_EQ(frame->pen.Width, 5);
    EXPECT_EQ(frame->brush.Style, Qt::NoBrush);

    std::vector<std::pair<QPoint, QPoint>> lines;
    std::vector<int> widths;
    for (const PageOp& o : ops())
        if (o.kind == PageOp::Line) {
            lines.emplace_back(o.from, o.to);
            widths.push_back(o.pen.Width);
        }
    ASSERT_EQ(lines.size(), 2u + 5u + 6u);
    EXPECT_EQ(lines[0], std::pair(QPoint(120, 337), QPoint(2850, 337)));
    EXPECT_EQ(widths[0], 2);
    EXPECT_EQ(lines[1], std::pair(QPoint(120, 340), QPoint(2850, 340)));
    EXPECT_EQ(widths[1], 1);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(lines[std::size_t(1 + i)],
                  std::pair(QPoint(120, 340 + 270 * i), QPoint(2850, 340 + 270 * i)));
    for (int j = 1; j <= 6; ++j)
        EXPECT_EQ(lines[std::size_t(6 + j)],
                  std::pair(QPoint(120 + 390 * j, 270), QPoint(120 + 390 * j, 1960)));
    EXPECT_TRUE(std::all_of(widths.begin() + 1, widths.end(), [](int w) { return w == 1; }));

    // The weekday row is shaded with the dotted tile, inside the double rule.
    const auto shade = std::find_if(ops().begin(), ops().end(),
                                    [](const PageOp& o) { return o.kind == PageOp::PatternFill; });
    ASSERT_NE(shade, ops().end());
    EXPECT_EQ(shade->rect, QRect(QPoint(120, 270), QPoint(2849, 336)));
    EXPECT_EQ(shade->image, ShadingTile());
    EXPECT_EQ(count(PageOp::FillRect), 0);
}

TEST_F(MonthPrint, ShadingTileIsTheDottedPattern) {
    const QImage tile = ShadingTile();
    ASSERT_EQ(tile.size(), QSize(8, 8));
    int silver = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const QRgb p = tile.pixel(x, y);
            if (p == qRgb(0xC0, 0xC0, 0xC0)) {
                ++silver;
            } else {
                EXPECT_EQ(p, qRgb(255, 255, 255)) << x << "," << y;
            }
        }
    EXPECT_EQ(silver, 8);
    for (const auto& [x, y] : {std::pair{3, 3}, {4, 4}, {0, 0}, {7, 7}, {7, 0}, {0, 7}})
        EXPECT_EQ(tile.pixel(x, y), qRgb(0xC0, 0xC0, 0xC0));
}

TEST_F(MonthPrint, TitleDateAndFooter) {
    const MonthPageGeometry g = build(job("MA4"));
    const PageOp* title = text(QStringLiteral("2026 年 5 月予定表"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->font.Name, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(title->font.Height, 45);
    EXPECT_EQ(title->font.Color, 0x484848);
    // Box left, top − (2M + E + T) to left + 7W, top − (M + E): 120,175 – 2850,230.
    EXPECT_EQ(title->rect, QRect(QPoint(120, 175), QPoint(2849, 229)));
    EXPECT_NEAR(ink(*title).center().x(), 120 + 2730 / 2, 2);
    EXPECT_NEAR(ink(*title).center().y(), (175 + 230) / 2.0, 2);

    const PageOp* date = text(QStringLiteral("令和8年12月7日作成"));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->font.Height, 30);
    EXPECT_EQ(date->font.Color, 0x484848);
    EXPECT_EQ(date->rect, QRect(QPoint(120, 230), QPoint(2849, 264)));
    EXPECT_NEAR(ink(*date).right(), 2850, 3);  // right- and bottom-aligned
    EXPECT_NEAR(ink(*date).bottom(), 265, 1);

    const PageOp* footer = text(QStringLiteral("Printed by Korvane"));
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->font.Height, 36);
    EXPECT_EQ(footer->font.Color, clGray);
    // Box left, top − trunc((M + E) × 1.2) to left + 7W, top − trunc(M / 2).
    EXPECT_EQ(footer->rect, QRect(QPoint(120, 222), QPoint(2849, 264)));
    EXPECT_NEAR(ink(*footer).left(), 120, 3);
    EXPECT_NEAR(ink(*footer).bottom(), 265, 1);
    EXPECT_EQ(g.DateFont, 30);
}

TEST_F(MonthPrint, TitleFormatsAndSwitches) {
    struct Case {
        int format;
        bool title, date;
        int kind;
        const char16_t* titleText;
        const char16_t* footer;
    };
    const Case cases[] = {
        {0, true, true, 0, u"2026 年 5 月", u"Printed by Korvane"},
        {1, true, true, 1, u"2026 年 5 月予定表", u"Velmar -Velmar-"},
        {2, true, false, 2, u"予定表", u"Tesska -Tesska-"},
        {1, false, true, 3, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        MonthJob j = job("HA4");
        j.Options.TitleFormat = c.format;
        j.Options.Title = c.title;
        j.Options.CreationDate = c.date;
        calendar.kind = c.kind;
        build(j);
        int textOps = 0;
        for (const PageOp& o : ops())
            if (o.kind == PageOp::Text && o.origin.y() < 270) ++textOps;
        const int expected = (c.titleText ? 1 : 0) + (c.date ? 1 : 0) + (c.footer ? 1 : 0);
        EXPECT_EQ(textOps, expected) << c.format << " " << c.kind;
        if (c.titleText) {
            EXPECT_NE(text(QString::fromUtf16(c.titleText)), nullptr) << c.format;
        }
        if (c.footer) {
            EXPECT_NE(text(QString::fromUtf16(c.footer)), nullptr) << c.kind;
        }
        EXPECT_EQ(text(QStringLiteral("令和8年12月7日作成")) != nullptr, c.date);
    }
}

TEST_F(MonthPrint, WeekdayRowInColourAndOnMonday) {
    for (const bool monday : {false, true}) {
        calendar.SetWeekStartsMonday(monday);
        const MonthPageGeometry g = build(job("MA4"));
        const QString names =
            monday ? QStringLiteral("月火水木金土日") : QStringLiteral("日月火水木金土");
        for (int c = 0; c < 7; ++c) {
            const QString name = names.mid(c, 1);
            const PageOp* o = nullptr;
            for (const PageOp* t : texts(name))
                if (t->origin.y() < g.Top + g.R) o = t;
            ASSERT_NE(o, nullptr) << name.toStdString();
            EXPECT_EQ(o->font.Height, 40);
            // Centred in its column, standing on the line 1.2 mm above the rule (one step in).
            EXPECT_NEAR(ink(*o).center().x(), g.Left + g.W * c + g.W / 2 + 1, 2) << c;
            EXPECT_NEAR(ink(*o).bottom(), g.Top + g.R - 12 + 1, 1);
            const ColorValue want = name == u"日" ? kRed : name == u"土" ? kSkyBlue : clBlack;
            EXPECT_EQ(o->font.Color, want) << name.toStdString();
        }
    }
}

TEST_F(MonthPrint, DayNumbersHeadersAndColours) {
    MonthJob j = job("MA4");
    j.Options.Rokuyo = true;
    const MonthPageGeometry g = build(j);
    // May 2026 starts on a Friday: the grid opens on Sunday 26 April.
    const PageOp* sunday26 = textInCell(QStringLiteral("26"), g, 1, 0);
    ASSERT_NE(sunday26, nullptr);
    EXPECT_EQ(sunday26->font.Color, kPaleRed);
    EXPECT_EQ(sunday26->font.Height, 52 * 85 / 100);
    EXPECT_EQ(sunday26->font.Style, fsBold);
    // Other months' numbers sit 4 higher: the box bottom is rowTop + B + 6 − 4.
    EXPECT_NEAR(ink(*sunday26).bottom(), g.Top + g.R + g.B + 2, 0.5);
    EXPECT_NEAR(ink(*sunday26).right(), g.Left + g.A, 3);

    const PageOp* day3 = textInCell(QStringLiteral("3"), g, 2, 0);
    ASSERT_NE(day3, nullptr);
    EXPECT_EQ(day3->font.Color, kRed);
    EXPECT_EQ(day3->font.Height, 52);
    EXPECT_NEAR(ink(*day3).right(), g.Left + g.A, 3);  // right-aligned in A
    EXPECT_NEAR(ink(*day3).bottom(), g.Top + g.R + g.H + g.B + 6, 0.5);

    const PageOp* wednesday6 = textInCell(QStringLiteral("6"), g, 2, 3);  // 振替休日
    ASSERT_NE(wednesday6, nullptr);
    EXPECT_EQ(wednesday6->font.Color, kRed);
    const PageOp* saturday2 = textInCell(QStringLiteral("2"), g, 1, 6);
    ASSERT_NE(saturday2, nullptr);
    EXPECT_EQ(saturday2->font.Color, kSkyBlue);
    const PageOp* saturday6 = textInCell(QStringLiteral("6"), g, 6, 6);  // 6 June
    ASSERT_NE(saturday6, nullptr);
    EXPECT_EQ(saturday6->font.Color, kPaleBlue);
    const PageOp* monday11 = textInCell(QStringLiteral("11"), g, 3, 1);
    ASSERT_NE(monday11, nullptr);
    EXPECT_EQ(monday11->font.Color, clBlack);
    const PageOp* tuesday2 = textInCell(QStringLiteral("2"), g, 6, 2);  // 2 June
    ASSERT_NE(tuesday2, nullptr);
    EXPECT_EQ(tuesday2->font.Color, clSilver);

    // Rokuyō first, then the holiday name one blank further right, in the label font.
    const PageOp* holiday = textInCell(QStringLiteral("憲法記念日"), g, 2, 0);
    ASSERT_NE(holiday, nullptr);
    EXPECT_EQ(holiday->font.Color, kRed);
    EXPECT_EQ(holiday->font.Name, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(holiday->font.Height, 30);
    const PageOp* rokuyo = textInCell(QStringLiteral("先勝"), g, 2, 0);
    ASSERT_NE(rokuyo, nullptr);
    EXPECT_EQ(rokuyo->font.Color, clGray);
    EXPECT_NEAR(ink(*rokuyo).left(), g.Left + g.A + g.G, 3);
    const QFontMetricsF fm(ReferenceFont(rokuyo->font));
    EXPECT_NEAR(ink(*holiday).left(),
                ink(*rokuyo).left() + fm.horizontalAdvance(QStringLiteral("先勝 ")), 3);
    // The header band's bottom is the texts' bottom.
    EXPECT_NEAR(ink(*holiday).bottom(), g.Top + g.R + g.H + g.B, 1);

    // An anniversary of the sample data in the other month's colour.
    const PageOp* june1 = textInCell(QStringLiteral("創立記念日"), g, 6, 1);
    if (june1) {
        EXPECT_EQ(june1->font.Color, 0xFFCC80);
    }
    EXPECT_EQ(kGreen, 0x00CC00);
}

TEST_F(MonthPrint, BlankLayoutsTakeNeitherAnniversariesNorTopPacking) {
    const auto anniversaries = [&] {
        int labels = 0;
        for (const PageOp& o : ops())
            if (o.kind == PageOp::Text && (o.font.Color == kGreen || o.font.Color == kPaleGreen))
                ++labels;
        return labels;
    };
    MonthJob blank = job("HA4");
    blank.TopPacking = true;
    blank.Anniversaries = true;
    build(blank);
    EXPECT_EQ(anniversaries(), 0);
    build(job("MA4"));
    EXPECT_GT(anniversaries(), 0);  // 創立記念日 on 1 June

    calendar.ShowMonth(2026, 12);  // a month of the sample data
    const auto bottomPacked = [&] {
        const MonthLayout& layout = calendar.ShownGrid().Layout();
        for (int cell = 0; cell < MonthLayout::kCells; ++cell)
            for (int slot = 1; slot < layout.LineCount(); ++slot)
                if (layout.Slot(cell, 0).isFree() && !layout.Slot(cell, slot).isFree()) return true;
        return false;
    };
    build(blank);
    EXPECT_TRUE(bottomPacked());
    MonthJob data = job("MA4");
    data.TopPacking = true;
    build(data);
    EXPECT_FALSE(bottomPacked());
}

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

TEST_F(MonthPrint, WithoutShadingTheNamesStandCentredOnTheirLine) {
    MonthJob j = job("MA4");
    j.Options.Shading = false;
    const MonthPageGeometry g = build(j);
    EXPECT_EQ(count(PageOp::PatternFill), 0);
    EXPECT_EQ(count(PageOp::FillRect), 0);
    const QString names = QStringLiteral("日月火水木金土");
    for (int c = 0; c < 7; ++c) {
        const PageOp* o = nullptr;
        for (const PageOp* t : texts(names.mid(c, 1)))
            if (t->origin.y() < g.Top + g.R) o = t;
        ASSERT_NE(o, nullptr) << c;
        EXPECT_EQ(o->rect, QRect(QPoint(g.Left + g.W * c, g.Top),
                                 QPoint(g.Left + g.W * (c + 1) - 1, g.Top + g.R - 12 - 1)));
        EXPECT_NEAR(ink(*o).center().x(), g.Left + g.W * c + g.W / 2.0, 1.5) << c;
        EXPECT_NEAR(ink(*o).bottom(), g.Top + g.R - 12, 0.5);
    }
}

TEST_F(MonthPrint, HolidayNamesOffKeepTheRedNumber) {
    MonthJob j = job("MA4");
    j.Holidays = false;
    const MonthPageGeometry g = build(j);
    EXPECT_EQ(text(QStringLiteral("振替休日")), nullptr);
    const PageOp* wednesday6 = textInCell(QStringLiteral("6"), g, 2, 3);
    ASSERT_NE(wednesday6, nullptr);
    EXPECT_EQ(wednesday6->font.Color, kRed);
}

TEST_F(MonthPrint, BlackAndWhiteOutlines) {
    MonthJob j = job("MA4");
    j.Options.BlackWhite = true;
    const MonthPageGeometry g = build(j);
    // Every text is black, grey, silver or white.
    for (const PageOp& o : ops())
        if (o.kind == PageOp::Text) {
            EXPECT_TRUE(o.font.Color == clBlack || o.font.Color == clGray ||
                        o.font.Color == clSilver || o.font.Color == clWhite)
                << o.text.toStdString() << " " << std::hex << o.font.Color;
        }
    // The title in Mincho, outlined: eight black copies and one silver.
    const auto title = texts(QStringLiteral("2026 年 5 月予定表"));
    ASSERT_EQ(title.size(), 9u);
    EXPECT_EQ(title.back()->font.Color, clSilver);
    EXPECT_EQ(title.front()->font.Name, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(title.front()->font.Height, 43);
    // The creation date is Gothic, whatever face the title left behind.
    EXPECT_EQ(text(QStringLiteral("令和8年12月7日作成"))->font.Name,
              QStringLiteral("ＭＳ ゴシック"));

    // Sunday's name outlined and filled white over the shading; a weekday plain black.
    const auto sunday = texts(QStringLiteral("日"));
    ASSERT_GE(sunday.size(), 9u);
    EXPECT_EQ(sunday[8]->font.Color, clWhite);
    const auto monday = texts(QStringLiteral("月"));
    ASSERT_EQ(monday.size(), 1u);
    EXPECT_EQ(monday.front()->font.Color, clBlack);

    // A holiday's number: thick outline (twenty copies), white fill, bold, four smaller.
    std::vector<const PageOp*> day3;
    for (const PageOp* o : texts(QStringLiteral("3")))
        if (o->origin.y() > g.Top + g.R + g.H && o->origin.y() < g.Top + g.R + 2 * g.H &&
            o->origin.x() < g.Left + g.W)
            day3.push_back(o);
    ASSERT_EQ(day3.size(), 21u);
    EXPECT_EQ(day3.back()->font.Color, clWhite);
    EXPECT_EQ(day3.front()->font.Height, 52 - 4);
    EXPECT_EQ(day3.front()->font.Style, fsBold);
    // Saturday 9: thin outline, grey fill, regular.
    std::vector<const PageOp*> day9;
    for (const PageOp* o : texts(QStringLiteral("9")))
        if (o->origin.y() > g.Top + g.R + g.H && o->origin.y() < g.Top + g.R + 2 * g.H)
            day9.push_back(o);
    ASSERT_EQ(day9.size(), 9u);
    EXPECT_EQ(day9.back()->font.Color, clGray);
    // Each outlined number's box, its outline included, ends at the number's corner of the cell
    // (the day-number width in from its left): the thin outline takes 3, the thick one 4, so
    // Saturday's number lines up with Friday's beside it.
    const int corner9 = g.Left + 6 * g.W + g.A, corner3 = g.Left + g.A;
    const PageOp* day8 = textInCell(QStringLiteral("8"), g, 2, 5);
    ASSERT_NE(day8, nullptr);
    EXPECT_NEAR(ink(*day9.back()).bottom(), ink(*day8).bottom(), 2);
    EXPECT_NEAR(corner9 - ink(*day9.back()).right(), corner9 - g.W - ink(*day8).right(), 2);
    EXPECT_LE(ink(*day3.back()).right(), corner3 - 4 + 2);
    EXPECT_GE(ink(*day3.back()).right(), corner3 - 4 - 8);
    EXPECT_EQ(day9.front()->font.Style, 0);
    EXPECT_EQ(day9.front()->font.Height, 50);
    // Labels of another month's days are a tenth smaller: 昭和の日 on 29 April.
    const PageOp* showa = text(QStringLiteral("昭和の日"));
    ASSERT_NE(showa, nullptr);
    EXPECT_EQ(showa->font.Height, 27);
    EXPECT_EQ(showa->font.Color, clGray);
    EXPECT_EQ(text(QStringLiteral("憲法記念日"))->font.Height, 30);
    // A plain weekday is not outlined; another month's weekday is silver.
    EXPECT_EQ(texts(QStringLiteral("11")).size(), 1u);
    EXPECT_EQ(texts(QStringLiteral("11")).front()->font.Color, clBlack);
}

TEST_F(MonthPrint, B5ShadesSolidAndTwoMonthsStackWithTheHostRestored) {
    build(job("MB5"));
    EXPECT_EQ(count(PageOp::PatternFill), 0);
    ASSERT_EQ(count(PageOp::FillRect), 1);
    const auto fill = std::find_if(ops().begin(), ops().end(),
                                   [](const PageOp& o) { return o.kind == PageOp::FillRect; });
    EXPECT_EQ(fill->brush.Color, 0xE1E1E1);
    EXPECT_EQ(fill->rect, QRect(QPoint(103, 233), QPoint(103 + 7 * 337 - 1, 233 + 60 - 3 - 1)));
    EXPECT_EQ(doc.RecordedGeometry().PageWidth, 2570);

    MonthJob two = job("MA4W");
    two.Small = true;
    const MonthPageGeometry g = build(two);
    std::vector<QRect> frames;
    for (const PageOp& o : ops())
        if (o.kind == PageOp::Rectangle) frames.push_back(o.rect);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].top(), 171);
    EXPECT_EQ(frames[1].top(), 1616);
    EXPECT_EQ(frames[1].left(), frames[0].left());
    EXPECT_NE(text(QStringLiteral("2026 年 6 月予定表")), nullptr);
    // The date and footer only over the first month.
    EXPECT_EQ(texts(QStringLiteral("Printed by Korvane")).size(), 1u);
    // June's 1st (Monday) in its cell of the second block.
    EXPECT_NE(textInCell(QStringLiteral("1"), g, 1, 1, 1616), nullptr);
    EXPECT_EQ(calendar.ShownYear(), 2026);
    EXPECT_EQ(calendar.ShownMonth(), 5);
    EXPECT_FALSE(calendar.ShownGrid().SkipUpDate);
    EXPECT_EQ(doc.RecordedGeometry().PageHeight, 2970);
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

TEST_F(MonthPrint, DayNumberWidthWithTheRealFont) {
    const MonthPageGeometry g = build(job("MA4"));
    // "25" in the canvas's Mincho at 5.2 mm is about two half-width digits, 5 mm; the band adds
    // about (65 − 0.85 × 52) × 390 / 270 = 30 more, less as the face is taller.
    EXPECT_GE(g.A, 72);
    EXPECT_LE(g.A, 86);
    // Exactly: measured at the day-number height in the canvas's own face.
    PageRecording page;
    PageCanvas canvas(page);
    canvas.SetFontHeight(g.D);
    const int w = canvas.TextWidth(QStringLiteral("25")), h = canvas.TextHeight();
    EXPECT_EQ(g.A, (100 * w * g.H + (100 * g.B - 85 * h) * g.W) / (100 * g.H));
    EXPECT_EQ(g.LabelWidth, g.W - (g.A + g.G));
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

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
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

// The schedule items and period bars, from data put straight into the grid's pages.
class MonthItems : public MonthPrint {
protected:
    void SetUp() override {
        MonthPrint::SetUp();
        MonthGrid& grid = calendar.ShownGrid();
        MonthPage& may = grid.MonthPages()[1];
        may.Year = 2026;
        may.Month = 5;
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
        };
        may.Count = int(may.Lines.size());
        MonthPage& april = grid.MonthPages()[0];
        april.Year = 2026;
        april.Month = 4;
        april.Lines = QStringList{QStringLiteral("27,0,0,四月の予定,$00FF0000,0"),
                                  QStringLiteral("28,0,0,四月の黒")};
        april.Count = 2;
        grid.PeriodList() = QStringList{
            QStringLiteral("2026,5,13,A,2026,5,15,M,0,5,14,2,clBlue,出張"),
            QStringLiteral("2026,4,27,M,2026,4,28,X,0,4,27,3,$00004000,研修"),
        };
    }
    // Row top of week row r.
    int rowTop(const MonthPageGeometry& g, int r) const { return g.Top + g.R + g.H * (r - 1); }
    std::vector<const PageOp*> linesIn(const MonthPageGeometry& g, int r, int c) const {
        std::vector<const PageOp*> found;
        // Bars and strokes start in their cell; the grid's lines are a pen of 1.
        const QRect cell(g.Left + g.W * c, rowTop(g, r) + 1, g.W, g.H - 1);
        for (const PageOp& o : ops())
            if (o.kind == PageOp::Line && cell.contains(o.from) && o.pen.Width > 1)
                found.push_back(&o);
        return found;
    }
};

TEST_F(MonthItems, SlotsTagsColoursAndHiddenText) {
    const MonthPageGeometry g = build(job("MA4"));
    ASSERT_EQ(g.L, 37);
    // 1 May (row 1, Friday): three items packed to the bottom, slots 2 to 4.
    const PageOp* bold = textInCell(QStringLiteral("役員会"), g, 1, 5);
    const PageOp* struck = textInCell(QStringLiteral("打合せ"), g, 1, 5);
    const PageOp* red = textInCell(QStringLiteral("赤字"), g, 1, 5);
    ASSERT_TRUE(bold && struck && red);
    const int top = rowTop(g, 1);
    // Slot i spans rowTop + H − (L (n − i) + M) to rowTop + H − (L (n − 1 − i) + M).
    EXPECT_EQ(bold->rect, QRect(QPoint(g.Left + 5 * g.W + g.G, top + 270 - (37 * 3 + 10)),
                                QPoint(g.Left + 6 * g.W - 1, top + 270 - (37 * 2 + 10) - 1)));
    EXPECT_EQ(red->rect.bottom() + 1, top + 260);  // the last slot ends M above the bottom
    EXPECT_EQ(bold->font.Style, fsBold);
    EXPECT_EQ(struck->font.Style, fsStrikeOut);
    EXPECT_EQ(red->font.Style, 0);
    EXPECT_EQ(bold->font.Name, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(bold->font.Height, 29);
    EXPECT_EQ(bold->font.Color, 0x484848);
    EXPECT_EQ(red->font.Color, 0x0000FF);  // $000000FF is 00BBGGRR: red
    // Hidden text across two lines of the 12th; case does not matter and lengths are kept.
    EXPECT_NE(textInCell(QStringLiteral("前"), g, 3, 2), nullptr);
    EXPECT_NE(textInCell(QStringLiteral("後"), g, 3, 2), nullptr);
    EXPECT_EQ(text(QStringLiteral("秘密")), nullptr);
    EXPECT_NE(textInCell(QStringLiteral("Straße見える"), g, 4, 3), nullptr);
    // A full-width comma prints as a comma; clWindowText and a colour that is none: the default.
    const PageOp* comma = text(QStringLiteral("会議,資料"));
    ASSERT_NE(comma, nullptr);
    EXPECT_EQ(comma->font.Color, 0x484848);
    EXPECT_EQ(text(QStringLiteral("色なし"))->font.Color, 0x484848);
    // Another month's items: their colour lightened, or grey.
    EXPECT_EQ(text(QStringLiteral("四月の予定"))->font.Color, 0xFF0000 | 0x808080);
    EXPECT_EQ(text(QStringLiteral("四月の黒"))->font.Color, clGray);
}

TEST_F(MonthItems, PeriodBarsStrokesAndLabels) {
    const MonthPageGeometry g = build(job("MA4"));
    const int W = g.W;
    // 13 May, afternoon start: from 40 % of the cell, with its stroke down and right.
    const auto start = linesIn(g, 3, 3);
    ASSERT_EQ(start.size(), 2u);
    const int x13 = g.Left + 3 * W;
    const int y = rowTop(g, 3) + 270 - (37 / 2 + 37 * 4 + 10);  // slot 0: periods come first
    EXPECT_EQ(start[0]->from, QPoint(x13 + W * 40 / 100, y));
    EXPECT_EQ(start[0]->to, QPoint(x13 + W, y));
    EXPECT_EQ(start[1]->from, QPoint(x13 + W * 40 / 100, y));
    EXPECT_EQ(start[1]->to, QPoint(x13 + W * 40 / 100 + 50, y + 5));
    EXPECT_EQ(start[0]->pen.Width, 5);         // "2": the medium pen
    EXPECT_EQ(start[0]->pen.Color, 0xFF0000);  // clBlue
    // 14th: across the cell, and the label box ending 5 % of W before the cell's right edge.
    const auto middle = linesIn(g, 3, 4);
    ASSERT_EQ(middle.size(), 1u);
    EXPECT_EQ(middle[0]->from, QPoint(g.Left + 4 * W, y));
    EXPECT_EQ(middle[0]->to, QPoint(g.Left + 5 * W, y));
    const PageOp* label = text(QStringLiteral(" 出張 "));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->rect.right() + 1, g.Left + 5 * W - 19);
    EXPECT_EQ(label->font.Name, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(label->font.Height, 29 * 95 / 100);
    const auto fill = std::find_if(ops().begin(), ops().end(), [&](const PageOp& o) {
        return o.kind == PageOp::FillRect && o.rect == label->rect;
    });
    ASSERT_NE(fill, ops().end());
    EXPECT_EQ(fill->brush.Color, clWhite);
    EXPECT_EQ(fill->brush.Style, Qt::SolidPattern);  // the bar does not run through the label
    // 15th, morning end: to 25 %, the stroke coming down to it from 5 mm before.
    const auto end = linesIn(g, 3, 5);
    ASSERT_EQ(end.size(), 2u);
    const int x15 = g.Left + 5 * W;
    EXPECT_EQ(end[0]->from, QPoint(x15, y));
    EXPECT_EQ(end[0]->to, QPoint(x15 + W * 25 / 100, y));
    EXPECT_EQ(end[1]->from, QPoint(x15 + W * 25 / 100 - 50, y - 5));
    EXPECT_EQ(end[1]->to, QPoint(x15 + W * 25 / 100, y));
    // April's period: thick, other parts at 75 % and 95 %, its colour lightened.
    const auto april = linesIn(g, 1, 1);
    ASSERT_EQ(april.size(), 2u);
    EXPECT_EQ(april[0]->from.x(), g.Left + W + W * 5 / 100);  // "M"
    EXPECT_EQ(april[0]->pen.Width, 8);
    EXPECT_EQ(april[0]->pen.Color, 0x004000 | 0x808080);
    const auto april28 = linesIn(g, 1, 2);
    ASSERT_EQ(april28.size(), 2u);
    EXPECT_EQ(april28[0]->to.x(), g.Left + 2 * W + W * 95 / 100);  // "X": the day's end
}

// A period of a year ends on the day it began: that day shows its end, not a second start, and
// its label stands on its first day only.
TEST_F(MonthItems, AYearLongPeriodEndsWhereItBegan) {
    calendar.ShownGrid().PeriodList() =
        QStringList{QStringLiteral("2025,5,14,A,2026,5,14,M,0,5,14,1,clRed,長期")};
    const MonthPageGeometry g = build(job("MA4"));
    const auto cell14 = linesIn(g, 3, 4);
    ASSERT_EQ(cell14.size(), 2u);
    const int x14 = g.Left + 4 * g.W;
    EXPECT_EQ(cell14[0]->from.x(), x14);
    EXPECT_EQ(cell14[0]->to.x(), x14 + g.W * 25 / 100);
    EXPECT_EQ(cell14[0]->pen.Width, 2);
    EXPECT_EQ(text(QStringLiteral(" 長期 ")), nullptr);
    // The days before it in the month: a bar across each cell.
    EXPECT_EQ(linesIn(g, 2, 3).size(), 1u);
}

// More items than lines: the last line says so with " /", cut short to leave it room.
TEST_F(MonthItems, TheLastLineMarksItemsThatDoNotFit) {
    MonthPage& may = calendar.ShownGrid().MonthPages()[1];
    may.Lines = QStringList{QStringLiteral("8,0,0,一"),
                            QStringLiteral("8,0,0,二"),
                            QStringLiteral("8,0,0,三"),
                            QStringLiteral("8,0,0,四"),
                            QStringLiteral("8,0,0,とても長い予定の説明がここに続いていきます"),
                            QStringLiteral("8,0,0,六")};
    const MonthPageGeometry g = build(job("MA4"));
    EXPECT_NE(textInCell(QStringLiteral("四"), g, 2, 5), nullptr);
    EXPECT_EQ(text(QStringLiteral("六")), nullptr);
    const PageOp* last = nullptr;
    for (const PageOp& o : ops())
        if (o.kind == PageOp::Text && o.text.startsWith(QStringLiteral("とても"))) last = &o;
    ASSERT_NE(last, nullptr);
    EXPECT_TRUE(last->text.endsWith(QStringLiteral(" /"))) << last->text.toStdString();
    EXPECT_LT(last->text.size(), 24);
    EXPECT_LE(ink(*last).right(), g.Left + 6 * g.W + 1);  // inside its cell
    // With room for every item there is no mark: the long item ends at its last whole character.
    may.Lines.removeLast();
    build(job("MA4"));
    const PageOp* whole = nullptr;
    for (const PageOp& o : ops())
        if (o.kind == PageOp::Text && o.text.startsWith(QStringLiteral("とても"))) whole = &o;
    ASSERT_NE(whole, nullptr);
    EXPECT_FALSE(whole->text.endsWith(QStringLiteral(" /")));
    EXPECT_TRUE(
        QStringLiteral("とても長い予定の説明がここに続いていきます").startsWith(whole->text));
    EXPECT_LE(ink(*whole).right(), g.Left + 6 * g.W + 1);
}

TEST_F(MonthItems, UnreadableLinesAreLeftOffAndListed) {
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

TEST_F(MonthItems, BlackAndWhiteAndB5) {
    MonthJob bw = job("MA4");
    bw.Options.BlackWhite = true;
    MonthPageGeometry g = build(bw);
    EXPECT_EQ(text(QStringLiteral("赤字"))->font.Color, clBlack);
    EXPECT_EQ(text(QStringLiteral("四月の予定"))->font.Color, clGray);
    EXPECT_EQ(text(QStringLiteral("四月の予定"))->font.Height, 29 * 9 / 10);
    EXPECT_EQ(linesIn(g, 3, 4)[0]->pen.Color, clBlack);
    // B5: the label on the paper's white, not the grey of the shading.
    g = build(job("MB5"));
    const PageOp* label = text(QStringLiteral(" 出張 "));
    ASSERT_NE(label, nullptr);
    for (const PageOp& o : ops()) {
        if (o.kind == PageOp::FillRect && o.rect == label->rect) {
            EXPECT_EQ(o.brush.Color, clWhite);
        }
    }
    // Items off: the cells carry no schedule texts.
    MonthJob off = job("MA4");
    off.Schedules = false;
    build(off);
    EXPECT_EQ(text(QStringLiteral("役員会")), nullptr);
    EXPECT_EQ(text(QStringLiteral(" 出張 ")), nullptr);
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

class YearPrint : public MonthPrint {
protected:
    YearPageGeometry buildYear(const YearJob& j) {
        YearPageGeometry g;
        EXPECT_TRUE(BuildYearJob(doc, setup, calendar, j, nullptr, &g));
        return g;
    }
    YearJob yearJob(bool b5 = false) {
        YearJob j;
        j.B5 = b5;
        j.Options.Today = QDate(2026, 12, 7);
        return j;
    }
};

TEST_F(YearPrint, TwelveBlocksFromThePrintMonth) {
    calendar.ShowMonth(2026, 4);
    const YearPageGeometry g = buildYear(yearJob());
    EXPECT_EQ(doc.RecordedGeometry().PageWidth, 2100);
    EXPECT_EQ(doc.RecordedGeometry().PageHeight, 2970);
    std::vector<QRect> frames;
    for (const PageOp& o : ops())
        if (o.kind == PageOp::Rectangle) frames.push_back(o.rect);
    ASSERT_EQ(frames.size(), 12u);
    const std::array tops{350, 1000, 1650, 2300};
    const std::array lefts{200, 815, 1430};
    for (int k = 1; k <= 12; ++k) {
        const int top = tops[std::size_t((k - 1) / 3)];
        const int left = lefts[std::size_t((k - 1) % 3)];
        EXPECT_EQ(frames[std::size_t(k - 1)], QRect(left, top, 525, 392)) << k;
        EXPECT_EQ(frames[std::size_t(k - 1)].topLeft(), QPoint(g.BlockLeft(k), g.BlockTop(k)));
    }
    // April 2026 to March 2027, each with its year and English name.
    const char* names[] = {"April",   "May",      "June",     "July",    "August",   "September",
                           "October", "November", "December", "January", "February", "March"};
    for (int k = 0; k < 12; ++k) {
        const PageOp* name = text(QString::fromLatin1(names[k]));
        ASSERT_NE(name, nullptr) << names[k];
        EXPECT_EQ(name->rect.right() + 1, g.BlockLeft(k + 1) + 525);
        EXPECT_EQ(name->font.Color, clGray);
    }
    EXPECT_EQ(texts(QStringLiteral("2026")).size(), 9u);
    EXPECT_EQ(texts(QStringLiteral("2027")).size(), 3u);
    const PageOp* number = text(QStringLiteral("12"));
    ASSERT_NE(number, nullptr);
    // Other months' days are never printed: 31 comes only in the seven long months.
    EXPECT_EQ(texts(QStringLiteral("31")).size(), 7u);
    EXPECT_EQ(texts(QStringLiteral("30")).size(), 11u);
    // Every day number stands inside a block's seven columns.
    int dayNumbers = 0;
    for (const PageOp& o : ops()) {
        if (o.kind != PageOp::Text || o.font.Height != g.D || o.font.Style != fsBold) continue;
        ++dayNumbers;
        bool inside = false;
        for (int k = 1; k <= 12; ++k)
            inside =
                inside || (o.origin.x() >= g.BlockLeft(k) && o.origin.x() < g.BlockLeft(k) + 525 &&
                           o.origin.y() > g.BlockTop(k) && o.origin.y() < g.BlockTop(k) + 392);
        EXPECT_TRUE(inside) << o.text.toStdString() << " at " << o.origin.x() << ","
                            << o.origin.y();
    }
    EXPECT_EQ(dayNumbers, 365);  // April 2026 to March 2027, each day once
    // No title, no holiday names; the footer once, under the twelfth block.
    EXPECT_EQ(text(QStringLiteral("2026 年 4 月予定表")), nullptr);
    EXPECT_EQ(text(QStringLiteral("昭和の日")), nullptr);
    const auto footer = texts(QStringLiteral("Printed by Korvane"));
    ASSERT_EQ(footer.size(), 1u);
    EXPECT_EQ(footer[0]->rect, QRect(QPoint(200, 2692), QPoint(1430 + 525 - 1, 2782 - 1)));
    EXPECT_EQ(footer[0]->font.Height, 30);
    const PageOp* date = text(QStringLiteral("令和8年12月7日作成"));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->rect, QRect(QPoint(200, 350 - (20 + 30 + 50 + 60 + 80)),
                                QPoint(1954, 350 - (10 + 30 + 60 + 80) - 1)));
    // The main window is back on the print month, its grid redrawing again.
    EXPECT_EQ(calendar.ShownYear(), 2026);
    EXPECT_EQ(calendar.ShownMonth(), 4);
    EXPECT_FALSE(calendar.ShownGrid().SkipUpDate);
    // Holidays stay red: 29 April.
    for (const PageOp* o : texts(QStringLiteral("29"))) {
        if (o->origin.x() < 200 + 525 && o->origin.y() < 350 + 392) {
            EXPECT_EQ(o->font.Color, kRed);
        }
    }
}

// The footer names the program that asked for the page (kinds past 2 as the last); kind 3
// prints none.
TEST_F(YearPrint, TheFooterFollowsTheSiblingsKind) {
    const std::pair<int, const char16_t*> kinds[] = {
        {0, u"Printed by Korvane"}, {1, u"Velmar -Velmar-"}, {3, nullptr}, {4, u"Tesska -Tesska-"}};
    for (const auto& [kind, footer] : kinds) {
        calendar.kind = kind;
        buildYear(yearJob());
        int grey30 = 0;  // the footer's face and size, used by nothing else on the page
        for (const PageOp& o : ops())
            if (o.kind == PageOp::Text && o.font.Height == 30 && o.font.Color == clGray &&
                o.origin.y() > 2692)
                ++grey30;
        EXPECT_EQ(grey30, footer ? 1 : 0) << kind;
        if (footer) {
            EXPECT_NE(text(QString::fromUtf16(footer)), nullptr) << kind;
        }
    }
}

// Each block's month number stands in a box from its font height plus 3 mm above the grid to
// 1 mm above it, at the foot of the box.
TEST_F(YearPrint, TheMonthNumberStandsJustAboveItsBlock) {
    calendar.ShowMonth(2027, 1);
    const YearPageGeometry g = buildYear(yearJob());
    const PageOp* one = nullptr;
    for (const PageOp& o : ops())
        if (o.kind == PageOp::Text && o.text == QStringLiteral("1") && o.font.Height == g.MonthFont)
            one = &o;
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->rect.top(), g.BlockTop(1) - (g.MonthFont + 30));
    EXPECT_EQ(one->rect.bottom() + 1, g.BlockTop(1) - 10);
    EXPECT_NEAR(ink(*one).bottom(), g.BlockTop(1) - 10, 2);
}

TEST_F(YearPrint, B5AndWithoutRules) {
    YearJob b5 = yearJob(true);
    b5.Ruled = false;
    const YearPageGeometry g = buildYear(b5);
    EXPECT_EQ(doc.RecordedGeometry().PageWidth, 1820);
    EXPECT_EQ(g.BlockTop(12), 1988);
    EXPECT_EQ(g.BlockLeft(12), 1235);
    EXPECT_EQ(count(PageOp::Rectangle), 0);
    EXPECT_EQ(count(PageOp::Line), 0);
    EXPECT_EQ(count(PageOp::PatternFill), 0);
    EXPECT_EQ(texts(QStringLiteral("日")).size(), 12u);  // the weekday names stay

    YearJob plain = yearJob();
    plain.Options.Shading = false;  // 罫線 without 網掛け
    buildYear(plain);
    EXPECT_EQ(count(PageOp::PatternFill), 0);
    EXPECT_EQ(count(PageOp::Rectangle), 12);

    const YearPageGeometry a4 = buildYear(yearJob());
    EXPECT_EQ(count(PageOp::PatternFill), 12);
    for (const PageOp& o : ops()) {
        if (o.kind == PageOp::PatternFill) {
            EXPECT_EQ(o.rect.height(), a4.R);  // the whole row
        }
    }
}

TEST_F(YearPrint, AMissingPaperIsNamedWithoutBrackets) {
    testing::FakePrintSystem office;
    testing::FakePrintSystem::Printer p;
    p.name = QStringLiteral("Office");
    p.papers = {QPageSize(QPageSize::A4)};
    office.add(p);
    PrinterSetup officeSetup(office);
    prompt.answer(true);
    EXPECT_FALSE(BuildYearJob(doc, officeSetup, calendar, yearJob(true), nullptr));
    ASSERT_FALSE(prompt.texts().isEmpty());
    EXPECT_EQ(prompt.texts()[0],
              QStringLiteral(
                  "用紙サイズをＢ５に設定できませんでした。\r\n手動での設定をお願いいたします。"));
}

}  // namespace
}  // namespace korvane
