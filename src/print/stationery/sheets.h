#pragma once

#include "print/stationery/stationerysettings.h"

#include <QLine>

#include <optional>
#include <vector>

namespace korvane {

class PageCanvas;

// A4 as the stationery takes it, in 0.1 mm: a tenth of a millimetre short of 210 × 297 mm.
constexpr int kSheetWidth = 2099, kSheetHeight = 2969;

// One straight rule of a sheet, in 0.1 mm from the paper's corner; a dashed one is drawn as
// dashes 5 long, one every 10 from its start, the last cut at its end.
struct SheetRule {
    QLine Line;
    int Width = 1;
    ColorValue Colour = 0;
    bool Dashed = false;
    bool operator==(const SheetRule&) const = default;
};

// A sheet worked out before it is drawn: its rules in drawing order. Rules wholly off the paper
// are left out (they would print nothing), so no setting can make a page of millions.
struct Sheet {
    std::vector<SheetRule> Rules;
    std::size_t FirstColumnRule = 0;  // graph paper: where the columns start (the progress steps)
};

// The rows the note's page holds with its margins, spacing and header.
int NoteRowCount(const NoteSection& note);
// The ruled note sheet; topMm and leftMm are the print window's position adjustment.
Sheet ComputeNoteSheet(const NoteSection& note, int topMm, int leftMm);

// The cells across and down that fill the page inside the margins.
void FillGraphCellCounts(GraphSection& graph);
// The graph sheet; none when the vertical rule adjustment leaves the rules no width.
std::optional<Sheet> ComputeGraphSheet(const GraphSection& graph, int topMm, int leftMm);

// Records the rules from..to of a sheet on a canvas, each with its own pen.
void RecordRules(PageCanvas& canvas, const Sheet& sheet, std::size_t from, std::size_t to);
void RecordRule(PageCanvas& canvas, const SheetRule& rule);

}  // namespace korvane
