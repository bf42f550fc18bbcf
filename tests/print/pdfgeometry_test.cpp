#include "../files.h"
#include "fakeprintsystem.h"
#include "pdfprobe.h"
#include "print/engine/printdocument.h"
#include "print/engine/printersetup.h"

#include <QFontDatabase>
#include <QPainter>

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/prompt.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using namespace korvane::testing;

struct Paper {
    QPageSize::PageSizeId id;
    QPageLayout::Orientation orientation;
    const char* name;
};

const Paper kPapers[] = {
    {QPageSize::A4, QPageLayout::Portrait, "A4 portrait"},
    {QPageSize::A4, QPageLayout::Landscape, "A4 landscape"},
    {QPageSize::JisB5, QPageLayout::Portrait, "JIS B5"},
    {QPageSize::A3, QPageLayout::Landscape, "A3 landscape"},
    {QPageSize::Postcard, QPageLayout::Portrait, "postcard"},
};

// A 100.0 mm line down from 20 mm, 90 mm from the left, and a 50.0 mm square beside it, in
// the thinnest pen; all fits on the postcard.
void drawMeasures(PrintDocument& doc) {
    PageCanvas& c = doc.Canvas();
    c.MoveTo(900, 200);
    c.LineTo(900, 1200);
    c.Rectangle(200, 400, 700, 900);
    c.SetFontName(QStringLiteral("ＭＳ 明朝"));
    c.TextOut(200, 1250, QStringLiteral("令和"));
    c.SetFontName(QStringLiteral("ＭＳ Ｐゴシック"));
    c.TextOut(200, 1350, QStringLiteral("月曜日"));
}

// Ten pixels per millimetre; the geometry must hold to 0.1 mm.
void expectMeasures(const QImage& page, const std::string& where) {
    ASSERT_FALSE(page.isNull()) << where;
    const QRect line = InkBox(page.copy(850, 0, 100, 1240)).translated(850, 0);
    EXPECT_NEAR(line.top(), 200, 1) << where;
    EXPECT_NEAR(line.height(), 1000, 1) << where;
    EXPECT_NEAR(line.center().x(), 900, 1) << where;
    const QRect square = InkBox(page.copy(0, 0, 800, 1000));
    EXPECT_NEAR(square.width(), 500, 1) << where;
    EXPECT_NEAR(square.height(), 500, 1) << where;
    EXPECT_NEAR(square.top(), 400, 1) << where;
}

TEST(PdfFile, MillimetresAndPaperHoldOnEverySheet) {
    if (!HavePdfTools())
        GTEST_SKIP() << "poppler-utils (pdftoppm, pdfinfo, pdffonts) not installed";
    QTemporaryDir dir;
    for (const Paper& paper : kPapers) {
        PrintDocument doc;
        doc.Title = QStringLiteral("寸法の確認");
        doc.SetGeometry(MeasureGeometry(QPageSize(paper.id), paper.orientation, {}, 300, 300));
        doc.BeginDoc();
        drawMeasures(doc);
        doc.NewPage();
        drawMeasures(doc);
        doc.EndDoc();
        const QString pdf = dir.filePath(QString::fromLatin1(paper.name) + ".pdf");
        ASSERT_TRUE(doc.SaveAsPdf(pdf)) << paper.name;
        EXPECT_EQ(PdfPageCount(pdf), 2) << paper.name;
        QSizeF mm = QPageSize(paper.id).size(QPageSize::Millimeter);
        if (paper.orientation == QPageLayout::Landscape) mm.transpose();
        const QSizeF pt = PdfPageSizePt(pdf, 2);
        EXPECT_NEAR(pt.width(), mm.width() * 72 / 25.4, 1) << paper.name;
        EXPECT_NEAR(pt.height(), mm.height() * 72 / 25.4, 1) << paper.name;
        expectMeasures(PdfPage(pdf, 2), paper.name);
        EXPECT_TRUE(RunTool("pdfinfo", {pdf}).contains("寸法の確認")) << "the title";
        const QStringList fonts = PdfFontLines(pdf);
        EXPECT_EQ(fonts.size(), 2) << fonts.join('\n').toStdString();
        for (const QString& f : fonts) {
            EXPECT_TRUE(f.contains("IPA")) << f.toStdString();
            EXPECT_TRUE(f.contains(QRegularExpression("\\byes\\s+(yes|no)\\s+yes\\b")))
                << f.toStdString();
        }
    }
}

// The printer's settings go with the job, its margins never squeeze the page (the queue's own
// test measures it through CUPS), and turning the printer afterwards does not turn the pages.
TEST(Printing, TheJobCarriesThePrinterSettingsAndThePageUnscaled) {
    if (!HavePdfTools()) GTEST_SKIP() << "poppler-utils not installed";
    testing::FakePrintSystem system;
    system.add(
        {.name = "Office", .margins = QMarginsF(10, 10, 10, 10), .sources = {"トレイ1", "手差し"}});
    PrinterSetup setup(system);
    ScriptedPrompt prompt;
    prompt.answerPrinter([](PrinterChoice& c) {
        c.source = "手差し";
        c.duplex = true;
        return true;
    });
    ASSERT_TRUE(setup.PropertiesDialog());
    setup.SetOrientation(1);
    ASSERT_TRUE(setup.SetPaperNumber(8));
    PrintDocument doc;
    doc.ViewClip = false;
    doc.Title = QStringLiteral("月間カレンダー");
    doc.SetPrinterSetup(&setup);
    doc.BeginDoc();
    drawMeasures(doc);
    doc.EndDoc();
    setup.SetOrientation(0);
    ASSERT_TRUE(doc.Print());
    ASSERT_EQ(system.jobs.size(), 1u);
    const PrintJob& job = system.jobs.back();
    EXPECT_EQ(job.Title, "月間カレンダー");
    EXPECT_EQ(job.Printer, "Office");
    EXPECT_TRUE(job.Settings.PageSize.isEquivalentTo(QPageSize(QPageSize::A3)));
    EXPECT_EQ(job.Settings.Orientation, QPageLayout::Landscape);
    EXPECT_EQ(job.Settings.Source, "手差し");
    EXPECT_TRUE(job.Settings.Duplex);
    QTemporaryDir dir;
    ASSERT_TRUE(testing::WriteFile(dir.filePath("job.pdf"), system.pdfs.back()));
    expectMeasures(PdfPage(dir.filePath("job.pdf"), 1), "A3 landscape");
}

TEST(Printing, EveryFailureIsReportedAndNothingIsSentBlind) {
    ScriptedPrompt prompt;
    PrintDocument doc;
    doc.BeginDoc();
    doc.EndDoc();
    // No printer: preview and PDF work, printing says why not.
    NoPrinterSystem none;
    PrinterSetup virtualPage(none);
    doc.SetPrinterSetup(&virtualPage);
    EXPECT_FALSE(doc.Print());
    EXPECT_EQ(prompt.texts().value(0),
              "プリンタがインストールされていないので印刷できません．　　");
    EXPECT_EQ(prompt.entries()[0].caption, " 印刷");

    testing::FakePrintSystem system;
    system.add({.name = "Small", .papers = {QPageSize(QPageSize::A4)}});
    PrinterSetup setup(system);
    // Pages drawn for A3 (on the virtual page) do not go to an A4-only printer.
    virtualPage.SetPaperNumber(8);
    doc.SetPrinterSetup(&virtualPage);
    doc.BeginDoc();
    doc.EndDoc();
    doc.SetPrinterSetup(&setup);
    prompt.clear();
    EXPECT_FALSE(doc.Print());
    EXPECT_TRUE(system.jobs.empty());
    EXPECT_EQ(prompt.texts().value(0),
              "プリンタ「Small」には用紙「A3」がありません．\n印刷を中止しました．");

    // A range past the last page: said once, nothing sent.
    doc.SetPrinterSetup(&setup);
    doc.BeginDoc();
    doc.EndDoc();
    doc.FirstPage = 3;
    prompt.clear();
    EXPECT_FALSE(doc.Print());
    EXPECT_EQ(prompt.entries().size(), 1u);
    EXPECT_TRUE(system.jobs.empty());
    doc.FirstPage = 0;

    // No room for the job's PDF: said, and nothing sent.
    doc.SetPrinterSetup(&setup);
    doc.BeginDoc();
    doc.EndDoc();
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/proc");  // where no file can be made
    prompt.clear();
    EXPECT_FALSE(doc.Print());
    qputenv("TMPDIR", tmp);
    if (tmp.isEmpty()) qunsetenv("TMPDIR");
    EXPECT_TRUE(system.jobs.empty());
    EXPECT_TRUE(prompt.texts().value(0).startsWith("印刷がうまくできませんでした。\n一時ファイル"));

    // A refused job is an error in the system's own words.
    doc.BeginDoc();
    doc.EndDoc();
    doc.Title.clear();
    system.answer = {false, "client-error-document-format-not-supported", 0};
    prompt.clear();
    EXPECT_FALSE(doc.Print());
    ASSERT_EQ(system.jobs.size(), 1u);
    EXPECT_EQ(system.jobs[0].Title, QCoreApplication::applicationName() + "印刷");
    EXPECT_EQ(prompt.texts().value(0),
              "印刷がうまくできませんでした。\nclient-error-document-format-not-supported");
    EXPECT_EQ(prompt.entries()[0].kind, Prompt::Kind::Error);
}

// The darkness of a picture, summed over its pixels.
double inkOf(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) sum += 255 - qGray(image.pixel(x, y));
    return sum;
}

// The faces have no bold of their own: the bold is made up, and every device must make it alike,
// small or large (A3 day numbers are 6.4 mm and more).
TEST(PdfFile, MadeUpBoldIsAsBoldInThePictureAsInThePdf) {
    if (!HavePdfTools())
        GTEST_SKIP() << "poppler-utils (pdftoppm, pdfinfo, pdffonts) not installed";
    QTemporaryDir dir;
    // A face with a bold of its own is drawn as it is, on every device.
    const bool dejaVu = QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"));
    const struct {
        const char* face;
        int height;
    } cases[] = {
        {"ＭＳ ゴシック", 30}, {"ＭＳ ゴシック", 64}, {"ＭＳ ゴシック", 120}, {"DejaVu Sans", 64}};
    for (const auto& [face, height] : cases) {
        if (!dejaVu && QByteArray(face) == "DejaVu Sans") continue;
        PrintDocument doc;
        doc.SetGeometry(
            MeasureGeometry(QPageSize(QPageSize::Postcard), QPageLayout::Portrait, {}, 300, 300));
        doc.BeginDoc();
        PageCanvas& c = doc.Canvas();
        c.SetFontName(QString::fromUtf8(face));
        c.SetFontHeight(height);
        for (const int style : {0, int(fsBold)}) {
            c.SetFontStyle(style);
            c.TextOut(100, style ? 400 : 100, QStringLiteral("28"));
        }
        doc.EndDoc();
        const QString pdf =
            dir.filePath(QStringLiteral("bold%1-%2.pdf").arg(height).arg(QString::fromUtf8(face)));
        ASSERT_TRUE(doc.SaveAsPdf(pdf));
        const QImage fromPdf = PdfPage(pdf, 1, 254).convertToFormat(QImage::Format_RGB32);
        QImage png(fromPdf.size(), QImage::Format_RGB32);
        png.fill(Qt::white);
        {
            QPainter painter(&png);
            doc.DrawPrintPage(1, painter, QRectF(QPointF(0, 0), QSizeF(png.size())));
        }
        // One pixel a tenth of a millimetre: regular above 30 mm, bold below.
        const QRect regular(0, 0, png.width(), 300), bold(0, 300, png.width(), 300);
        const double pdfBold = inkOf(fromPdf.copy(bold)), pngBold = inkOf(png.copy(bold));
        EXPECT_NEAR(pngBold / pdfBold, 1.0, 0.08) << height;
        // And bold is bolder than regular in both.
        EXPECT_GT(pngBold, inkOf(png.copy(regular)) * 1.08) << height;
        EXPECT_GT(pdfBold, inkOf(fromPdf.copy(regular)) * 1.08) << height;
    }
}

TEST(PdfFile, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    PrintDocument doc;
    doc.BeginDoc();
    doc.EndDoc();
    ScriptedPrompt prompt;
    EXPECT_FALSE(doc.SaveAsPdf(dir.filePath("no/such/folder/x.pdf")));
    ASSERT_EQ(prompt.entries().size(), 1u);
    EXPECT_TRUE(prompt.texts()[0].startsWith("ファイル"));
}

}  // namespace
}  // namespace korvane
