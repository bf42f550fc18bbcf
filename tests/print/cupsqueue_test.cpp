#include "pdfprobe.h"
#include "print/engine/cupsprintsystem.h"
#include "print/engine/printdocument.h"
#include "print/engine/printersetup.h"
#include "privatecups.h"

#include "core/prompt.h"

#include <QFileInfo>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTransform>

#include <gtest/gtest.h>

namespace korvane {
namespace {

using namespace korvane::testing;

const QString kQueue = QStringLiteral("Korvane_Test");

void drawMeasures(PageCanvas& c) {
    c.MoveTo(900, 200);
    c.LineTo(900, 1200);              // 100.0 mm
    c.Rectangle(200, 400, 700, 900);  // 50.0 mm square
    c.SetFontName(QStringLiteral("ＭＳ ゴシック"));
    c.TextOut(200, 1250, QStringLiteral("印刷テスト"));
}

TEST(CupsQueue, ResolutionsPerCentimetreAreGivenPerInch) {
    EXPECT_EQ(DotsPerInch(600, false), 600);
    EXPECT_EQ(DotsPerInch(118, true), 300);  // 299.7
    EXPECT_EQ(DotsPerInch(236, true), 599);  // 599.4
}

TEST(CupsQueue, PagesKeepTheirMillimetresAndPaperThroughTheQueue) {
    PrivateCups cups;
    if (!cups.ok()) GTEST_SKIP() << "no private CUPS scheduler: " << cups.why().toStdString();
    if (!HavePdfTools()) GTEST_SKIP() << "poppler-utils not installed";
    QTemporaryDir out;
    const QString output = out.filePath("printed.pdf");
    ASSERT_EQ(cups.AddQueue(kQueue, output), "");
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(kQueue));

    CupsPrintSystem system;
    EXPECT_EQ(system.Defaults(kQueue).Printer, kQueue);
    EXPECT_TRUE(system.Defaults(kQueue).Colour);
    EXPECT_EQ(system.PaperSources(kQueue), QStringList({"tray-1", "manual"}));
    PrinterSetup setup(system);
    setup.SetPrinterName(kQueue);
    ASSERT_EQ(setup.PrinterName(), kQueue);
    EXPECT_EQ(setup.PaperNames(), QStringList({"A4", "A3", "JIS B5", "Postcard"}));
    // The queue's 10 pt edge is the printable area's, rounded inwards.
    EXPECT_EQ(setup.Geometry().Printable, QRect(36, 36, 2100 - 72, 2970 - 72));

    struct Case {
        int paper, orientation;
        double widthPt, heightPt;
        int edge;  // 0.1 mm
    };
    const Case cases[] = {{9, 0, 595, 842, 36},
                          {9, 1, 842, 595, 36},
                          {13, 0, 516, 729, 36},
                          {8, 1, 1191, 842, 36},
                          {43, 0, 283, 420, 18}};
    for (const Case& c : cases) {
        const std::string where =
            "paper " + std::to_string(c.paper) + " orientation " + std::to_string(c.orientation);
        ASSERT_TRUE(setup.SetOrientation(c.orientation)) << where;
        ASSERT_TRUE(setup.SetPaperNumber(c.paper)) << where;
        EXPECT_EQ(setup.Geometry().Printable.topLeft(), QPoint(c.edge, c.edge)) << where;
        PrintDocument doc;
        doc.ViewClip = false;
        doc.SetPrinterSetup(&setup);
        doc.BeginDoc();
        drawMeasures(doc.Canvas());
        doc.EndDoc();
        QFile::remove(output);
        ASSERT_TRUE(doc.Print()) << where;
        ASSERT_TRUE(cups.WaitIdle(kQueue)) << where << cups.Log().toStdString();
        EXPECT_EQ(cups.JobAttribute(cups.LastJob(kQueue), "sides"), "one-sided") << where;
        ASSERT_TRUE(QFileInfo::exists(output)) << where;
        // The sheet keeps its shape; the filters may only mark it to be turned as it is fed.
        const QSizeF pt = PdfPageSizePt(output, 1);
        EXPECT_NEAR(pt.width(), c.widthPt, 1.5) << where;
        EXPECT_NEAR(pt.height(), c.heightPt, 1.5) << where;
        const int turned = PdfPageRotation(output, 1);
        EXPECT_EQ(turned % 90, 0) << where;
        const QImage page = PdfPage(output, 1).transformed(QTransform().rotate(360 - turned));
        ASSERT_FALSE(page.isNull()) << where;
        const QRect line = InkBox(page.copy(850, 0, 100, 1240)).translated(850, 0);
        EXPECT_NEAR(line.height(), 1000, 1) << where;
        EXPECT_NEAR(line.top(), 200, 1) << where;
        const QRect square = InkBox(page.copy(0, 0, 800, 1000));
        EXPECT_NEAR(square.width(), 500, 1) << where;
        EXPECT_NEAR(square.height(), 500, 1) << where;
        EXPECT_TRUE(RunTool("pdftotext", {output, "-"}).contains("印刷テスト")) << where;
    }
}

// What the set-up dialog chose goes with the job: two-sided along the short edge of a landscape
// sheet, in black and white.
TEST(CupsQueue, TheChosenSidesAndColourGoWithTheJob) {
    PrivateCups cups;
    if (!cups.ok()) GTEST_SKIP() << "no private CUPS scheduler: " << cups.why().toStdString();
    QTemporaryDir out;
    ASSERT_EQ(cups.AddQueue(kQueue, out.filePath("printed.pdf")), "");
    CupsPrintSystem system;
    PrinterSetup setup(system);
    setup.SetPrinterName(kQueue);
    ScriptedPrompt prompt;
    prompt.answerPrinter([](PrinterChoice& c) {
        c.landscape = true;
        c.duplex = true;
        c.colour = false;
        return true;
    });
    ASSERT_TRUE(setup.SetupDialog());
    PrintDocument doc;
    doc.SetPrinterSetup(&setup);
    doc.BeginDoc();
    drawMeasures(doc.Canvas());
    doc.EndDoc();
    ASSERT_TRUE(doc.Print());
    ASSERT_TRUE(cups.WaitIdle(kQueue)) << cups.Log().toStdString();
    const int job = cups.LastJob(kQueue);
    EXPECT_EQ(cups.JobAttribute(job, "sides"), "two-sided-short-edge");
    EXPECT_EQ(cups.JobAttribute(job, "print-color-mode"), "monochrome");
    EXPECT_EQ(cups.JobAttribute(job, "print-scaling"), "none");  // the page is the paper already
}

// A black-and-white printer with four different edges: its defaults are grey, and its margins
// turn with the sheet.
TEST(CupsQueue, AGreyPrinterWithUnevenEdges) {
    PrivateCups cups;
    if (!cups.ok()) GTEST_SKIP() << "no private CUPS scheduler: " << cups.why().toStdString();
    QTemporaryDir out;
    const QString grey = QStringLiteral("Korvane_Grey");
    ASSERT_EQ(cups.AddQueue(grey, out.filePath("grey.pdf"), true), "");
    CupsPrintSystem system;
    EXPECT_FALSE(system.Defaults(grey).Colour);
    EXPECT_TRUE(system.Defaults(grey).Duplex);
    EXPECT_FALSE(system.Defaults(kQueue).Duplex);
    EXPECT_EQ(system.DefaultResolution(grey), 600);
    const QPageSize a4(QPageSize::A4);
    const QMarginsF portrait = system.Margins(grey, a4, QPageLayout::Portrait);
    const QMarginsF landscape = system.Margins(grey, a4, QPageLayout::Landscape);
    const auto near = [](const QMarginsF& m, double l, double t, double r, double b) {
        const double pt = 25.4 / 72;
        return std::abs(m.left() - l * pt) < 0.01 && std::abs(m.top() - t * pt) < 0.01 &&
               std::abs(m.right() - r * pt) < 0.01 && std::abs(m.bottom() - b * pt) < 0.01;
    };
    EXPECT_TRUE(near(portrait, 10, 40, 30, 20)) << portrait.left() << " " << portrait.top();
    // Turned as IPP turns a landscape page: its top on the sheet's left edge.
    EXPECT_TRUE(near(landscape, 20, 10, 40, 30)) << landscape.left() << " " << landscape.top();
    EXPECT_EQ(system.DefaultResolution(QStringLiteral("No_Such_Printer")), 300);
}

TEST(CupsQueue, ARefusedJobIsReportedAsFailed) {
    PrivateCups cups;
    if (!cups.ok()) GTEST_SKIP() << "no private CUPS scheduler: " << cups.why().toStdString();
    QTemporaryDir out;
    ASSERT_EQ(cups.AddQueue(kQueue, out.filePath("never.pdf")), "");
    ASSERT_TRUE(cups.Reject(kQueue));
    CupsPrintSystem system;
    PrinterSetup setup(system);
    setup.SetPrinterName(kQueue);
    PrintDocument doc;
    doc.SetPrinterSetup(&setup);
    doc.BeginDoc();
    drawMeasures(doc.Canvas());
    doc.EndDoc();
    ScriptedPrompt prompt;
    EXPECT_FALSE(doc.Print());
    ASSERT_EQ(prompt.entries().size(), 1u);
    EXPECT_TRUE(prompt.texts()[0].startsWith("印刷がうまくできませんでした。\n"));
    EXPECT_TRUE(prompt.texts()[0].contains("not accepting")) << prompt.texts()[0].toStdString();
}

}  // namespace
}  // namespace korvane
