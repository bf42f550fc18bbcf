#include "print/colourdialog.h"
#include "core/qtcolor.h"
#include "paintcounter.h"
#include "pdfprobe.h"
#include "print/colourpalette.h"
#include "print/engine/printdocument.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
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

// The first, a middle and the last cell; nothing outside them.
TEST(ColourPalette, CellsAndTheirIndexes) {
    const std::pair<int, std::uint32_t> cells[] = {{0, 0xFFFFFF}, {27, 0xFF0000}, {64, 0x660033}};
    for (const auto& [index, rgb] : cells) {
        EXPECT_EQ(ColourPalette::CellColour(index), bgr(rgb)) << index;
        EXPECT_EQ(ColourPalette::IndexOf(bgr(rgb)), index);
    }
    EXPECT_EQ(ColourPalette::CellColour(65), clNone);
    EXPECT_EQ(ColourPalette::CellColour(-1), clNone);
    EXPECT_EQ(ColourPalette::IndexOf(bgr(0x123456)), ColourPalette::kNone);
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
    p.SetForegroundIndex(64);
    EXPECT_EQ(changed.count(), 3);
    p.SetBackgroundIndex(ColourPalette::kNone);  // none is no cell: the focus stays
    EXPECT_EQ(p.FocusCell(), 64);
}

TEST(ColourPalette, ButtonsPickTheirSelectionAndDragKeepsPicking) {
    ColourPalette p;
    p.resize(221, 85);  // cells of 17 × 17
    p.show();
    p.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
    QTest::mousePress(&p, Qt::RightButton, {}, QPoint(3 * 17 + 5, 2 * 17 + 5));
    EXPECT_TRUE(p.hasFocus());  // the arrows and letters go to it from then on
    EXPECT_EQ(p.BackgroundIndex(), 29);
    EXPECT_EQ(p.ForegroundIndex(), ColourPalette::kNone);
    QMouseEvent move(QEvent::MouseMove, QPointF(5 * 17 + 2, 4 * 17 + 2), QPointF(), Qt::NoButton,
                     Qt::RightButton, {});
    QApplication::sendEvent(&p, &move);
    EXPECT_EQ(p.BackgroundIndex(), 57);
    QTest::mouseRelease(&p, Qt::RightButton, {}, QPoint(5 * 17 + 2, 4 * 17 + 2));
    // Outside the control the point is clamped to the nearest cell.
    QTest::mousePress(&p, Qt::LeftButton, {}, QPoint(-5, 500));
    EXPECT_EQ(p.ForegroundIndex(), 52);
    // The left button drags the foreground along.
    QMouseEvent drag(QEvent::MouseMove, QPointF(2, 17 + 2), QPointF(), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(&p, &drag);
    EXPECT_EQ(p.ForegroundIndex(), 13);
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

// A selected cell carries a mark in its inverted colour; a disabled selection shows none.
TEST(ColourPalette, MarksShowEnabledSelectionsOnly) {
    ColourPalette p;
    p.resize(221, 85);
    // Pixels inside the cell nearer its inverted colour than its own.
    const auto inkOf = [&p](int cell) {
        const QImage img = p.grab().toImage();
        const QRect r = p.CellRect(cell).adjusted(2, 2, -2, -2);
        const QColor fill = ToQColor(ColourPalette::CellColour(cell));
        EXPECT_EQ(QColor(img.pixel(r.topLeft())), fill) << cell;
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c(img.pixel(x, y));
                n += std::abs(c.red() - fill.red()) + std::abs(c.green() - fill.green()) +
                         std::abs(c.blue() - fill.blue()) >
                     3 * 128;
            }
        return n;
    };
    EXPECT_EQ(inkOf(27), 0);
    p.SetBackgroundIndex(27);
    EXPECT_GT(inkOf(27), 5);
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

QPoint centreOf(const ColourPalette* p, int cell) { return p->CellRect(cell).center(); }

TEST(ColourDialog, OpensOnTheCallersColour) {
    ColourDialog d(clRed);
    auto* palette = d.findChild<ColourPalette*>("ColorPalette1");
    EXPECT_EQ(palette->BackgroundIndex(), 27);
    EXPECT_FALSE(palette->ForegroundEnabled());
    EXPECT_EQ(d.SampleColour(), clRed);
    d.show();  // and the sample is painted in it
    const QWidget* sample = d.findChild<QWidget*>("pnlSample");
    const QPoint inside = sample->mapTo(&d, QPoint(6, sample->height() / 2));
    EXPECT_EQ(QColor(d.grab().toImage().pixel(inside)), QColor(Qt::red));
}

TEST(ColourDialog, AColourNotInThePaletteStaysUntilAPick) {
    const ColorValue odd = bgr(0x123456);
    {
        ColourDialog d(odd);
        auto* palette = d.findChild<ColourPalette*>("ColorPalette1");
        EXPECT_EQ(palette->BackgroundIndex(), ColourPalette::kNone);
        EXPECT_EQ(d.SampleColour(), odd);
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
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<ColourDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        auto* palette = d->findChild<ColourPalette*>("ColorPalette1");
        QTest::mouseClick(palette, Qt::RightButton, {}, centreOf(palette, 61));
        d->findChild<QPushButton*>("btnOk")->click();
    });
    EXPECT_EQ(ColourDialog::Choose(clWhite, nullptr), ColourPalette::CellColour(61));
}

}  // namespace
}  // namespace korvane
