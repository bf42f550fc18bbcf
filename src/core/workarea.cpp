#include "workarea.h"

#include <algorithm>

namespace korvane {

QRect KeepOnWorkArea(QRect frame, QRect work, QSize minimum) {
    const int width =
        std::clamp(frame.width(), minimum.width(), std::max(minimum.width(), work.width()));
    const int height =
        std::clamp(frame.height(), minimum.height(), std::max(minimum.height(), work.height()));
    const int right = work.left() + work.width() - width;
    const int bottom = work.top() + work.height() - height;
    return QRect(std::clamp(frame.left(), work.left(), std::max(work.left(), right)),
                 std::clamp(frame.top(), work.top(), std::max(work.top(), bottom)), width, height);
}

}  // namespace korvane
