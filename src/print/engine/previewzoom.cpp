#include "print/engine/previewzoom.h"

#include <algorithm>

namespace korvane {

QRect PreviewZoom::WholePage(QSize area) const {
    if (aspect <= double(area.height()) / std::max(1, area.width())) {
        const int w = area.width() - 2 * kMargin;
        const int h = int(w * aspect);
        return QRect(kMargin, (area.height() - h) / 2, w, h);
    }
    const int h = area.height() - 2 * kMargin;
    const int w = int(h / aspect);
    return QRect((area.width() - w) / 2, kMargin, w, h);
}

QRect PreviewZoom::PageWidth(QSize area, int scrollBarExtent) const {
    int w = area.width() - 2 * kMargin;
    int h = int(w * aspect);
    if (h + 2 * kMargin > area.height()) {
        w -= scrollBarExtent;
        h = int(w * aspect);
    }
    return QRect(kMargin, kMargin, w, h);
}

QRect PreviewZoom::Larger(const QRect& image) const {
    const int w = image.width() * 100 / 90;
    return QRect(image.topLeft(), QSize(w, int(w * aspect)));
}

QRect PreviewZoom::Smaller(const QRect& image) const {
    const int w = image.width() * 90 / 100;
    return QRect(image.topLeft(), QSize(w, int(w * aspect)));
}

bool PreviewZoom::CanGrow(const QRect& image, QSize screen) {
    return image.width() < 2 * screen.width() && image.height() < 3 * screen.height();
}

bool PreviewZoom::CanShrink(const QRect& image) { return image.width() > 100; }

QSize PreviewZoom::Content(const QRect& image, QSize area) {
    return QSize(std::max(area.width(), image.right() + 1 + kMargin),
                 std::max(area.height(), image.bottom() + 1 + kMargin));
}

}  // namespace korvane
