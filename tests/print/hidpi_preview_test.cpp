// Run at 200 % scaling (QT_SCALE_FACTOR=2 before the application starts).
#include "print/engine/previewwindow.h"

#include "../splitblocks.h"

#include <QImage>
#include <QScrollArea>

#include <gtest/gtest.h>

namespace korvane {
namespace {

using testing::SplitBlocks;

TEST(HighDpi, ThePreviewPaintsThePageAtTheScreensDensity) {
    PrintDocument doc;
    doc.BeginDoc();
    PageCanvas& c = doc.Canvas();
    c.SetFontName(QStringLiteral("ＭＳ ゴシック"));
    c.SetFontHeight(-40);
    for (int row = 0; row < 40; ++row) {
        c.MoveTo(100, 200 + row * 60);
        c.LineTo(2000, 200 + row * 60);
        c.TextOut(120, 210 + row * 60, QStringLiteral("令和八年十二月の予定 %1").arg(row));
    }
    doc.EndDoc();
    PreviewWindow window(doc);
    window.resize(600, 500);
    window.show();
    ASSERT_EQ(window.devicePixelRatioF(), 2.0);
    QWidget* page = window.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"))->viewport();
    const QImage shown = page->grab().toImage();
    EXPECT_EQ(shown.size(), page->size() * 2);
    EXPECT_GT(SplitBlocks(shown), 2000);
}

}  // namespace
}  // namespace korvane
