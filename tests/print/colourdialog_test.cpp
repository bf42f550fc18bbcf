#include "print/colourdialog.h"
#include "layoutcheck.h"
#include "pdfprobe.h"
#include "print/colourpalette.h"
#include "print/engine/printdocument.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace korvane {
namespace {

// Windows order: red in the low byte.
constexpr ColorValue bgr(std::uint32_t rgb) {
    return ColorValue(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

TEST(ColourPalette, CellsHoldTheTableColours) {
    const std::pair<int, std::uint32_t> cells[] = {{0, 0xFFFFFF},  {2, 0xFFDDCC},  {12, 0xFFCCDD},
                                                   {13, 0xC0C0C0}, {14, 0xFF9999}, {27, 0xFF0000},
                                                   {30, 0x99FF33}, {44, 0x00CC00}, {52, 0x000000},
                                                   {55, 0x808000}, {64, 0x660033}};
    for (const auto& [index, rgb] : cells)
        EXPECT_EQ(ColourPalette::CellColour(index), bgr(rgb)) << index;
    EXPECT_EQ(ColourPalette::CellColour(65), clNone);
    EXPECT_EQ(ColourPalette::CellColour(-1), clNone);
    EXPECT_EQ(ColourPalette::IndexOf(clRed), 27);
    EXPECT_EQ(ColourPalette::IndexOf(clWhite), 0);
    EXPECT_EQ(ColourPalette::IndexOf(bgr(0x660033)), 64);
    EXPECT_EQ(ColourPalette::IndexOf(bgr(0x123456)), ColourPalette::kNone);
}

TEST(ColourPalette, WholeCellsOnly) {
    ColourPalette p;
    EXPECT_EQ(p.size(), QSize(208, 80));
    EXPECT_EQ(p.font().pointSize(), 8);
    p.show();
    p.resize(221, 85);
    EXPECT_EQ(p.size(), QSize(221, 85));
    EXPECT_EQ(p.CellRect(0), QRect(0, 0, 17, 17));
    EXPECT_EQ(p.CellRect(14), QRect(17, 17, 17, 17));
    p.resize(230, 92);
    EXPECT_EQ(p.size(), QSize(221, 90));
    EXPECT_EQ(p.CellRect(64), QRect(12 * 17, 4 * 18, 17, 18));
}

TEST(ColourPalette, IndexesOutsideThePaletteAreNone) {
    ColourPalette p;
    QSignalSpy changed(&p, &ColourPalette::Changed);
    p.SetBackgroundIndex(30);
    EXPECT_EQ(p.BackgroundIndex(), 30);
    EXPECT_EQ(p.FocusCell(), 30);
    EXPECT_EQ(changed.count(), 1);
    p.SetBackgroundIndex(30);
    EXPECT_EQ(changed.count(), 1);  // no change, no event
    p.SetBackgroundIndex(70);
    EXPECT_EQ(p.BackgroundIndex(), ColourPalette::kNone);
    EXPECT_EQ(p.FocusCell(), 30);
    p.SetForegroundIndex(-3);
    EXPECT_EQ(p.ForegroundIndex(), ColourPalette::kNone);
    p.SetForegroundIndex(64);
    EXPECT_EQ(p.ForegroundIndex(), 64);
    EXPECT_EQ(changed.count(), 3);
    p.SetBackgroundIndex(ColourPalette::kNone);  // none is no cell: the focus stays
    EXPECT_EQ(p.FocusCell(), 64);
}

TEST(ColourPalette, ButtonsPickTheirSelectionAndDragKeepsPicking) {
    ColourPalette p;
    p.resize(221, 85);  // cells of 17 × 17
    p.show();
    QTest::mousePress(&p, Qt::RightButton, {}, QPoint(3 * 17 + 5, 2 * 17 + 5));
    EXPECT_EQ(p.BackgroundIndex(), 29);
    EXPECT_EQ(p.ForegroundIndex(), ColourPalette::kNone);
    QMouseEvent move(QEvent::MouseMove, QPointF(5 * 17 + 2, 4 * 17 + 2), QPointF(), Qt::NoButton,
                     Qt::RightButton, {});
    QApplication::sendEvent(&p, &move);
    EXPECT_EQ(p.BackgroundIndex(), 57);
    QTest::mouseRelease(&p, Qt::RightButton, {}, QPoint(5 * 17 + 2, 4 * 17 + 2));
    // Once released, passing over the cells picks nothing.
    QMouseEvent hover(QEvent::MouseMove, QPointF(2, 2), QPointF(), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(&p, &hover);
    EXPECT_EQ(p.BackgroundIndex(), 57);
    // Outside the control the point is clamped to the nearest cell.
    QTest::mousePress(&p, Qt::LeftButton, {}, QPoint(-5, 500));
    EXPECT_EQ(p.ForegroundIndex(), 52);
    QTest::mouseRelease(&p, Qt::LeftButton, {}, QPoint(-5, 500));
    QTest::mousePress(&p, Qt::LeftButton, {}, QPoint(900, -4));
    EXPECT_EQ(p.ForegroundIndex(), 12);
    EXPECT_EQ(p.BackgroundIndex(), 57);
    // The left button drags the foreground along.
    QMouseEvent drag(QEvent::MouseMove, QPointF(2, 17 + 2), QPointF(), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(&p, &drag);
    EXPECT_EQ(p.ForegroundIndex(), 13);
    EXPECT_EQ(p.BackgroundIndex(), 57);
}

TEST(ColourPalette, ArrowsWrapAndLettersSelect) {
    ColourPalette p;
    struct Step {
        int from;
        Qt::Key key;
        int to;
    };
    const Step steps[] = {{0, Qt::Key_Left, 64}, {64, Qt::Key_Right, 0}, {5, Qt::Key_Right, 6},
                          {3, Qt::Key_Up, 55},   {20, Qt::Key_Up, 7},    {60, Qt::Key_Down, 8},
                          {7, Qt::Key_Down, 20}, {6, Qt::Key_Left, 5}};
    for (const Step& s : steps) {
        p.SetBackgroundIndex(s.from);
        QTest::keyClick(&p, s.key);
        EXPECT_EQ(p.FocusCell(), s.to) << s.from << " " << s.key;
    }
    p.SetBackgroundIndex(0);
    QTest::keyClick(&p, Qt::Key_Right);
    QTest::keyClick(&p, Qt::Key_B);
    EXPECT_EQ(p.BackgroundIndex(), 1);
    QTest::keyClick(&p, Qt::Key_F);
    EXPECT_EQ(p.ForegroundIndex(), 1);
    p.SetForegroundEnabled(false);
    QTest::keyClick(&p, Qt::Key_Right);
    QTest::keyClick(&p, Qt::Key_F);
    EXPECT_EQ(p.ForegroundIndex(), 1);
    p.SetBackgroundEnabled(false);
    QTest::keyClick(&p, Qt::Key_B);
    EXPECT_EQ(p.BackgroundIndex(), 1);
}

// Cells with a mark carry it in the inverted colour; a disabled selection shows none.
TEST(ColourPalette, MarksShowEnabledSelectionsOnly) {
    ColourPalette p;
    p.resize(221, 85);
    // Pixels inside the cell's edge nearer its inverted colour than its own.
    const auto inkOf = [&p](int cell) {
        const QImage img = p.grab().toImage();
        const QRect r = p.CellRect(cell).adjusted(2, 2, -2, -2);
        const QColor fill = QColor::fromRgb(ColourPalette::CellColour(cell) & 0xFF,
                                            (ColourPalette::CellColour(cell) >> 8) & 0xFF,
                                            (ColourPalette::CellColour(cell) >> 16) & 0xFF);
        EXPECT_EQ(QColor(img.pixel(r.topLeft())), fill) << cell;
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c(img.pixel(x, y));
                const int own = std::abs(c.red() - fill.red()) +
                                std::abs(c.green() - fill.green()) +
                                std::abs(c.blue() - fill.blue());
                if (own > 3 * 128) ++n;
            }
        return n;
    };
    // Every cell in its own colour, the first and the last too.
    const QImage plain = p.grab().toImage();
    for (int cell = 0; cell < ColourPalette::kCells; ++cell) {
        const ColorValue c = ColourPalette::CellColour(cell);
        EXPECT_EQ(QColor(plain.pixel(p.CellRect(cell).center())),
                  QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF))
            << cell;
    }
    EXPECT_EQ(inkOf(27), 0);
    p.SetBackgroundIndex(27);
    EXPECT_GT(inkOf(27), 5);
    // Marked or not, each cell keeps its sunken edge: dark above and left, light below and right.
    const QImage marked = p.grab().toImage();
    for (int cell : {26, 27}) {
        const QRect r = p.CellRect(cell);
        EXPECT_EQ(marked.pixel(r.topLeft()), p.palette().dark().color().rgb()) << cell;
        EXPECT_EQ(marked.pixel(r.bottomRight()), p.palette().light().color().rgb()) << cell;
        const ColorValue c = ColourPalette::CellColour(cell);  // the edge is one pixel wide
        EXPECT_EQ(QColor(marked.pixel(r.topLeft() + QPoint(1, 1))),
                  QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF))
            << cell;
    }
    p.SetForegroundIndex(40);
    p.SetForegroundEnabled(false);
    EXPECT_EQ(inkOf(40), 0);
    p.SetForegroundEnabled(true);
    EXPECT_GT(inkOf(40), 5);
}

// A layout may hold the palette wider and taller than its whole cells: the strip left over
// belongs to the last column and row, not to a cell of the next row or past the table.
TEST(ColourPalette, TheStripBeyondTheLastCellsPicksThem) {
    ColourPalette p;
    p.setFixedSize(265, 108);  // cells of 20 × 21, 5 pixels and 3 pixels over
    p.show();
    ASSERT_EQ(p.size(), QSize(265, 108));
    const std::pair<QPoint, int> clicks[] = {
        {QPoint(263, 2), 12}, {QPoint(2, 106), 52}, {QPoint(263, 106), 64}, {QPoint(259, 20), 12}};
    for (const auto& [at, cell] : clicks) {
        QTest::mousePress(&p, Qt::RightButton, {}, at);
        QTest::mouseRelease(&p, Qt::RightButton, {}, at);
        EXPECT_EQ(p.BackgroundIndex(), cell) << at.x() << "," << at.y();
    }
}

// What the palette shows changes with each setter; a shown palette must be repainted for it.
TEST(ColourPalette, EachChangeRepaints) {
    ColourPalette p;
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
    testing::PaintCounter counter;
    counter.watch(&p);
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"background", [&] { p.SetBackgroundIndex(5); }},
        {"foreground", [&] { p.SetForegroundIndex(9); }},
        {"foreground off", [&] { p.SetForegroundEnabled(false); }},
        {"background off", [&] { p.SetBackgroundEnabled(false); }},
        {"foreground on", [&] { p.SetForegroundEnabled(true); }},
        {"background on", [&] { p.SetBackgroundEnabled(true); }},
        {"focus moved", [&] { QTest::keyClick(&p, Qt::Key_Right); }},
    };
    for (const auto& [what, change] : changes) {
        QApplication::processEvents();
        counter.clear();
        change();
        QApplication::processEvents();
        EXPECT_GT(counter.of(&p), 0) << what;
    }
}

// With the keyboard focus the focus cell has a black frame inside a white one.
TEST(ColourPalette, TheFocusCellIsFramed) {
    ColourPalette p;
    p.resize(221, 85);
    p.show();
    p.activateWindow();
    p.setFocus();
    QApplication::processEvents();
    if (!p.hasFocus()) GTEST_SKIP() << "this platform gives no keyboard focus";
    p.SetBackgroundIndex(15);
    const QImage img = p.grab().toImage();
    const QRect r = p.CellRect(15);
    EXPECT_EQ(QColor(img.pixel(r.x() + 1, r.y() + 8)), QColor(Qt::white));
    EXPECT_EQ(QColor(img.pixel(r.right() - 1, r.y() + 8)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(r.x() + 8, r.bottom() - 1)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(r.x() + 8, r.y() + 1)), QColor(Qt::white));
    const QRect other = p.CellRect(16);
    EXPECT_NE(QColor(img.pixel(other.right() - 1, other.y() + 8)), QColor(Qt::black));
}

QPoint centreOf(const ColourPalette* p, int cell) { return p->CellRect(cell).center(); }

TEST(ColourDialog, OpensOnTheCallersColour) {
    ColourDialog d(clRed);
    auto* palette = d.findChild<ColourPalette*>("ColorPalette1");
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(d.size(), QSize(282, 254));
    EXPECT_EQ(palette->BackgroundIndex(), 27);
    EXPECT_FALSE(palette->ForegroundEnabled());
    EXPECT_TRUE(palette->focusPolicy() & Qt::TabFocus);  // the keyboard reaches the cells
    EXPECT_EQ(d.SampleColour(), clRed);
    EXPECT_EQ(d.findChild<QLabel*>("lblUse")->text(), "右クリックで選択してください。");
    EXPECT_EQ(d.findChild<QLabel*>("pnlSample")->text(), "Korvane");
    EXPECT_EQ(d.findChild<QPushButton*>("btnOk")->text(), "決定");
    EXPECT_TRUE(d.findChild<QPushButton*>("btnOk")->isDefault());  // Enter chooses
    EXPECT_EQ(d.findChild<QPushButton*>("btnCancel")->text(), "キャンセル");
    EXPECT_EQ(d.windowTitle(), "色の選択");
    EXPECT_EQ(d.objectName(), "fmColor");
    d.show();
    std::vector<const QWidget*> controls;
    for (const char* name :
         {"Label1", "lblUse", "ColorPalette1", "Label2", "pnlSample", "btnOk", "btnCancel"})
        controls.push_back(d.findChild<QWidget*>(name));
    EXPECT_EQ(testing::ReadingOrderFault(&d, controls), "");
    // The two buttons stand centred under the palette.
    const int left = testing::RectIn(&d, controls[5]).left();
    const int right = d.width() - 1 - testing::RectIn(&d, controls[6]).right();
    EXPECT_NEAR(left, right, 2);
    EXPECT_LT(d.height() - 1 - testing::RectIn(&d, controls[5]).bottom(), 16);  // at the foot
    // Whole cells of 20 pixels, the window's width less its edges.
    EXPECT_EQ(palette->size(), QSize(260, 100));
    const QRect paletteBox = testing::RectIn(&d, palette);
    EXPECT_NEAR(paletteBox.left(), d.width() - 1 - paletteBox.right(), 2);  // centred
    // The sample is a panel two cells high, painted in the colour in the window, beside its
    // caption, its text in the middle.
    const QRect sample = testing::RectIn(&d, controls[4]);
    EXPECT_GE(sample.height(), 40);
    EXPECT_LE(sample.height(), 48);                     // the spare height is not handed to it
    EXPECT_LT(sample.top() - paletteBox.bottom(), 14);  // close under the palette
    const QImage window = d.grab().toImage();
    EXPECT_EQ(QColor(window.pixel(sample.left() + 6, sample.center().y())), QColor(Qt::red));
    QRect text;
    for (int y = sample.top() + 3; y < sample.bottom() - 2; ++y)
        for (int x = sample.left() + 3; x < sample.right() - 2; ++x)
            if (QColor(window.pixel(x, y)) != QColor(Qt::red)) text |= QRect(x, y, 1, 1);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_NEAR(text.center().x(), sample.center().x(), 3);
    EXPECT_NEAR(text.center().y(), sample.center().y(), 3);
}

TEST(ColourDialog, AColourNotInThePaletteStaysUntilAPick) {
    const ColorValue odd = bgr(0x123456);
    {
        ColourDialog d(odd);
        auto* palette = d.findChild<ColourPalette*>("ColorPalette1");
        EXPECT_EQ(palette->BackgroundIndex(), ColourPalette::kNone);
        EXPECT_EQ(d.SampleColour(), odd);
        EXPECT_EQ(d.findChild<QLabel*>("pnlSample")->palette().color(QPalette::Window),
                  QColor(0x12, 0x34, 0x56));
        // A left click changes nothing the caller uses.
        QTest::mouseClick(palette, Qt::LeftButton, {}, centreOf(palette, 5));
        EXPECT_EQ(d.SampleColour(), odd);
        d.findChild<QPushButton*>("btnOk")->click();
        EXPECT_TRUE(d.Chosen());
        EXPECT_EQ(d.Result(), odd);  // 決定 without a pick keeps the caller's colour
    }
    {
        ColourDialog d(odd);
        auto* palette = d.findChild<ColourPalette*>("ColorPalette1");
        QTest::mouseClick(palette, Qt::RightButton, {}, centreOf(palette, 35));
        EXPECT_EQ(d.SampleColour(), bgr(0x0000FF));
        EXPECT_EQ(d.findChild<QLabel*>("pnlSample")->palette().color(QPalette::Window),
                  QColor(0, 0, 0xFF));
        d.findChild<QPushButton*>("btnOk")->click();
        EXPECT_EQ(d.Result(), bgr(0x0000FF));
    }
}

TEST(ColourDialog, CancelAndTheCloseBoxKeepTheCallersColour) {
    for (bool closeBox : {false, true}) {
        ColourDialog d(clRed);
        d.show();
        auto* palette = d.findChild<ColourPalette*>("ColorPalette1");
        QTest::mouseClick(palette, Qt::RightButton, {}, centreOf(palette, 9));
        EXPECT_EQ(d.SampleColour(), ColourPalette::CellColour(9));
        if (closeBox)
            d.reject();
        else
            d.findChild<QPushButton*>("btnCancel")->click();
        EXPECT_FALSE(d.isVisible());
        EXPECT_FALSE(d.Chosen());
        EXPECT_EQ(d.Result(), clRed);
    }
}

TEST(ColourDialog, ChooseRunsModallyAndReturnsThePick) {
    QWidget owner;
    owner.setGeometry(150, 120, 600, 400);
    owner.show();
    QTimer::singleShot(0, [&owner] {
        auto* d = qobject_cast<ColourDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        // Centred on its owner.
        const QPoint off = d->frameGeometry().center() - owner.frameGeometry().center();
        EXPECT_LE(off.manhattanLength(), 4) << off.x() << "," << off.y();
        auto* palette = d->findChild<ColourPalette*>("ColorPalette1");
        QTest::mouseClick(palette, Qt::RightButton, {}, centreOf(palette, 61));
        d->findChild<QPushButton*>("btnOk")->click();
    });
    EXPECT_EQ(ColourDialog::Choose(clWhite, &owner), ColourPalette::CellColour(61));
}

// The colour picked is the colour on paper: a box filled with it comes out of the PDF in it.
TEST(ColourDialog, APickedColourIsThePrintedColour) {
    if (!testing::HavePdfTools()) GTEST_SKIP() << "poppler-utils not installed";
    ColourDialog d(clBlack);
    auto* palette = d.findChild<ColourPalette*>("ColorPalette1");
    QTest::mouseClick(palette, Qt::RightButton, {}, centreOf(palette, 41));  // CC6600
    d.findChild<QPushButton*>("btnOk")->click();
    PrintDocument doc;
    doc.BeginDoc();
    doc.Canvas().SetBrushStyle(Qt::SolidPattern);
    doc.Canvas().SetBrushColor(d.Result());
    doc.Canvas().FillRect(200, 200, 700, 700);
    doc.EndDoc();
    QTemporaryDir dir;
    ASSERT_TRUE(doc.SaveAsPdf(dir.filePath("colour.pdf")));
    const QImage page = testing::PdfPage(dir.filePath("colour.pdf"), 1, 254);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(QColor(page.pixel(450, 450)), QColor(0xCC, 0x66, 0x00));
}

}  // namespace
}  // namespace korvane
