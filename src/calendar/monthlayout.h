#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace korvane {

// The day items of one month, as read from its month file.
struct MonthPage {
    std::int32_t Year = 0;
    std::int32_t Month = 0;
    std::int32_t Count = 0;
    QStringList Lines;
};

// One line position of a day cell: free, a period bar ("F") or a day item of a page.
struct ItemSlot {
    QChar Marker;  // null = free, 'F' = period, '0'..'5' = page index
    std::int32_t Record = 0;

    bool isFree() const { return Marker.isNull(); }
    bool isPeriod() const { return Marker == u'F'; }
    int page() const { return Marker.unicode() - u'0'; }
};

// What the printed calendar needs of one cell.
struct CellPrintTexts {
    std::uint8_t Month = 0;
    std::uint8_t Day = 0;
    QString Rokuyo;
    QString Anniversary;
    QString Holiday;
    QString Names;
    QStringList Lines;
};

// A day item's text as drawn: hidden parts removed, tags read, tabs expanded.
struct ItemText {
    QString Text;
    bool Bold = false;
    bool Strike = false;
    QString ColorText;  // the item's own colour, empty for the default
};

// The names of a day with one letter each in kinds: "S" special day, "H" holiday.
using DayNamesFn = std::function<QStringList(std::int32_t year, std::uint8_t month,
                                             std::uint8_t day, QString* kinds)>;

// The month grid's data and its slot layout, without any drawing: the screen grid and the
// printed pages lay the same month out through it.
class MonthLayout {
public:
    static constexpr int kCells = 42;
    static constexpr int kMaxLines = 9;

    std::array<MonthPage, 6> MonthPages;
    std::int32_t CurrentPage = 0;
    QStringList PeriodList;
    std::uint8_t TabMojiSuu = 2;
    std::uint8_t TabChousei = 150;

    // Lays out periods, then day items, for the 42 cells from firstCellDay, with n item lines per
    // cell (plus one overflow slot) packed to the top or the bottom. Lines whose numbers do not
    // convert are left out.
    void LayoutItems(int n, bool ueTume, std::int32_t firstCellDay, std::int32_t shownYear,
                     std::int32_t shownMonth);

    int LineCount() const { return lines_; }
    std::int32_t FirstCellDay() const { return firstCellDay_; }
    const ItemSlot& Slot(int cell, int slot) const {
        return slots_[std::size_t(cell)][std::size_t(slot)];
    }
    void ClearSlots();

    // Valid after LayoutItems(n, ...): the texts of the cell in column c of week row r (1..6).
    CellPrintTexts GetCellPrintTexts(int n, int c, int r, const DayNamesFn& names) const;

    // The page whose items a cell of (year, month) shows, or -1.
    int PageForMonth(std::int32_t year, std::int32_t month) const;

    // Day item text of a record of a page: hidden text already removed when laid out.
    const ItemText& ItemAt(int cell, int slot) const;

    // The spaces a tab becomes.
    QString TabSpaces() const;

    // The hidden-text rule: "<H>" opens and "</H>" closes a hidden part that may run over several
    // lines; inHidden carries that state from line to line.
    static QString RemoveHidden(const QString& text, bool& inHidden);
    // Reads the bold and strike tags and expands tabs of visible text.
    ItemText ItemTextOf(const QString& visible) const;

private:
    std::int32_t shownYear_ = 0;
    std::int32_t shownMonth_ = 0;
    std::int32_t firstCellDay_ = 0;
    int lines_ = 0;
    std::array<std::array<ItemSlot, kMaxLines + 1>, kCells> slots_{};
    std::array<std::array<ItemText, kMaxLines + 1>, kCells> texts_{};
};

// The first cell of a month grid whose first column is weekday firstColumn (0 = Sunday); unless
// firstRowFirstDay, a month that begins in the first column gets a week of the month before.
std::int32_t GridFirstCellDay(std::int32_t year, std::uint8_t month, int firstColumn,
                              bool firstRowFirstDay);
// Rows including the header: 7 unless autoResize; then as many as the month needs, plus a row of
// the next month when it ends in the last column and not lastRowLastDay.
int GridRowCount(std::int32_t year, std::uint8_t month, std::int32_t firstCellDay, bool autoResize,
                 bool lastRowLastDay);

// Splits a data record at its commas (texts keep their commas as "，").
QStringList SplitRecord(const QString& line);
// Which marks of a period line the cell of a date carries: the start and end strokes (the full
// start and end dates) and the label (month and day of fields 9 and 10, within the period).
struct PeriodMarks {
    bool start = false;
    bool end = false;
    bool label = false;
};
PeriodMarks PeriodMarksOf(const QStringList& periodFields, std::int32_t date);
// A period line that is not blank, not deleted ("D" in field 12), and still names no start and
// end day: it can be neither drawn nor printed.
bool PeriodLineUnreadable(const QString& line);

// Field i of a split record, empty when the record is shorter.
inline QString RecordField(const QStringList& f, int i) { return i < f.size() ? f[i] : QString(); }

}  // namespace korvane
