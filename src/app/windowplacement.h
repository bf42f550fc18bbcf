#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace korvane {

// Where the main window goes at start, given its frame size and the screen's work area:
// centred when it fits (else at 0,0, except on a small screen, where it stays at current); or,
// when restore is set, at the stored place, centred instead when it does not fit or would reach
// below the work area, and otherwise moved in so that no edge lies off the work area (a place
// stored on another screen, such as left 99999 or top -3000, must not lose the window).
QPoint WindowPosition(QSize frame, QRect work, bool restore, QPoint stored, bool smallScreen,
                      QPoint current);

// The compact layout is for a work area the normal window, frame included, does not fit.
bool NeedsCompactWindow(QSize normalFrame, QRect work);

}  // namespace korvane
