#include "windowplacement.h"

#include "core/workarea.h"

namespace korvane {

QPoint WindowPosition(QSize frame, QRect work, bool restore, QPoint stored, bool smallScreen,
                      QPoint current) {
    // Work-area edges as Windows gives them: right and bottom just past the last pixel.
    const int workRight = work.left() + work.width();
    const int workBottom = work.top() + work.height();
    const bool fits = frame.height() <= workBottom && frame.width() <= workRight;
    auto centre = [&] {
        if (fits)
            return QPoint(work.left() + (work.width() - frame.width()) / 2,
                          work.top() + (work.height() - frame.height()) / 2);
        return smallScreen ? current : QPoint(0, 0);
    };
    if (!restore || !work.isValid()) return centre();
    // In 64 bits: a stored place may be anything up to INT_MAX.
    if (!fits || qint64(stored.y()) + frame.height() > workBottom) return centre();
    return KeepOnWorkArea(QRect(stored, frame), work, frame).topLeft();
}

bool NeedsCompactWindow(QSize normalFrame, QRect work) {
    return work.isValid() &&
           (normalFrame.width() > work.width() || normalFrame.height() > work.height());
}

}  // namespace korvane
