#include "app/printcommand.h"

#include "print/monthpagegeometry.h"

#include "../print/fakeprintsystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "testsupport.h"

#include <cstdio>

namespace korvane {
namespace {

using testing::ReadAndClose;

// A poppler tool's output, or the reason it could not run.
QString tool(const QString& program, const QStringList& args) {
    if (QStandardPaths::findExecutable(program).isEmpty()) return QStringLiteral("missing");
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

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

TEST_F(PrintCommand, PdfOfEveryLayout) {
    const struct {
        const char* layout;
        const char* size;  // pdfinfo's points
    } table[] = {
        {"MB5", "729 x 516"},  {"HB5", "729 x 516"},  {"MA4W", "595 x 842"},
        {"HA4W", "595 x 842"}, {"MA4", "842 x 595"},  {"HA4", "842 x 595"},
        {"MA3", "1191 x 842"}, {"HA3", "1191 x 842"}, {"HHagaki", "419 x 284"},
    };
    for (const auto& row : table) {
        const QString file = QStringLiteral("%1.pdf").arg(QLatin1String(row.layout));
        ASSERT_EQ(run(request(row.layout, qPrintable(file))), 0) << row.layout << qPrintable(err);
        const QString info = tool(QStringLiteral("pdfinfo"), {dir.filePath(file)});
        if (info == u"missing") GTEST_SKIP() << "poppler-utils are not installed";
        EXPECT_TRUE(info.contains(QLatin1String(row.size))) << row.layout << qPrintable(info);
        static const QRegularExpression onePage(QStringLiteral("Pages:\\s+1\n"));
        EXPECT_TRUE(info.contains(onePage)) << row.layout;
        const QString fonts = tool(QStringLiteral("pdffonts"), {dir.filePath(file)});
        const QStringList lines = fonts.split(u'\n', Qt::SkipEmptyParts).mid(2);
        EXPECT_FALSE(lines.isEmpty()) << row.layout;
        for (const QString& line : lines) {
            EXPECT_TRUE(line.startsWith(QLatin1String("IPA"))) << row.layout << qPrintable(line);
            EXPECT_TRUE(line.contains(QLatin1String(" yes "))) << row.layout << qPrintable(line);
        }
        const QString text =
            tool(QStringLiteral("pdftotext"),
                 {QStringLiteral("-layout"), dir.filePath(file), QStringLiteral("-")});
        EXPECT_TRUE(text.contains(QStringLiteral("2026 年 5 月予定表"))) << row.layout;
        EXPECT_TRUE(text.contains(QStringLiteral("令和8年12月7日作成"))) << row.layout;
        EXPECT_TRUE(text.contains(QStringLiteral("憲法記念日"))) << row.layout;
        EXPECT_TRUE(text.contains(QStringLiteral("こどもの日"))) << row.layout;
        static const QRegularExpression weekdays(
            QStringLiteral("日\\s+月\\s+火\\s+水\\s+木\\s+金\\s+土"));
        EXPECT_TRUE(text.contains(weekdays)) << row.layout << qPrintable(text.left(400));
    }
}

// At 254 dpi a pixel is 0.1 mm, so the page's numbers are pixel positions.
TEST_F(PrintCommand, PngAt254DpiHasItsLinesWhereTheGeometrySays) {
    PrintRequest r = request("MA4", nullptr, "ma4.png");
    r.Dpi = 254;
    ASSERT_EQ(run(r), 0) << qPrintable(err);
    const QImage image(dir.filePath(QStringLiteral("ma4.png")));
    ASSERT_EQ(image.size(), QSize(2970, 2100));
    EXPECT_EQ(image.dotsPerMeterX(), 10000);
    EXPECT_EQ(image.dotsPerMeterY(), 10000);
    // Pixel x covers x .. x + 1; a line of 0.1 mm centred on a whole number greys two pixels.
    const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 160; };
    const auto white = [&](int x, int y) { return qGray(image.pixel(x, y)) == 255; };
    // The frame, 0.5 mm wide, centred on 120/2850 and 270/1960 (12.0/285.0, 27.0/196.0 mm).
    for (int d = -2; d <= 1; ++d) {
        EXPECT_TRUE(dark(120 + d, 1000)) << d;
        EXPECT_TRUE(dark(2850 + d, 1000)) << d;
        EXPECT_TRUE(dark(1000, 270 + d)) << d;
        EXPECT_TRUE(dark(1000, 1960 + d)) << d;
    }
    for (int d : {-4, 3}) {
        EXPECT_TRUE(white(120 + d, 1000)) << d;
        EXPECT_TRUE(white(2850 + d, 1000)) << d;
        EXPECT_TRUE(white(1000, 1960 + d)) << d;
    }
    // Grid lines at left + 390 j and top + R + 270 i; the double rule under the weekday row.
    for (int j = 1; j <= 6; ++j) {
        const int x = 120 + 390 * j;
        EXPECT_TRUE(dark(x, 1000) && dark(x - 1, 1000)) << j;
        EXPECT_TRUE(white(x - 3, 1000) && white(x + 2, 1000)) << j;
    }
    for (int i = 1; i <= 5; ++i) {
        const int y = 340 + 270 * i;
        EXPECT_TRUE(dark(1000, y) && dark(1000, y - 1)) << i;
        EXPECT_TRUE(white(1000, y - 3) && white(1000, y + 2)) << i;
    }
    EXPECT_TRUE(dark(1000, 336) && dark(1000, 337));  // 0.2 mm at 337
    EXPECT_TRUE(dark(1000, 339) && dark(1000, 340));
    EXPECT_TRUE(white(1000, 342));
    // Sunday 10 May (row 3, column 0): its digits are pure red, with no dark ink of another hue.
    int red = 0, other = 0;
    for (int y = 340 + 540 + 3; y < 340 + 540 + 75; ++y)
        for (int x = 124; x < 120 + 100; ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == qRgb(255, 0, 0)) {
                ++red;
            } else if (qGray(p) < 200 && qRed(p) < 200) {
                ++other;
            }
        }
    EXPECT_GT(red, 200);
    EXPECT_EQ(other, 0);
}

TEST_F(PrintCommand, BlackAndWhitePngIsGreyOnly) {
    PrintRequest r = request("HA4", nullptr, "bw.png");
    r.Dpi = 100;
    r.BlackWhite = true;
    r.Rokuyo = true;
    ASSERT_EQ(run(r), 0) << qPrintable(err);
    const QImage image(dir.filePath(QStringLiteral("bw.png")));
    ASSERT_FALSE(image.isNull());
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

// The shipped sample data on paper: each day's items stand inside that day's cell.
TEST_F(PrintCommand, SampleItemsStandInTheirDaysCells) {
    PrintRequest r = request("MA4", "december.pdf");
    r.Year = 2026;
    r.Month = 12;
    ASSERT_EQ(run(r), 0) << qPrintable(err);
    const QString html =
        tool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), r.Pdf, QStringLiteral("-")});
    if (html == u"missing") GTEST_SKIP() << "poppler-utils are not installed";
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    // December 2026 opens on Sunday 29 November: 1 December is row 1, column 2.
    const struct {
        const char16_t* text;
        int row, column;
    } items[] = {{u"朝礼", 1, 2}, {u"山田商事様", 1, 3}, {u"定例会議", 2, 1}, {u"大阪出張", 2, 2}};
    for (const auto& item : items) {
        const double mm = 72 / 25.4;
        const QRectF cell(QPointF((120 + 390 * item.column) / 10.0 * mm,
                                  (340 + 270 * (item.row - 1)) / 10.0 * mm),
                          QSizeF(39.0 * mm, 27.0 * mm));
        bool inside = false;
        for (auto it = word.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (!m.captured(5).contains(QString::fromUtf16(item.text))) continue;
            const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
            inside = inside || cell.contains(box);
        }
        EXPECT_TRUE(inside) << QString::fromUtf16(item.text).toStdString();
    }
}

TEST_F(PrintCommand, YearCalendarFromTheMonthGiven) {
    PrintRequest r = request("CA4V", "year.pdf");
    r.Month = 4;
    ASSERT_EQ(run(r), 0) << qPrintable(err);
    const QString info = tool(QStringLiteral("pdfinfo"), {r.Pdf});
    if (info == u"missing") GTEST_SKIP() << "poppler-utils are not installed";
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842"))) << qPrintable(info);
    const QString text =
        tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), r.Pdf, QStringLiteral("-")});
    static const QRegularExpression first(QStringLiteral("2026\\s+4\\s+April"));
    static const QRegularExpression last(QStringLiteral("2027\\s+3\\s+March"));
    EXPECT_TRUE(text.contains(first)) << qPrintable(text.left(300));
    EXPECT_TRUE(text.contains(last));
    EXPECT_FALSE(text.contains(QStringLiteral("2027 4")));
    PrintRequest b5 = request("CB5V", "b5.pdf");
    b5.NoRules = true;
    ASSERT_EQ(run(b5), 0) << qPrintable(err);
    EXPECT_TRUE(tool(QStringLiteral("pdfinfo"), {b5.Pdf}).contains(QStringLiteral("516 x 729")));
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

}  // namespace
}  // namespace korvane
