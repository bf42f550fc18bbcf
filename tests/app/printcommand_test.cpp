#include "app/printcommand.h"

#include "print/monthpagegeometry.h"

#include "../print/fakeprintsystem.h"
#include "settings/inifile.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "../print/pdfprobe.h"
#include "testsupport.h"

#include <cstdio>

namespace korvane {
namespace {

using testing::ReadAndClose;

// A poppler tool's output, or the reason it could not run.
class PrintCommand : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString err;

    int run(PrintRequest r, PrintSystem* system = nullptr) {
        if (!r.Today.isValid()) r.Today = QDate(2026, 12, 7);
        std::FILE* e = std::tmpfile();
        const int code = RunPrintCommand(r, QCoreApplication::applicationDirPath() + u'/',
                                         dir.path() + u'/', e, system);
        err = ReadAndClose(e);
        return code;
    }
    PrintRequest request(const char* layout, const char* pdf, const char* png = nullptr) {
        PrintRequest r;
        r.Layout = QString::fromLatin1(layout);
        r.Year = 2026;
        r.Month = 5;
        if (pdf) r.Pdf = dir.filePath(QString::fromLatin1(pdf));
        if (png) r.Png = dir.filePath(QString::fromLatin1(png));
        return r;
    }
};

// The PDF of a layout: one page on the layout's paper, with its text. (The pages themselves are
// recorded in the golden dumps; the PDF writer's fonts and measures are tested with it.)
TEST_F(PrintCommand, PdfOfALayout) {
    const QString file = dir.filePath(QStringLiteral("HHagaki.pdf"));
    PrintRequest r = request("HHagaki", nullptr);
    r.Pdf = file;
    ASSERT_EQ(run(r), 0) << qPrintable(err);
    const QString info = testing::RunTool(QStringLiteral("pdfinfo"), {file});
    EXPECT_TRUE(info.contains(QLatin1String("419 x 284"))) << qPrintable(info);
    static const QRegularExpression onePage(QStringLiteral("Pages:\\s+1\n"));
    EXPECT_TRUE(info.contains(onePage));
    const QString text = testing::RunTool(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("2026 年 5 月予定表")));
}

TEST_F(PrintCommand, BlackAndWhitePngIsGreyOnly) {
    PrintRequest r = request("HA4", nullptr, "bw.png");
    r.Dpi = 100;
    r.BlackWhite = true;
    r.Rokuyo = true;
    ASSERT_EQ(run(r), 0) << qPrintable(err);
    const QImage image(dir.filePath(QStringLiteral("bw.png")));
    ASSERT_FALSE(image.isNull());
    // The resolution goes with the picture, so it prints at its size.
    EXPECT_EQ(QSize(image.dotsPerMeterX(), image.dotsPerMeterY()), QSize(3937, 3937));
    int coloured = 0, dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p)) ++coloured;
            if (qGray(p) < 64) ++dark;
        }
    EXPECT_EQ(coloured, 0);
    EXPECT_GT(dark, 1000);
}

TEST_F(PrintCommand, OffsetsAndScaleMoveThePage) {
    PrintRequest r = request("MA4", nullptr, "off.png");
    r.Dpi = 254;
    r.TopMm = 5;
    r.LeftMm = -3;
    ASSERT_EQ(run(r), 0) << qPrintable(err);
    const QImage image(dir.filePath(QStringLiteral("off.png")));
    const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 100; };
    EXPECT_TRUE(dark(90, 1000));
    EXPECT_FALSE(dark(120, 1000));
    EXPECT_TRUE(dark(1000, 320));
    EXPECT_FALSE(dark(1000, 270));
}

TEST_F(PrintCommand, YearCalendarFromTheMonthGiven) {
    PrintRequest r = request("CA4V", "year.pdf");
    r.Month = 4;
    ASSERT_EQ(run(r), 0) << qPrintable(err);
    const QString info = testing::RunTool(QStringLiteral("pdfinfo"), {r.Pdf});
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842"))) << qPrintable(info);
    const QString text = testing::RunTool(QStringLiteral("pdftotext"),
                                          {QStringLiteral("-layout"), r.Pdf, QStringLiteral("-")});
    static const QRegularExpression first(QStringLiteral("2026\\s+4\\s+April"));
    static const QRegularExpression last(QStringLiteral("2027\\s+3\\s+March"));
    EXPECT_TRUE(text.contains(first)) << qPrintable(text.left(300));
    EXPECT_TRUE(text.contains(last));
    EXPECT_FALSE(text.contains(QStringLiteral("2027 4")));
}

// The options reach the year calendar as they reach the months: smaller print, no shading.
TEST_F(PrintCommand, TheYearCalendarTakesTheOptions) {
    const auto picture = [&](bool small, bool noShade) {
        PrintRequest r = request("CA4V", nullptr, "year.png");
        r.Dpi = 100;
        r.Small = small;
        r.NoShade = noShade;
        EXPECT_EQ(run(r), 0) << qPrintable(err);
        return QImage(dir.filePath(QStringLiteral("year.png")));
    };
    const auto inked = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) != qRgb(255, 255, 255);
        return n;
    };
    const QImage plain = picture(false, false);
    EXPECT_LT(testing::InkBox(picture(true, false)).width(), testing::InkBox(plain).width());
    EXPECT_LT(inked(picture(false, true)), inked(plain));
}

TEST_F(PrintCommand, AQuestionEndsWithExit3AndNoFile) {
    // A printer without postcards: the paper question would wait for an answer.
    testing::FakePrintSystem office;
    office.add({QStringLiteral("Office")});
    const PrintRequest r = request("HHagaki", "card.pdf");
    EXPECT_EQ(run(r, &office), 3);
    EXPECT_TRUE(err.contains(QStringLiteral("用紙サイズを「はがき」に設定できませんでした。")))
        << qPrintable(err);
    // The printer set-up dialog is where it would wait: it is named, and nothing goes on.
    EXPECT_EQ(err.count(u'\n'), 2) << qPrintable(err);
    EXPECT_FALSE(err.contains(QStringLiteral("印刷を中止しますか？"))) << qPrintable(err);
    EXPECT_FALSE(QFile::exists(r.Pdf));
    // A paper it has goes through.
    EXPECT_EQ(run(request("HA4", "a4.pdf"), &office), 0) << qPrintable(err);
}

TEST_F(PrintCommand, AnUnwritableFileIsExit1) {
    PrintRequest r = request("MA4", nullptr);
    r.Pdf = dir.filePath(QStringLiteral("no/such/folder/a.pdf"));
    EXPECT_EQ(run(r), 1);
    EXPECT_TRUE(err.startsWith(QStringLiteral("korvane: "))) << qPrintable(err);
    PrintRequest p = request("MA4", nullptr, nullptr);
    p.Png = dir.filePath(QStringLiteral("no/such/folder/a.png"));
    EXPECT_EQ(run(p), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("a.png"))) << qPrintable(err);
}

// The stationery from the settings the window keeps: at 254 dpi a pixel is 0.1 mm, so a rule
// of the graph paper at x is dark at pixel x, and its cells are as wide as set.
TEST_F(PrintCommand, NoteAndGraphPaperFromPrintersIni) {
    PrintRequest note = request("NA4P", "note.pdf");
    ASSERT_EQ(run(note), 0) << qPrintable(err);
    EXPECT_TRUE(testing::RunTool(QStringLiteral("pdfinfo"), {note.Pdf}).contains("595 x 842"));

    IniFile(dir.filePath("Printers.ini")).WriteInteger("Graph", "udGH", 50);
    PrintRequest graph = request("GA4P", nullptr, "graph.png");
    graph.Dpi = 254;
    graph.LeftMm = -5;
    ASSERT_EQ(run(graph), 0) << qPrintable(err);
    const QImage image(graph.Png);
    ASSERT_EQ(image.size(), QSize(2100, 2970));
    const auto dark = [&](int x) { return qGray(image.pixel(x, 1000)) < 220; };
    for (const int x : {200, 250, 300, 1000})  // the frame 5 mm further left, then every 5 mm
        EXPECT_TRUE(dark(x) && !dark(x + 25)) << x;
    EXPECT_FALSE(dark(1100));  // the stored count of 17 cells ends at 1050
}

// The letters take their texts and paper from Printers.ini, the paper option over it, and the date
// of the day asked for in its era.
TEST_F(PrintCommand, LettersFromPrintersIni) {
    if (!testing::HavePdfTools()) GTEST_SKIP() << "poppler-utils";
    IniFile ini(dir.filePath("Printers.ini"));
    ini.WriteInteger("Soufu", "rgSYoushi", 1);
    ini.WriteBool("Soufu", "cbYMD", false);
    ini.WriteString("Soufu", "edtKaisha", QStringLiteral("有限会社ノルベル"));
    PrintRequest letter = request("Soufu", "letter.pdf");
    letter.Today = QDate(2019, 4, 30);
    ASSERT_EQ(run(letter), 0) << qPrintable(err);
    EXPECT_TRUE(testing::RunTool(QStringLiteral("pdfinfo"), {letter.Pdf}).contains("516 x 729"));
    QString text = testing::RunTool(QStringLiteral("pdftotext"), {letter.Pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains("平成31年4月30日")) << qPrintable(text);
    EXPECT_TRUE(text.contains("有限会社ノルベル"));
    PrintRequest fax = request("Fax", "fax.pdf");
    fax.PaperIndex = 1;
    fax.Today = QDate(2019, 5, 1);
    ASSERT_EQ(run(fax), 0) << qPrintable(err);
    EXPECT_TRUE(testing::RunTool(QStringLiteral("pdfinfo"), {fax.Pdf}).contains("516 x 729"));
    text = testing::RunTool(QStringLiteral("pdftotext"), {fax.Pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains("令和")) << qPrintable(text);
}

}  // namespace
}  // namespace korvane
