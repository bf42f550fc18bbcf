#include "pdfprobe.h"
#include "print/engine/printdocument.h"

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
    if (!HavePdfTools()) GTEST_SKIP() << "poppler-utils (pdftoppm, pdfinfo, pdffonts) not installed";
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
            EXPECT_TRUE(f.contains(QRegularExpression("\\byes\\s+(yes|no)\\s+yes\\b"))) << f.toStdString();
        }
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
    EXPECT_TRUE(prompt.texts()[0].startsWith("PDFファイル"));
}

}  // namespace
}  // namespace korvane
