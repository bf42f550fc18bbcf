#pragma once

#include "print/engine/pagerecording.h"
#include "print/monthpagegeometry.h"
#include "print/stationery/sheets.h"

#include <QDate>

#include <array>
#include <functional>
#include <vector>

namespace korvane {

// One text of a letter sheet in its box (0.1 mm from the paper's corner), at a character-cell
// height, in the sheet's face.
struct SheetText {
    QString Text;
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Height = 0;
    TextAlign Align = TextAlign::LeftBottom;
    bool operator==(const SheetText&) const = default;
};

// A rounded frame; Corner is the diameter of its corner arcs.
struct SheetFrame {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Corner = 0;
    int Width = 1;
    bool operator==(const SheetFrame&) const = default;
};

// The width of a text in the letters' face at a cell height, in 0.1 mm.
using TextMeasurer = std::function<int(const QString& text, int height)>;

// What a letter sheet needs besides its settings: the paper (A4 or B5, whose lengths are A4's
// times 0.865), the print window's position adjustment, and today.
struct LetterPlace {
    PaperKind Paper = PaperKind::A4;
    int TopMm = 0, LeftMm = 0;
    QDate Today;
};

// The date to write in by hand, in today's era: "令和" and the blanks.
QString BlankEraDate(const QDate& today, int blanks);
// Whether printing these recipient boxes needs the honorific question first.
bool LacksHonorific(bool blank, const QString& upper, const QString& lower);

// The cover letter as it will be drawn, in drawing order within each part.
struct CoverLetter {
    SheetText Date;
    std::vector<SheetText> Recipient;  // none, one or both lines
    std::array<SheetRule, 2> RecipientRules;
    std::array<SheetText, 4> Sender;  // address, company, name, numbers
    SheetText Title;
    std::vector<SheetText> Body;  // three or four lines, then 敬具
    SheetText Ki;
    std::vector<SheetRule> ListLines;  // ten, solid or dashed
    SheetText Ijou;
};
CoverLetter ComputeCoverLetter(const SoufuSection& soufu, const LetterPlace& place,
                               const TextMeasurer& measure);
void RecordCoverLetter(PageCanvas& canvas, const CoverLetter& letter,
                       const std::function<void()>& halfway = {});

// The fax cover sheet: the header table and the lines below it.
struct FaxSheet {
    std::array<SheetFrame, 2> Frames;  // outer, inner
    SheetRule Divider;
    SheetRule RecipientLine;
    std::array<SheetRule, 3> RowLines;
    std::vector<SheetText> Texts;  // the table's texts in the order of the table
    SheetText Subject;
    SheetRule SubjectLine;
    std::vector<SheetRule> MessageLines;  // seventeen, or none
};
FaxSheet ComputeFaxSheet(const FaxSection& fax, const LetterPlace& place,
                         const TextMeasurer& measure);
void RecordFaxSheet(PageCanvas& canvas, const FaxSheet& sheet,
                    const std::function<void()>& halfway = {});

// Widths as the canvas measures them in the letters' face.
TextMeasurer CanvasTextMeasurer(PageCanvas& canvas);

}  // namespace korvane
