#include "sheets.h"

#include "print/engine/pagerecording.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdint>

namespace korvane {
namespace {

// Whether a rule drawn with this width can put any ink on the paper.
bool onPaper(const QLine& l, int width) {
    return std::max(l.x1(), l.x2()) + width >= 0 &&
           std::min(l.x1(), l.x2()) - width <= kSheetWidth &&
           std::max(l.y1(), l.y2()) + width >= 0 &&
           std::min(l.y1(), l.y2()) - width <= kSheetHeight;
}

void add(Sheet& sheet, QLine line, int width, ColorValue colour) {
    if (onPaper(line, width)) sheet.Rules.push_back({line, width, colour});
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && (a < 0)); }

// Dashes 5 long, one every 10, from start along the span to end, the last cut at end; only those
// that can reach the paper (lo .. hi along the line) are made.
template <typename MakeLine>
void addDashes(Sheet& sheet, int start, int end, int lo, int hi, int width, ColorValue colour,
               MakeLine line) {
    if (end <= start) return;
    const std::int64_t last = (std::int64_t(end) - start + 9) / 10 - 1;  // dashes start below end
    const std::int64_t first = std::max<std::int64_t>(0, floorDiv(lo - width - 5 - start, 10));
    const std::int64_t stop = std::min<std::int64_t>(last, floorDiv(hi + width - start, 10));
    for (std::int64_t k = first; k <= stop; ++k) {
        const int a = int(start + 10 * k);
        add(sheet, line(a, std::min(a + 5, end)), width, colour);
    }
}

// The running offsets of the typed vertical rules: each piece a whole number with an optional
// sign, anything else −1; kept far inside 64 bits whatever is typed.
std::vector<std::int64_t> verticalOffsets(const QString& text) {
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    std::vector<std::int64_t> out;
    std::int64_t a = 0;
    for (const QString& raw : text.split(u',')) {
        const QString piece = raw.trimmed();
        std::int64_t v = -1;
        if (whole.match(piece).hasMatch()) {
            bool ok = false;
            v = piece.toLongLong(&ok);
            if (!ok) v = piece.startsWith(u'-') ? -kSheetWidth * 10 : kSheetWidth * 10;
            v = std::clamp<std::int64_t>(v, -kSheetWidth * 10, kSheetWidth * 10);
        }
        a += v;
        out.push_back(a);
    }
    return out;
}

}  // namespace

int NoteRowCount(const NoteSection& n) {
    const int room = kSheetHeight - (n.udNTop + n.udNBottom) * 10 - (n.cbHead ? 136 : 0);
    return room / std::max(1, n.udS);
}

Sheet ComputeNoteSheet(const NoteSection& n, int topMm, int leftMm) {
    Sheet sheet;
    const int x0 = (n.udNLeft + leftMm) * 10;
    const int y0 = (n.udNTop + topMm) * 10;
    const int xr = x0 + kSheetWidth - (n.udNLeft + n.udNRight) * 10;
    const int height = kSheetHeight - (n.udNTop + n.udNBottom) * 10;
    const int s = std::max(1, n.udS);
    const auto rule = [&](int y, int width, ColorValue colour) {
        add(sheet, QLine(x0, y, xr, y), width, colour);
    };
    int y = y0;
    int verticalTop = y0 + 2;
    if (n.cbHead) {
        rule(y0, (n.udNW1 + 1) / 2, n.edtHead);
        rule(y0 + 6, (n.udNW1 + 1) / 2, n.edtHead);
        rule(y0 + 136, n.udNW1, n.edtHead);
        y = y0 + 136;
        verticalTop = y0 + 138;
    } else {
        rule(y0, n.udNW1, n.edtColor);
    }
    for (int row = 0; row < n.udGyo; ++row) {
        y += s;
        rule(y, n.udNW2, n.edtColor);
        if (y > y0 + height - 2 * s) break;
    }
    const int bottom = y + s;
    rule(bottom, n.udNW1, n.edtColor);
    if (!n.edtTateK.trimmed().isEmpty()) {
        for (const std::int64_t a : verticalOffsets(n.edtTateK)) {
            if (a < 0) continue;
            const bool beyond = x0 + a > xr;
            const int x = beyond ? xr - 1 : int(x0 + a);
            add(sheet, QLine(x, verticalTop, x, bottom - 1), n.udNW3, n.edtColor);
            if (beyond) break;
        }
    }
    return sheet;
}

void FillGraphCellCounts(GraphSection& g) {
    g.udGMH =
        std::clamp((kSheetWidth - (g.udGLeft + g.udGRight) * 10) / std::max(1, g.udGH), 1, 200);
    g.udGMV =
        std::clamp((kSheetHeight - (g.udGTop + g.udGBottom) * 10) / std::max(1, g.udGV), 1, 270);
}

std::optional<Sheet> ComputeGraphSheet(const GraphSection& g, int topMm, int leftMm) {
    const int verticalWidth = g.udGW2 + g.udTateChou;
    if (verticalWidth < 1) return std::nullopt;
    Sheet sheet;
    const int x0 = (g.udGLeft + leftMm) * 10;
    const int y0 = (g.udGTop + topMm) * 10;
    const int w = std::max(1, g.udGH), h = std::max(1, g.udGV);
    const int m = std::max(1, g.udGMH), n = std::max(1, g.udGMV);
    const int xe = x0 + w * m;
    const ColorValue colour = g.edtGColor;
    add(sheet, QLine(x0, y0, xe, y0), g.udGW1, colour);
    int y = y0;
    for (int i = 0; i < n; ++i) {
        if (g.cbGCLine) {
            const int yc = y + h / 2;
            if (yc + g.udGW3 >= 0 && yc - g.udGW3 <= kSheetHeight)
                addDashes(sheet, x0, xe, 0, kSheetWidth, g.udGW3, colour,
                          [yc](int a, int b) { return QLine(a, yc, b, yc); });
        }
        y += h;
        add(sheet, QLine(x0, y, xe, y), i == n - 1 ? g.udGW1 : g.udGW2, colour);
        if (y - g.udGW1 > kSheetHeight) {
            y = y0 + h * n;  // the rest lies below the paper
            break;
        }
    }
    const int ye = y - 1;
    sheet.FirstColumnRule = sheet.Rules.size();
    add(sheet, QLine(x0, y0 + 2, x0, ye), g.udGW1, colour);
    int x = x0;
    for (int j = 0; j < m; ++j) {
        if (g.cbGCLine) {
            const int xc = x + w / 2;
            if (xc + g.udGW3 >= 0 && xc - g.udGW3 <= kSheetWidth)
                addDashes(sheet, y0 + 2, ye, 0, kSheetHeight, g.udGW3, colour,
                          [xc](int a, int b) { return QLine(xc, a, xc, b); });
        }
        x += w;
        add(sheet, QLine(x, y0 + 2, x, ye), j == m - 1 ? g.udGW1 : verticalWidth, colour);
        if (x - g.udGW1 > kSheetWidth && j < m - 1) {
            // The rest lies right of the paper, the right frame too.
            break;
        }
    }
    return sheet;
}

void RecordRule(PageCanvas& canvas, const SheetRule& r) {
    canvas.SetPenColor(r.Colour);
    canvas.SetPenWidth(r.Width);
    const QLine l = r.Line;
    if (!r.Dashed) {
        canvas.MoveTo(l.x1(), l.y1());
        canvas.LineTo(l.x2(), l.y2());
        return;
    }
    // Only the letters' horizontal rules are dashed.
    for (int a = l.x1(); a < l.x2(); a += 10) {
        canvas.MoveTo(a, l.y1());
        canvas.LineTo(std::min(a + 5, l.x2()), l.y1());
    }
}

void RecordRules(PageCanvas& canvas, const Sheet& sheet, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < std::min(to, sheet.Rules.size()); ++i)
        RecordRule(canvas, sheet.Rules[i]);
}

}  // namespace korvane
