// The month layout with any day-item and period lines: bad lines are skipped, the rest laid
// out inside the 42 cells.
#include "calendar/daynumber.h"
#include "calendar/monthlayout.h"

#include <cstdint>
#include <cstdlib>

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int lines = data[0] % 10;
    const bool ueTume = data[1] & 1;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    // Lines before an empty line are the month's items, those after it the periods.
    const qsizetype split = text.indexOf(QStringLiteral("\n\n"));
    MonthLayout layout;
    for (int i = 0; i < 5; ++i) {
        layout.MonthPages[std::size_t(i)].Year = i < 2 ? 2026 : 2027;
        layout.MonthPages[std::size_t(i)].Month = (10 + i - 1) % 12 + 1;
    }
    layout.CurrentPage = 2;
    layout.MonthPages[2].Lines = (split < 0 ? text : text.left(split)).split(u'\n');
    layout.MonthPages[1].Lines = layout.MonthPages[2].Lines;
    if (split >= 0) layout.PeriodList = text.mid(split + 2).split(u'\n');
    const std::int32_t first = GridFirstCellDay(2026, 12, 0, false);
    layout.LayoutItems(lines, ueTume, first, 2026, 12);
    const DayNamesFn names = [](std::int32_t, std::uint8_t, std::uint8_t, QString* kinds) {
        if (kinds) kinds->clear();
        return QStringList();
    };
    for (int cell = 0; cell < MonthLayout::kCells; ++cell) {
        for (int slot = 0; slot <= layout.LineCount(); ++slot) {
            const ItemSlot& s = layout.Slot(cell, slot);
            if (s.isPeriod()) {
                if (s.Record < 0 || s.Record >= layout.PeriodList.size()) std::abort();
                PeriodMarksOf(SplitRecord(layout.PeriodList[s.Record]), first + cell);
            } else if (!s.isFree() && (s.page() < 0 || s.page() > 5)) {
                std::abort();
            }
        }
        const CellPrintTexts t = layout.GetCellPrintTexts(lines, cell % 7, cell / 7 + 1, names);
        if (t.Lines.size() != lines) std::abort();
    }
    return 0;
}
