#include "print/engine/previewwindow.h"
#include "print/engine/printersetup.h"
#include "print/engine/progresswindow.h"

#include "../files.h"
#include "core/prompt.h"
#include "fakeprintsystem.h"
#include "paintcounter.h"
#include "pdfprobe.h"
#include "settings/inifile.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace korvane {
namespace {

using testing::FakePrintSystem;
using testing::HavePdfTools;
using testing::PdfPageCount;
using testing::PdfPageSizePt;

// A document of n A4 pages, each with its number in large type.
void build(PrintDocument& doc, int pages) {
    doc.Title = QStringLiteral("見本");
    doc.BeginDoc();
    for (int n = 1; n <= pages; ++n) {
        if (n > 1) doc.NewPage();
        PageCanvas& c = doc.Canvas();
        c.SetFontName(QStringLiteral("ＭＳ ゴシック"));
        c.SetFontHeight(-300);
        c.DrawTextBox(0, 0, 2100, 1000, QString::number(n), TextAlign::CenterMiddle);
        c.Rectangle(100, 1100, 2000, 2800);
    }
    doc.EndDoc();
}

class PreviewTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakePrintSystem system;
    std::unique_ptr<PrinterSetup> setup;
    PrintDocument doc;
    ScriptedPrompt prompt;
    std::unique_ptr<PreviewWindow> window;

    void SetUp() override {
        system.add({.name = "Office"});
        setup = std::make_unique<PrinterSetup>(system);
        doc.SetPrinterSetup(setup.get());
        doc.Places = {dir.path() + "/", QStringLiteral("korvane"), dir.path() + "/"};
    }
    void open(int pages) {
        build(doc, pages);
        window = std::make_unique<PreviewWindow>(doc);
        window->resize(800, 600);
        window->show();
    }
    QPushButton* button(const char* name) const {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // Job i's PDF as a file the PDF tools can read.
    QString jobFile(std::size_t i) {
        const QString path = dir.filePath(QStringLiteral("job%1.pdf").arg(i));
        testing::WriteFile(path, i < system.pdfs.size() ? system.pdfs[i] : QByteArray());
        return path;
    }
    std::vector<bool> pageButtons() const {
        return {button("FirstPageBtn")->isEnabled(), button("PriorPageBtn")->isEnabled(),
                button("NextPageBtn")->isEnabled(), button("LastPageBtn")->isEnabled()};
    }
};

TEST_F(PreviewTest, PagesStepAndTheStatusSaysWhere) {
    open(2);
    EXPECT_EQ(window->windowTitle(), "見本");
    EXPECT_EQ(window->Page(), 1);
    EXPECT_EQ(window->StatusText(), " Page  1/2  A4 ( 210.0 x 297.0 mm )");
    EXPECT_EQ(pageButtons(), (std::vector<bool>{false, false, true, true}));
    button("NextPageBtn")->click();
    EXPECT_EQ(window->Page(), 2);
    EXPECT_EQ(window->StatusText(), " Page  2/2  A4 ( 210.0 x 297.0 mm )");
    EXPECT_EQ(pageButtons(), (std::vector<bool>{true, true, false, false}));
    button("FirstPageBtn")->click();
    EXPECT_EQ(window->Page(), 1);
    button("LastPageBtn")->click();
    EXPECT_EQ(window->Page(), 2);
    button("PriorPageBtn")->click();
    EXPECT_EQ(window->Page(), 1);
    EXPECT_FALSE(window->GotoPage(3));
    EXPECT_FALSE(window->GotoPage(0));
    EXPECT_TRUE(window->GotoPage(2));
    // The page drawn is the page shown: its number is in the picture.
    const QImage two = window->PagePicture(QSize(210, 297));
    window->GotoPage(1);
    EXPECT_NE(window->PagePicture(QSize(210, 297)), two);
}

TEST_F(PreviewTest, OnePageLeavesEveryPageButtonOffAndWithoutAPrinterSetupNoPaperName) {
    doc.SetPrinterSetup(nullptr);
    doc.BtnOptions |= boPrinterSetBtn;  // asked for, but the pages are built
    open(1);
    EXPECT_EQ(pageButtons(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(window->StatusText(), " Page  1/1 ( 210.0 x 297.0 mm )");
    EXPECT_TRUE(button("PrintBtn")->isEnabled());
    EXPECT_FALSE(button("PrinterSetBtn")->isVisible());  // a built document keeps its paper
}

// The zoom buttons follow their mode; a resized window fits the page again unless zoomed by hand.
TEST_F(PreviewTest, ZoomButtonsAndResizingFollowTheMode) {
    open(1);
    const QRect whole = window->ImageRect();
    auto* scroll = window->findChild<QAbstractScrollArea*>("ScrollBox1");
    EXPECT_EQ(scroll->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    button("ZoomUpBtn")->click();
    EXPECT_EQ(window->Zoom(), ztOther);
    EXPECT_GT(window->ImageRect().width(), whole.width());
    EXPECT_EQ(scroll->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    const QRect zoomed = window->ImageRect();
    window->resize(window->width() + 50, window->height());
    EXPECT_EQ(window->ImageRect(), zoomed);
    for (int i = 0; i < 100 && button("ZoomDownBtn")->isEnabled(); ++i)
        button("ZoomDownBtn")->click();
    EXPECT_LE(window->ImageRect().width(), 100);
    button("PageWidthBtn")->click();
    EXPECT_EQ(window->Zoom(), ztPageWidth);
    EXPECT_TRUE(button("ZoomDownBtn")->isEnabled());
    const int wide = window->ImageRect().width();
    window->resize(window->width() - 100, window->height());
    EXPECT_EQ(window->ImageRect().width(), wide - 100);
    button("PageWholeBtn")->click();
    EXPECT_EQ(window->Zoom(), ztWholePage);
    window->resize(window->width() + 200, window->height() + 200);
    EXPECT_GT(window->ImageRect().height(), whole.height() + 150);
}

// The left button drags the page under the mouse; the others do not, nor does a document that
// turns dragging off.
TEST_F(PreviewTest, TheLeftButtonDragsThePage) {
    open(1);
    for (int i = 0; i < 8; ++i) button("ZoomUpBtn")->click();
    auto* scroll = window->findChild<QAbstractScrollArea*>("ScrollBox1");
    QWidget* image = window->findChild<QWidget*>("Image1");
    ASSERT_TRUE(scroll && image);
    QScrollBar* v = scroll->verticalScrollBar();
    ASSERT_GT(v->maximum(), 100);
    v->setValue(v->maximum() / 2);
    const int start = v->value();
    const QPoint from = image->mapFromGlobal(scroll->viewport()->mapToGlobal(QPoint(100, 100)));
    const auto drag = [&](Qt::MouseButton b) {
        QTest::mousePress(image, b, {}, from);
        QTest::mouseMove(image, from + QPoint(0, 40));
        QTest::mouseRelease(image, b, {}, from + QPoint(0, 40));
    };
    drag(Qt::RightButton);
    EXPECT_EQ(v->value(), start);
    drag(Qt::LeftButton);
    EXPECT_EQ(v->value(), start - 40);  // the page came down with the mouse
    // The hand closes while it holds the page and lets go with the button.
    QTest::mousePress(image, Qt::LeftButton, {}, from);
    EXPECT_EQ(image->cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseRelease(image, Qt::LeftButton, {}, from);
    EXPECT_FALSE(image->testAttribute(Qt::WA_SetCursor));
    doc.ImageDrag = false;
    drag(Qt::LeftButton);
    EXPECT_EQ(v->value(), start - 40);
}

// The screen copies need a printer for their hard-copy sibling; without one, or without any
// printer set-up at all, the menu offers them greyed.
TEST_F(PreviewTest, TheMenuOffersTheScreenCopiesOnlyWithAPrinter) {
    NoPrinterSystem none;
    PrinterSetup bare(none);
    const std::pair<PrinterSetup*, bool> cases[] = {
        {setup.get(), true}, {&bare, false}, {nullptr, false}};
    for (const auto& [bound, offered] : cases) {
        doc.SetPrinterSetup(bound);
        open(1);
        QWidget* image = window->findChild<QWidget*>("Image1");
        QMenu* menu = window->findChild<QMenu*>("PopupMenu1");
        ASSERT_TRUE(image && menu);
        QMetaObject::invokeMethod(image, "customContextMenuRequested",
                                  Q_ARG(QPoint, QPoint(20, 20)));
        QList<bool> copies;
        for (const QAction* a : menu->actions())
            if (a->text() == "画面をコピー" || a->text() == "画面ハードコピー")
                copies << a->isEnabled();
        EXPECT_EQ(copies, QList<bool>({offered, offered}));
        menu->hide();
        window.reset();
    }
}

// A document not yet built may still have its printer and paper chosen from the preview: the
// caller then builds for them.
TEST_F(PreviewTest, AnUnbuiltDocumentOffersThePrinterSetUp) {
    doc.BtnOptions |= boPrinterSetBtn;
    int rebuilt = 0;
    QObject::connect(&doc, &PrintDocument::PrinterSetupDialog, [&] {
        ++rebuilt;
        build(doc, 1);
    });
    window = std::make_unique<PreviewWindow>(doc);
    window->show();
    QPushButton* set = button("PrinterSetBtn");
    ASSERT_TRUE(set->isVisible());
    set->setEnabled(true);
    prompt.answerPrinter([](PrinterChoice& c) {
        c.landscape = true;
        return true;
    });
    set->click();
    EXPECT_EQ(rebuilt, 1);
    // Built on the paper as the printer now lies.
    EXPECT_GT(doc.RecordedGeometry().PageWidth, doc.RecordedGeometry().PageHeight);
    EXPECT_EQ(window->Zoom(), ztWholePage);
    ASSERT_EQ(prompt.printerDialogs().size(), 1u);
}

TEST_F(PreviewTest, PdfSaveWritesEveryPage) {
    if (!HavePdfTools()) GTEST_SKIP() << "poppler-utils missing";
    open(2);
    doc.FirstPage = doc.LastPage = 2;  // a print range left over does not cut the file
    const QString path = dir.filePath("見本.pdf");
    prompt.answerName(path);
    button("PdfSaveBtn")->click();
    EXPECT_EQ(PdfPageCount(path), 2);
    EXPECT_NEAR(PdfPageSizePt(path, 2).width(), 595.3, 0.5);
    EXPECT_EQ(doc.FirstPage, 2);
    // Cancelled: nothing written.
    QFile::remove(path);
    button("PdfSaveBtn")->click();
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(PreviewTest, ThePrintDialogOffersThePagesAndThePreviewStaysWhereItWas) {
    if (!HavePdfTools()) GTEST_SKIP() << "poppler-utils missing";
    open(3);
    window->GotoPage(2);
    prompt.answerPrinter([](PrinterChoice& c) {
        c.allPages = false;
        c.fromPage = 2;
        c.toPage = 3;
        return true;
    });
    button("PrintBtn")->click();
    ASSERT_EQ(prompt.printerDialogs().size(), 1u);
    const PrinterChoice& asked = prompt.printerDialogs()[0];
    EXPECT_TRUE(asked.rangeOffered);
    EXPECT_TRUE(asked.allPages);
    EXPECT_EQ(asked.minPage, 1);
    EXPECT_EQ(asked.maxPage, 3);
    EXPECT_EQ(asked.fromPage, 2);
    EXPECT_EQ(asked.toPage, 2);
    EXPECT_TRUE(asked.papers.isEmpty());  // the paper is the document's
    EXPECT_EQ(asked.printers, QStringList{"Office"});
    ASSERT_EQ(system.jobs.size(), 1u);
    EXPECT_EQ(PdfPageCount(jobFile(0)), 2);
    EXPECT_EQ(window->Page(), 2);
    EXPECT_TRUE(button("PrintBtn")->isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // All pages.
    prompt.answerPrinter([](PrinterChoice&) { return true; });
    button("PrintBtn")->click();
    ASSERT_EQ(system.jobs.size(), 2u);
    EXPECT_EQ(PdfPageCount(jobFile(1)), 3);
    // Cancelled: no job.
    button("PrintBtn")->click();
    EXPECT_EQ(system.jobs.size(), 2u);
}

TEST_F(PreviewTest, AFailedJobSaysWhyAndLeavesTheWindowUsable) {
    system.answer = {false, QStringLiteral("紙づまり"), 0};
    open(2);
    prompt.answerPrinter([](PrinterChoice&) { return true; });
    button("PrintBtn")->click();
    EXPECT_TRUE(prompt.texts().join("|").contains("紙づまり"));
    EXPECT_TRUE(button("PrintBtn")->isEnabled());
    EXPECT_FALSE(window->IsPrinting());
}

// Without a printer the document says why it cannot print (its own test has the text); the
// window offers no printer dialog and still saves the PDF.
TEST_F(PreviewTest, WithoutAPrinterPdfStillWorks) {
    NoPrinterSystem none;
    PrinterSetup bare(none);
    doc.SetPrinterSetup(&bare);
    open(1);
    button("PrintBtn")->click();
    EXPECT_EQ(prompt.entries().size(), 1u);
    EXPECT_TRUE(prompt.printerDialogs().empty());
    prompt.answerName(dir.filePath("a.pdf"));
    button("PdfSaveBtn")->click();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("a.pdf")));
}

TEST_F(PreviewTest, CloseIsRefusedWhileAJobRuns) {
    open(2);
    bool stayedOpen = false;
    system.whileSubmitting = [&] {
        window->close();
        stayedOpen = window->isVisible();
    };
    prompt.answerPrinter([](PrinterChoice&) { return true; });
    button("PrintBtn")->click();
    EXPECT_TRUE(stayedOpen);
    button("CloseBtn")->click();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(PreviewTest, ThePlaceIsRememberedInPrintersIni) {
    open(1);
    window->setGeometry(QRect(40, 50, 640, 480));
    window->close();
    const IniFile ini(dir.filePath("Printers.ini"));
    EXPECT_EQ(ini.ReadInteger("Set", "fmPrevHight", 0), window->height());
    PreviewWindow again(doc);
    again.show();
    EXPECT_EQ(again.geometry(), window->geometry());
    doc.FormWindowState = fwWorkArea;  // asked to, it fills the work area instead
    PreviewWindow filling(doc);
    filling.show();
    EXPECT_EQ(filling.frameGeometry(), filling.screen()->availableGeometry());
}

// The page and the window go to the clipboard; the window's hard copy is one printed sheet.
TEST_F(PreviewTest, CopiesAndTheHardCopy) {
    if (!HavePdfTools()) GTEST_SKIP() << "poppler-utils missing";
    open(2);
    window->CopyPage();
    const QImage page = QGuiApplication::clipboard()->image();
    EXPECT_EQ(page.size(), window->ImageRect().size());
    EXPECT_EQ(page, window->PagePicture(window->ImageRect().size()));
    window->CopyScreen();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), window->size());
    prompt.answerPrinter([](PrinterChoice&) { return true; });
    window->HardCopy();
    ASSERT_EQ(system.jobs.size(), 1u);
    EXPECT_EQ(system.jobs[0].Title, window->windowTitle());  // the queue names it
    EXPECT_EQ(PdfPageCount(jobFile(0)), 1);
    // The window's picture, 168 mm wide, 21 mm in and 10.5 mm down on A4.
    const QRect ink = testing::InkBox(testing::PdfPage(jobFile(0), 1, 254), 250);
    EXPECT_NEAR(ink.left(), 210, 3);
    EXPECT_NEAR(ink.top(), 105, 3);
    EXPECT_NEAR(ink.width(), 1680, 4);
    // Cancelled: nothing printed.
    window->HardCopy();
    EXPECT_EQ(system.jobs.size(), 1u);
    EXPECT_EQ(window->Page(), 1);
}

// The document drives its own preview: shown without waiting, stepped, printed, closed; a
// second modal opening of a showing window is refused with the component's message.
TEST_F(PreviewTest, TheDocumentSteersItsPreview) {
    build(doc, 3);
    std::vector<QString> events;
    QObject::connect(&doc, &PrintDocument::FormShow, [&] { events.push_back("show"); });
    QObject::connect(&doc, &PrintDocument::AfterView,
                     [&](int page) { events.push_back(QString("view %1").arg(page)); });
    int queries = 0;
    QObject::connect(&doc, &PrintDocument::FormCloseQuery, [&](bool& canClose) {
        events.push_back("query");
        canClose = ++queries > 1;  // the first request is turned down
    });
    QObject::connect(&doc, &PrintDocument::FormClose, [&] { events.push_back("close"); });
    EXPECT_FALSE(doc.GotoPage(2));  // nothing shown yet
    doc.ClickPrint();               // nor pressed
    EXPECT_TRUE(prompt.printerDialogs().empty());
    doc.ShowPreview();
    ASSERT_NE(doc.View(), nullptr);
    EXPECT_TRUE(doc.View()->isVisible());
    EXPECT_TRUE(doc.GotoPage(3));
    EXPECT_EQ(doc.View()->Page(), 3);
    EXPECT_EQ(events.back(), "view 3");
    EXPECT_FALSE(doc.GotoPage(4));
    doc.Preview();  // already showing
    EXPECT_EQ(prompt.texts(),
              QStringList{"表示中のフォームをモーダル表示で開くことはできません(矛盾)．　　"});
    prompt.answerPrinter([](PrinterChoice&) { return true; });
    doc.ClickPrint();
    EXPECT_EQ(system.jobs.size(), 1u);
    doc.ClosePreview();
    EXPECT_TRUE(doc.View()->isVisible());  // the close query said no
    doc.ClosePreview();
    EXPECT_TRUE(doc.View() == nullptr || !doc.View()->isVisible());
    EXPECT_EQ(events.front(), "show");
    EXPECT_EQ(events.back(), "close");
    EXPECT_EQ(std::count(events.begin(), events.end(), "query"), 2);
}

TEST_F(PreviewTest, EscapeEndsTheModalPreview) {
    build(doc, 1);
    QTimer::singleShot(0, [this] {
        ASSERT_NE(doc.View(), nullptr);
        QTest::keyClick(doc.View(), Qt::Key_Escape);
    });
    bool escapeFailed = false;
    QTimer::singleShot(3000, [&] {  // a test never waits for a hand
        if (doc.View() && doc.View()->isVisible()) {
            escapeFailed = true;
            doc.View()->done(0);
        }
    });
    doc.Preview();  // returns only when the window has closed
    EXPECT_FALSE(escapeFailed);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("Printers.ini")));
}

TEST_F(PreviewTest, AnAcrobatPrinterPrintsAtOnce) {
    system.add({.name = "Adobe_Acrobat_PDF"});
    setup->RefreshPrinters();
    setup->SetPrinterName("Adobe_Acrobat_PDF");
    build(doc, 2);
    // Should a window open after all, it goes at once rather than wait for a hand.
    QTimer::singleShot(0, [this] {
        if (doc.View()) doc.View()->close();
    });
    doc.Preview();
    EXPECT_EQ(doc.View(), nullptr);
    ASSERT_EQ(system.jobs.size(), 1u);
    EXPECT_EQ(system.jobs[0].Printer, "Adobe_Acrobat_PDF");
}

TEST(PrintDocument, TheBusyCursorShowsWhilePagesAreBuilt) {
    PrintDocument doc;
    doc.Cursor = Qt::BusyCursor;
    doc.BeginDoc();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
    doc.NewPage();
    doc.EndDoc();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // A document dropped half-built gives the cursor back too.
    {
        PrintDocument half;
        half.BeginDoc();
        half.BeginDoc();
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(ProgressWindow, StepsShowPerCentsAndEachShowingStartsEmpty) {
    ProgressWindow progress;
    progress.Step("x", 0, 50);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.Percent(), 0);
    progress.Step("x", 100, 37);
    progress.Step("x", 0, 50);  // no total: an empty bar, not the last one
    EXPECT_EQ(progress.Percent(), 0);
    const std::tuple<int, int, int> steps[] = {{100, 37, 37}, {3, 2, 67}, {3, 1, 33}, {8, 1, 13}};
    for (auto [total, done, percent] : steps) {
        progress.Step("印刷データ作成中", total, done);
        EXPECT_EQ(progress.Percent(), percent) << done << "/" << total;
    }
    EXPECT_EQ(progress.Text(), "印刷データ作成中");
    progress.Finish();
    EXPECT_FALSE(progress.isVisible());
    progress.Start("次");
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.Percent(), 0);
    EXPECT_EQ(progress.Text(), "次");
    // Shown by any other way it starts empty too.
    progress.Step("半分", 2, 1);
    progress.hide();
    progress.show();
    EXPECT_EQ(progress.Percent(), 0);
    EXPECT_EQ(progress.Text(), "");
}

// The steps come while the caller works without going back to the event loop: each one is
// painted at once, or the window would show the first step until the job ends.
TEST(ProgressWindow, EachStepIsPaintedAtOnce) {
    testing::PaintCounter counter;
    ProgressWindow progress;
    progress.Start("読込中");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));
    QLabel* label = progress.findChild<QLabel*>("Label1");
    QProgressBar* bar = progress.findChild<QProgressBar*>("ProgressBar1");
    ASSERT_TRUE(label && bar);
    counter.watch(label);
    counter.watch(bar);
    progress.Step("印刷データ作成中", 4, 1);
    EXPECT_GT(counter.of(label), 0);
    EXPECT_GT(counter.of(bar), 0);
    // A new text at the same per cent is painted too.
    counter.clear();
    progress.Step("印刷中", 4, 1);
    EXPECT_GT(counter.of(label), 0);
    progress.Step("印刷中", 4, 4);
    EXPECT_EQ(bar->value(), bar->maximum());  // the last step fills the bar
}

// While a job's pages go out the progress window counts them, and it goes with the last page.
TEST_F(PreviewTest, TheProgressWindowFollowsTheJob) {
    ProgressWindow progress;
    doc.Progress = &progress;
    build(doc, 4);
    std::vector<int> seen;
    QObject::connect(&doc, &PrintDocument::Printed,
                     [&] { seen.push_back(progress.isVisible() ? progress.Percent() : -1); });
    ASSERT_TRUE(doc.SaveAsPdf(dir.filePath("four.pdf")));
    EXPECT_EQ(seen, (std::vector<int>{25, 50, 75, 100}));
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(progress.Text(), "印刷中");
    // A range of two pages counts two.
    seen.clear();
    doc.FirstPage = 3;
    doc.LastPage = 4;
    ASSERT_TRUE(doc.SaveAsPdf(dir.filePath("two.pdf")));
    EXPECT_EQ(seen, (std::vector<int>{50, 100}));
    EXPECT_FALSE(progress.isVisible());
}

}  // namespace
}  // namespace korvane
