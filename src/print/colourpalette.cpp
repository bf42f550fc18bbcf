#include "colourpalette.h"

#include "core/qtcolor.h"

#include <qdrawutil.h>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>
#include <array>

namespace korvane {
namespace {

// As RGB, row by row.
constexpr std::array<std::uint32_t, ColourPalette::kCells> kPalette = {
    0xFFFFFF, 0xFFCCCC, 0xFFDDCC, 0xFFFFCC, 0xDDFFCC, 0xCCFFCC, 0xCCFFDD, 0xCCFFFF, 0xCCDDFF,
    0xCCCCFF, 0xDDCCFF, 0xFFCCFF, 0xFFCCDD, 0xC0C0C0, 0xFF9999, 0xFFCC99, 0xFFFF99, 0xCCFF99,
    0x99FF99, 0x99FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0xCC99FF, 0xFF99FF, 0xFF99CC, 0x808080,
    0xFF0000, 0xFF9933, 0xFFFF00, 0x99FF33, 0x00FF00, 0x33FF99, 0x00FFFF, 0x3399FF, 0x0000FF,
    0x9933FF, 0xFF00FF, 0xFF3399, 0x666666, 0xCC0000, 0xCC6600, 0xCCCC00, 0x66CC00, 0x00CC00,
    0x00CC66, 0x00CCCC, 0x0066CC, 0x0000CC, 0x6600CC, 0xCC00CC, 0xCC0066, 0x000000, 0x800000,
    0x663300, 0x808000, 0x336600, 0x008000, 0x006633, 0x008080, 0x003366, 0x000080, 0x330066,
    0x800080, 0x660033};

}  // namespace

ColourPalette::ColourPalette(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    resize(sizeHint());
}

ColorValue ColourPalette::CellColour(int index) {
    if (index < 0 || index >= kCells) return clNone;
    return FromRgb(kPalette[std::size_t(index)]);
}

int ColourPalette::IndexOf(ColorValue colour) {
    const auto cell = std::find_if(kPalette.begin(), kPalette.end(),
                                   [colour](std::uint32_t rgb) { return FromRgb(rgb) == colour; });
    return cell == kPalette.end() ? kNone : int(cell - kPalette.begin());
}

void ColourPalette::setIndex(int& which, int index) {
    if (index < 0 || index >= kCells)
        index = kNone;
    else
        focus_ = index;
    if (which == index) {
        update();
        return;
    }
    which = index;
    update();
    emit Changed();
}

void ColourPalette::SetForegroundIndex(int index) { setIndex(foreground_, index); }
void ColourPalette::SetBackgroundIndex(int index) { setIndex(background_, index); }

void ColourPalette::SetForegroundEnabled(bool on) {
    foregroundEnabled_ = on;
    update();
}

void ColourPalette::SetBackgroundEnabled(bool on) {
    backgroundEnabled_ = on;
    update();
}

QRect ColourPalette::CellRect(int index) const {
    const int w = std::max(1, width() / kColumns), h = std::max(1, height() / kRows);
    return QRect((index % kColumns) * w, (index / kColumns) * h, w, h);
}

int ColourPalette::CellAt(QPoint at) const {
    const int w = std::max(1, width() / kColumns), h = std::max(1, height() / kRows);
    const int column = std::clamp(at.x(), 0, std::max(0, width() - 1)) / w;
    const int row = std::clamp(at.y(), 0, std::max(0, height() - 1)) / h;
    return std::min(row, kRows - 1) * kColumns + std::min(column, kColumns - 1);
}

void ColourPalette::resizeEvent(QResizeEvent*) {
    // Whole cells only.
    const QSize cut(width() - width() % kColumns, height() - height() % kRows);
    if (cut != size() && !cut.isEmpty()) resize(cut);
}

void ColourPalette::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (int i = 0; i < kCells; ++i) {
        const QRect r = CellRect(i);
        const QColor colour = ToQColor(CellColour(i), palette());
        p.fillRect(r, colour);
        const bool fg = foregroundEnabled_ && i == foreground_;
        const bool bg = backgroundEnabled_ && i == background_;
        if (fg || bg) {
            p.setPen(QColor(colour.rgb() ^ 0xFFFFFF));
            p.drawText(r, Qt::AlignCenter,
                       fg && bg ? QStringLiteral("FB")
                       : fg     ? QStringLiteral("FG")
                                : QStringLiteral("BG"));
        }
        // The sunken edge last, so a mark never covers it.
        qDrawShadePanel(&p, r, palette(), true, 1);
    }
    if (hasFocus()) {
        const QRect r = CellRect(focus_);  // the painter has no brush: frames only
        p.setPen(Qt::black);
        p.drawRect(r.x() + 2, r.y() + 2, r.width() - 4, r.height() - 4);
        p.setPen(Qt::white);
        p.drawRect(r.x() + 1, r.y() + 1, r.width() - 4, r.height() - 4);
    }
}

void ColourPalette::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) return;
    held_ = e->button();
    const int cell = CellAt(e->position().toPoint());
    if (held_ == Qt::LeftButton)
        SetForegroundIndex(cell);
    else
        SetBackgroundIndex(cell);
}

void ColourPalette::mouseMoveEvent(QMouseEvent* e) {
    const int cell = CellAt(e->position().toPoint());
    if (held_ == Qt::LeftButton && (e->buttons() & Qt::LeftButton))
        SetForegroundIndex(cell);
    else if (held_ == Qt::RightButton && (e->buttons() & Qt::RightButton))
        SetBackgroundIndex(cell);
}

void ColourPalette::keyPressEvent(QKeyEvent* e) {
    int focus = focus_;
    switch (e->key()) {
        case Qt::Key_Left:
            focus = focus == 0 ? kCells - 1 : focus - 1;
            break;
        case Qt::Key_Right:
            focus = focus == kCells - 1 ? 0 : focus + 1;
            break;
        case Qt::Key_Up:
            focus = focus < kColumns ? focus - kColumns + kCells : focus - kColumns;
            break;
        case Qt::Key_Down:
            focus = focus + kColumns >= kCells ? focus + kColumns - kCells : focus + kColumns;
            break;
        case Qt::Key_F:
            if (foregroundEnabled_) SetForegroundIndex(focus_);
            return;
        case Qt::Key_B:
            if (backgroundEnabled_) SetBackgroundIndex(focus_);
            return;
        default:
            QWidget::keyPressEvent(e);
            return;
    }
    focus_ = focus;
    update();
}

}  // namespace korvane
