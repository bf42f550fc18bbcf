#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>

namespace korvane {

// The page geometry in 0.1 mm: the paper and its printable area, and the device resolution.
struct PageGeometry {
    QPageSize Paper{QPageSize::A4};
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    int PageWidth = 2100;
    int PageHeight = 2970;
    QRect Printable{0, 0, 2100, 2970};
    int DpiX = 300, DpiY = 300;
    bool operator==(const PageGeometry&) const = default;
};

// The geometry of a paper from its size in millimetres (never from device pixels, which
// truncate) and the printer's unprintable margins in millimetres. The printable edges are
// rounded inwards. With inverse the sheet is fed turned, so the margins swap sides.
PageGeometry MeasureGeometry(const QPageSize& paper, QPageLayout::Orientation orientation,
                             const QMarginsF& marginsMm, int dpiX, int dpiY, bool inverse = false);

}  // namespace korvane
