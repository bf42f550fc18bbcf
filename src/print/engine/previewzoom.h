#pragma once

#include <QRect>
#include <QSize>

namespace korvane {

// Where the page picture sits in the preview's scroll area at each zoom step, in pixels. The page
// keeps its proportions (height over width) and a margin of kMargin on the sides it touches.
struct PreviewZoom {
    static constexpr int kMargin = 15;

    double aspect = 1.0;

    // The whole page in the area, centred along the side it does not fill.
    QRect WholePage(QSize area) const;
    // The page as wide as the area; narrower by the bar's width when it is too tall to fit.
    QRect PageWidth(QSize area, int scrollBarExtent) const;
    // One step larger or smaller (10 %), from the same top left corner.
    QRect Larger(const QRect& image) const;
    QRect Smaller(const QRect& image) const;
    // Growing stops at twice the screen's width or three times its height; shrinking at 100
    // pixels wide.
    static bool CanGrow(const QRect& image, QSize screen);
    static bool CanShrink(const QRect& image);
    // The scrolled content: the area, or the picture and its margin when larger.
    static QSize Content(const QRect& image, QSize area);
};

}  // namespace korvane
