#pragma once

#include <QRect>
#include <QSize>

namespace korvane {

// A window's frame kept on the screen's work area: made no larger than the area (nor smaller
// than minimum) and moved in so that no edge lies off it; a frame larger than the area keeps
// its left and top edges on the area's. A place stored on another screen, such as left 99999
// or top -3000, must not lose the window.
QRect KeepOnWorkArea(QRect frame, QRect work, QSize minimum);

}  // namespace korvane
