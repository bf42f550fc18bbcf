#pragma once

#include "core/colortext.h"

#include <QWidget>

namespace korvane {

// A grid of 13 × 5 colour cells with two selections: the foreground (left button, "F") and the
// background (right button, "B"). Index 65 means no cell.
class ColourPalette : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 13, kRows = 5, kCells = kColumns * kRows, kNone = kCells;

    explicit ColourPalette(QWidget* parent = nullptr);

    // The colour of a cell; clNone for index 65 and anything else outside the palette.
    static ColorValue CellColour(int index);
    // The first cell of that colour, or kNone.
    static int IndexOf(ColorValue colour);

    int ForegroundIndex() const { return foreground_; }
    int BackgroundIndex() const { return background_; }
    // An index outside 0-64 stores 65; a cell also becomes the focus cell.
    void SetForegroundIndex(int index);
    void SetBackgroundIndex(int index);
    bool ForegroundEnabled() const { return foregroundEnabled_; }
    bool BackgroundEnabled() const { return backgroundEnabled_; }
    void SetForegroundEnabled(bool on);
    void SetBackgroundEnabled(bool on);
    int FocusCell() const { return focus_; }
    // The cell under a point of the control, the point clamped into it.
    int CellAt(QPoint at) const;
    QRect CellRect(int index) const;

    QSize sizeHint() const override { return {208, 80}; }

signals:
    // Either index changed.
    void Changed();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    void setIndex(int& which, int index);

    int foreground_ = kNone;
    int background_ = kNone;
    bool foregroundEnabled_ = true;
    bool backgroundEnabled_ = true;
    int focus_ = 0;
    Qt::MouseButton held_ = Qt::NoButton;  // the button that pressed last; a drag needs it held
};

}  // namespace korvane
