#pragma once

#include <QColor>
#include <QFont>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace korvane {

// A text as the month grid draws it: from the left end of its baseline, in a font and colour.
struct CellText {
    QString Text;
    QPoint Origin;
    QFont Font;
    QColor Colour;
};

// One item line of a day cell (its band is slot × LineH below the date line).
struct CellItemLine {
    int Slot = 0;
    int BandTop = 0;
    CellText Text;                 // shortened when the "/" follows it
    std::optional<CellText> Mark;  // "/": more items than lines
};

// One period bar in a day cell.
struct CellPeriodBar {
    int Slot = 0;
    int BandTop = 0;
    QLine Bar;
    QColor Colour;
    int PenWidth = 1;
    std::optional<QLine> StartStroke;
    std::optional<QLine> EndStroke;
    std::optional<QRect> LabelBox;  // filled with the cell's background, then the label
    std::optional<CellText> Label;
};

// Everything one day cell of the month grid draws, worked out before any painting so that it can
// be checked by number: the cell is painted from this alone.
struct DayCellGeometry {
    QRect Rect;
    std::int32_t Date = 0;
    bool OtherMonth = false;
    std::optional<QColor> Fill;  // the background tint, none for the grid's own colour
    QColor Background;           // what labels and marks sit on
    bool Content = true;         // false: a hidden neighbouring day, nothing more is drawn
    CellText DayNumber;
    std::optional<CellText> Rokuyo;
    std::vector<CellText> Names;
    std::vector<CellItemLine> Items;
    std::vector<CellPeriodBar> Bars;
    std::optional<CellText> OverflowMark;  // "/" on a last line taken by a bar
};

}  // namespace korvane
