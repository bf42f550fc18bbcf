#pragma once

#include "core/colortext.h"

#include <QString>

namespace korvane {

class IniFile;
class SettingsWriter;

// Printers.ini [Note], and the note's three line widths that live in [Graph]. Lengths in mm
// (margins) and 0.1 mm (spacing, widths).
struct NoteSection {
    int udNTop = 20, udNBottom = 10, udNLeft = 25, udNRight = 10;
    int udS = 80;    // line spacing
    int udGyo = 32;  // rows, refreshed from the page
    bool cbHead = true;
    ColorValue edtHead = 723967;  // RGB FF0B0B
    ColorValue edtColor = 0x808080;
    QString edtTateK;  // vertical rules: "250,100" is 25 mm in, then 10 mm further
    int udNW1 = 3, udNW2 = 2, udNW3 = 2;

    // Missing keys keep the current values; numbers are kept within their controls' ranges.
    void Read(const IniFile& ini);
    void Write(SettingsWriter& out) const;
    bool operator==(const NoteSection&) const = default;
};

// The graph paper's cells, margins and lines: the window's own [Graph] keys, or with the suffix
// "_1" the set stored by 保存 (which leaves the automatic count out).
struct GraphSection {
    int udGTop = 25, udGBottom = 10, udGLeft = 25, udGRight = 10;
    int udGH = 100, udGV = 100;  // cell width and height, 0.1 mm
    int udGMH = 17, udGMV = 25;  // cells across and down
    bool cbGAuto = true;
    ColorValue edtGColor = 0x808080;
    bool cbGCLine = false;
    int udGW1 = 6, udGW2 = 4, udGW3 = 2;  // frame, rules, centre lines
    int udTateChou = 0;                   // hidden: added to the inner vertical rules

    void Read(const IniFile& ini, const QString& suffix = {});
    void Write(SettingsWriter& out, const QString& suffix = {}) const;
    bool operator==(const GraphSection&) const = default;
};

}  // namespace korvane
