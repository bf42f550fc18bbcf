#include "print/engine/printdocument.h"

#include "core/prompt.h"
#include "fakeprintsystem.h"
#include "print/engine/printersetup.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

// A document of n pages, each with a 1 mm line from 10 to 11 mm below the top.
void build(PrintDocument& doc, int pages) {
    doc.BeginDoc();
    doc.Canvas().SetPenWidth(10);
    for (int i = 1; i <= pages; ++i) {
        if (i > 1) doc.NewPage();
        doc.Canvas().MoveTo(100, 105);
        doc.Canvas().LineTo(2000, 105);
    }
    doc.EndDoc();
}

QImage printed(const PrintDocument& doc, int page) {
    QImage img(210, 297, QImage::Format_RGB32);  // one pixel per millimetre
    img.fill(Qt::white);
    QPainter p(&img);
    doc.DrawPrintPage(page, p, QRectF(0, 0, 210, 297));
    return img;
}

TEST(PageDocument, PagesStateAndCount) {
    PrintDocument doc;
    build(doc, 3);
    EXPECT_EQ(doc.PageCount(), 3);
    EXPECT_EQ(doc.CurrentPage(), 1);
    doc.BeginDoc();
    doc.NewPage();
    EXPECT_EQ(doc.CurrentPage(), 2);  // the page being built
    build(doc, 3);
    // The pen set on page 1 is still in force on the later pages.
    EXPECT_EQ(doc.Page(3).Ops.at(0).pen.Width, 10);
    EXPECT_EQ(doc.Page(0).Ops.size(), 1u);  // clamped to page 1
    doc.SetPageCount(0);
    EXPECT_EQ(doc.PageCount(), 3);
    // A new document discards the old pages, and so does a dropped one.
    build(doc, 1);
    EXPECT_EQ(doc.PageCount(), 1);
    build(doc, 3);
    doc.BeginDoc();
    EXPECT_EQ(doc.PageCount(), 1);
    doc.NewPage();
    doc.Discard();
    EXPECT_EQ(doc.PageCount(), 1);
    EXPECT_EQ(doc.CurrentPage(), 1);
}

// A page printed leaves the painter as it found it: the next page is not moved twice.
TEST(PageDocument, PrintedPagesLeaveThePainterAsTheyFoundIt) {
    PrintDocument doc;
    build(doc, 2);
    doc.PrintOffsetX = 50;
    doc.PrintOffsetY = 30;
    QImage img(210, 297, QImage::Format_RGB32);
    QPainter p(&img);
    for (bool inverse : {false, true}) {
        doc.InversePrint = inverse;
        doc.DrawPrintPage(1, p, QRectF(0, 0, 210, 297));
        EXPECT_TRUE(p.transform().isIdentity()) << inverse;
    }
}

TEST(PageDocument, PrintRangeIsOrderedAndCut) {
    PrintDocument doc;
    build(doc, 6);
    doc.FirstPage = 5;
    doc.LastPage = 2;
    EXPECT_EQ(doc.PrintRange(), std::make_pair(2, 5));
    doc.FirstPage = 3;
    doc.LastPage = 9;
    EXPECT_EQ(doc.PrintRange(), std::make_pair(3, 6));
    doc.FirstPage = doc.LastPage = 0;
    EXPECT_EQ(doc.PrintRange(), std::make_pair(1, 6));
    doc.LastPage = 4;
    EXPECT_EQ(doc.PrintRange(), std::make_pair(1, 4));
    doc.LastPage = 1;
    EXPECT_EQ(doc.PrintRange(), std::make_pair(1, 1));

    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("job.pdf"));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QSignalSpy printed(&doc, &PrintDocument::Printed);
    doc.FirstPage = 5;
    doc.LastPage = 2;
    EXPECT_TRUE(doc.Render(pdf));
    EXPECT_EQ(printed, QList<QVariantList>({{2}, {3}, {4}, {5}}));
    EXPECT_GT(QFileInfo(dir.filePath("job.pdf")).size(), 500);
}

TEST(PageDocument, ARangePastTheLastPagePrintsNothingAndSaysSo) {
    PrintDocument doc;
    build(doc, 3);
    QTemporaryDir dir;
    for (auto [first, last] : {std::pair{5, 0}, std::pair{4, 7}}) {
        ScriptedPrompt prompt;
        doc.FirstPage = first;
        doc.LastPage = last;
        QSignalSpy sent(&doc, &PrintDocument::Printed);
        EXPECT_FALSE(doc.SaveAsPdf(dir.filePath("none.pdf")));
        EXPECT_EQ(sent.count(), 0);
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("none.pdf")));
        ASSERT_EQ(prompt.entries().size(), 1u);
        EXPECT_EQ(prompt.entries()[0].caption, " 印刷");
        EXPECT_TRUE(prompt.texts()[0].contains("3 ページ"));
    }
}

TEST(PageDocument, ANewDocumentStartsFromAFreshCanvas) {
    PrintDocument doc;
    doc.BeginDoc();
    doc.Canvas().SetPenWidth(30);
    doc.Canvas().SetBrushStyle(Qt::SolidPattern);
    doc.Canvas().SetFontHeight(-80);
    doc.Canvas().MoveTo(500, 500);
    doc.EndDoc();
    doc.BeginDoc();
    doc.Canvas().LineTo(100, 100);
    doc.EndDoc();
    const PageOp& line = doc.Page(1).Ops.at(0);
    EXPECT_EQ(line.from, QPoint(0, 0));
    EXPECT_EQ(line.pen, PenState());
    EXPECT_EQ(line.brush, BrushState());
    EXPECT_EQ(line.font.Height, -37);
}

TEST(PageGeometry, PapersInTenthsOfMillimetres) {
    struct Case {
        QPageSize::PageSizeId id;
        QPageLayout::Orientation orientation;
        QSize size;
    };
    const Case cases[] = {
        {QPageSize::A4, QPageLayout::Portrait, {2100, 2970}},
        {QPageSize::A4, QPageLayout::Landscape, {2970, 2100}},  // not 2098 from pixels
        {QPageSize::JisB5, QPageLayout::Portrait, {1820, 2570}},
        {QPageSize::A3, QPageLayout::Landscape, {4200, 2970}},
        {QPageSize::Postcard, QPageLayout::Portrait, {1000, 1480}},
    };
    for (const Case& c : cases) {
        const PageGeometry g = MeasureGeometry(QPageSize(c.id), c.orientation, {}, 600, 1200);
        EXPECT_EQ(QSize(g.PageWidth, g.PageHeight), c.size) << QPageSize(c.id).name().toStdString();
        EXPECT_EQ(g.Printable, QRect(QPoint(0, 0), c.size));
    }
    // A device that gives no resolution counts as 300 dpi.
    const PageGeometry unknown =
        MeasureGeometry(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}, 0, -1);
    EXPECT_EQ(unknown.DpiX, 300);
    EXPECT_EQ(unknown.DpiY, 300);
    // Margins round inwards; a turned sheet swaps them.
    const QMarginsF margins(3.42, 5.0, 4.0, 12.55);
    const PageGeometry g =
        MeasureGeometry(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins, 300, 300);
    EXPECT_EQ(g.Printable, QRect(35, 50, 2100 - 40 - 35, 2970 - 126 - 50));
    const PageGeometry turned =
        MeasureGeometry(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins, 300, 300, true);
    EXPECT_EQ(turned.Printable, QRect(40, 126, 2100 - 40 - 35, 2970 - 126 - 50));
}

TEST(PageDocument, InversePrintTurnsThePage) {
    PrintDocument doc;
    build(doc, 1);
    const QImage upright = printed(doc, 1);
    EXPECT_LT(qGray(upright.pixel(50, 10)), 100);
    EXPECT_EQ(upright.pixel(50, 286), qRgb(255, 255, 255));
    doc.InversePrint = true;
    const QImage turned = printed(doc, 1);
    EXPECT_LT(qGray(turned.pixel(160, 286)), 100);  // 10 mm from the bottom edge
    EXPECT_EQ(turned.pixel(50, 10), qRgb(255, 255, 255));
    // The offset moves the turned page down the turned sheet: 297 - 10.5 - 40 mm.
    doc.PrintOffsetY = 400;
    EXPECT_LT(qGray(printed(doc, 1).pixel(160, 246)), 100);
    EXPECT_EQ(printed(doc, 1).pixel(160, 286), qRgb(255, 255, 255));
    doc.PrintOffsetY = 0;
    doc.PrintOffsetX = 300;  // the line, turned 10..200 mm, now runs from -20 to 170 mm
    const QImage shifted = printed(doc, 1);
    EXPECT_EQ(shifted.pixel(185, 286), qRgb(255, 255, 255));
    EXPECT_LT(qGray(shifted.pixel(5, 286)), 100);
}

TEST(PageDocument, OffsetsAndClipping) {
    PrintDocument doc;
    build(doc, 1);
    doc.PrintOffsetY = 100;  // 10 mm down
    EXPECT_LT(qGray(printed(doc, 1).pixel(50, 20)), 100);
    doc.PrintOffsetY = 0;
    PageGeometry g;
    g.Printable = QRect(50, 200, 2000, 2700);  // the line lies above the printable area
    doc.SetGeometry(g);
    EXPECT_EQ(printed(doc, 1).pixel(50, 10), qRgb(0, 0, 0)) << "built pages keep their geometry";
    build(doc, 1);
    EXPECT_EQ(printed(doc, 1).pixel(50, 10), qRgb(255, 255, 255));
    doc.ViewClip = false;
    EXPECT_LT(qGray(printed(doc, 1).pixel(50, 10)), 100);
}

TEST(PageDocument, NothingBuiltIsReported) {
    ScriptedPrompt prompt;
    PrintDocument doc;
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("none.pdf"));
    EXPECT_FALSE(doc.Render(pdf));
    EXPECT_EQ(prompt.texts(), QStringList{"Canvasへの描画コードが見つかりません．　　"});
    EXPECT_EQ(prompt.entries()[0].caption, "印刷プレビュー制御コンポーネント");
    // Printing it is refused the same way, not reported as done.
    EXPECT_FALSE(doc.Print());
    EXPECT_EQ(prompt.texts().size(), 2);
    EXPECT_EQ(prompt.texts().back(), "Canvasへの描画コードが見つかりません．　　");
}

TEST(PageDocument, PreviewShowsPaperAndNoPrintDrawing) {
    PrintDocument doc;
    build(doc, 1);
    doc.PaperColor = ColorValue(0xE0FFFF);  // pale yellow paper
    int drawnFor = 0;
    QObject::connect(&doc, &PrintDocument::NoPrintDraw, [&drawnFor](int page, PageCanvas& c) {
        drawnFor = page;
        c.SetPenWidth(10);
        c.MoveTo(100, 2005);
        c.LineTo(2000, 2005);
    });
    QImage img(210, 297, QImage::Format_RGB32);
    QPainter p(&img);
    doc.DrawPreviewPage(1, p, QRectF(0, 0, 210, 297));
    p.end();
    EXPECT_EQ(drawnFor, 1);
    EXPECT_EQ(img.pixel(5, 150), qRgb(0xFF, 0xFF, 0xE0));
    EXPECT_LT(qGray(img.pixel(50, 200)), 120);  // the no-print line
    EXPECT_LT(qGray(img.pixel(50, 10)), 100);   // the page itself
    // Never on paper.
    EXPECT_EQ(printed(doc, 1).pixel(50, 200), qRgb(255, 255, 255));
    // It is told which page it is drawn for, the page number clamped as the page is.
    PrintDocument three;
    build(three, 3);
    std::vector<int> pages;
    QObject::connect(&three, &PrintDocument::NoPrintDraw,
                     [&pages](int page, PageCanvas&) { pages.push_back(page); });
    QPainter q(&img);
    for (int n : {1, 2, 3, 7, 0}) three.DrawPreviewPage(n, q, QRectF(0, 0, 210, 297));
    EXPECT_EQ(pages, (std::vector<int>{1, 2, 3, 3, 1}));
}

// Pages are recorded for the bound printer's paper as it is when the document begins.
TEST(PageDocument, BeginDocTakesThePrintersPaperOfThatMoment) {
    testing::FakePrintSystem system;
    system.add({.name = "Office"});
    PrinterSetup setup(system);
    PrintDocument doc;
    ASSERT_TRUE(setup.SetOrientation(1));
    doc.SetPrinterSetup(&setup);  // the geometry follows the printer at once
    EXPECT_EQ(QSize(doc.Geometry().PageWidth, doc.Geometry().PageHeight), QSize(2970, 2100));
    ASSERT_TRUE(setup.SetOrientation(0));
    ASSERT_TRUE(setup.SetPaperNumber(8));  // A3, after binding
    doc.BeginDoc();
    doc.EndDoc();
    EXPECT_EQ(QSize(doc.RecordedGeometry().PageWidth, doc.RecordedGeometry().PageHeight),
              QSize(2970, 4200));
}

}  // namespace
}  // namespace korvane
