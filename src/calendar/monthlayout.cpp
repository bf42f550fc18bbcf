#include "monthlayout.h"

#include "calendar/daynumber.h"
#include "calendar/lunisolar.h"
#include "core/commatext.h"
#include "core/convert.h"

#include <algorithm>

namespace korvane {
namespace {

std::int32_t yyyymm(std::int32_t y, std::int32_t m) { return y * 100 + m; }

// The date of a record at field first (year, month, day). A month or day out of range, or a
// year no day number reaches, makes the line bad data rather than a date somewhere else.
std::int32_t dayNumber(const QStringList& f, int first) {
    const std::int32_t y = StrToInt(RecordField(f, first));
    const std::int32_t m = StrToInt(RecordField(f, first + 1));
    const std::int32_t d = StrToInt(RecordField(f, first + 2));
    if (m < 1 || m > 12 || d < 1 || d > 31) throw DayNumberError("日付が範囲外です。");
    return EncodeDayNumber(y, std::uint8_t(m), std::uint8_t(d));
}

}  // namespace

bool PeriodLineUnreadable(const QString& line) {
    if (line.trimmed().isEmpty()) return false;
    const QStringList f = SplitRecord(line);
    if (RecordField(f, 12) == u"D") return false;
    if (f.size() <= 5) return true;
    try {
        dayNumber(f, 0);
        dayNumber(f, 4);
    } catch (const std::exception&) {
        return true;
    }
    return false;
}

namespace {

const QString kOpenHidden = QStringLiteral("<H>");
const QString kCloseHidden = QStringLiteral("</H>");

QString removeTag(QString s, const QString& tag, bool& found) {
    qsizetype at;
    while ((at = s.indexOf(tag, 0, Qt::CaseInsensitive)) >= 0) {
        s.remove(at, tag.size());
        found = true;
    }
    return s;
}

}  // namespace

QStringList SplitRecord(const QString& line) { return line.split(u','); }

PeriodMarks PeriodMarksOf(const QStringList& f, std::int32_t date) {
    PeriodMarks marks;
    std::int32_t start, end;
    try {
        start = dayNumber(f, 0);
        end = dayNumber(f, 4);
    } catch (const std::exception&) {
        return marks;
    }
    marks.start = date == start;
    marks.end = date == end;
    // The label cell has a month and day only: its first occurrence in the period.
    std::int32_t m, d;
    const Ymd ymd = DecodeYmd(date);
    if (date >= start && date <= end && TryStrToInt(RecordField(f, 9), m) &&
        TryStrToInt(RecordField(f, 10), d) && m == ymd.m && d == ymd.d) {
        marks.label = true;
        try {
            if (IsValidDate(ymd.y - 1, ymd.m, ymd.d) &&
                EncodeDayNumber(ymd.y - 1, ymd.m, ymd.d) >= start)
                marks.label = false;
        } catch (const DayNumberError&) {
            // a year before that has no such day: this is the first
        }
    }
    return marks;
}

std::int32_t GridFirstCellDay(std::int32_t year, std::uint8_t month, int firstColumn,
                              bool firstRowFirstDay) {
    const std::int32_t first = EncodeDayNumber(year, month, 1);
    const int offset = (WeekdayOf(first) - (firstColumn + 1) + 7) % 7;  // [0, 6]
    std::int32_t start = first - offset;
    if (!firstRowFirstDay && start == first) start -= 7;
    return start;
}

int GridRowCount(std::int32_t year, std::uint8_t month, std::int32_t firstCellDay, bool autoResize,
                 bool lastRowLastDay) {
    if (!autoResize) return 7;
    const std::int32_t last = EncodeDayNumber(year, month, DaysInMonth(year, month));
    const int weeks = (last - firstCellDay) / 7;
    if (!lastRowLastDay && (last - firstCellDay + 1) % 7 == 0) return weeks + 3;
    return weeks + 2;
}

QString MonthLayout::RemoveHidden(const QString& text, bool& inHidden) {
    QString out;
    qsizetype pos = 0;
    while (pos <= text.size()) {
        if (inHidden) {
            const qsizetype close = text.indexOf(kCloseHidden, pos, Qt::CaseInsensitive);
            if (close < 0) return out;
            inHidden = false;
            pos = close + kCloseHidden.size();
        } else {
            const qsizetype open = text.indexOf(kOpenHidden, pos, Qt::CaseInsensitive);
            if (open < 0) {
                out += QStringView(text).mid(pos);
                return out;
            }
            out += QStringView(text).mid(pos, open - pos);
            inHidden = true;
            pos = open + kOpenHidden.size();
        }
    }
    return out;
}

QString MonthLayout::TabSpaces() const {
    return QString(qsizetype(int(TabMojiSuu) * int(TabChousei) / 100), u' ');
}

ItemText MonthLayout::ItemTextOf(const QString& visible) const {
    ItemText t;
    QString s = visible;
    s.replace(u'\t', TabSpaces());
    s = removeTag(s, QStringLiteral("<B>"), t.Bold);
    s = removeTag(s, QStringLiteral("</B>"), t.Bold);
    s = removeTag(s, QStringLiteral("<S>"), t.Strike);
    s = removeTag(s, QStringLiteral("</S>"), t.Strike);
    t.Text = s;
    return t;
}

void MonthLayout::ClearSlots() {
    for (auto& cell : slots_) cell.fill(ItemSlot{});
    for (auto& cell : texts_) cell.fill(ItemText{});
}

int MonthLayout::PageForMonth(std::int32_t year, std::int32_t month) const {
    int page = CurrentPage;
    const std::int32_t cell = yyyymm(year, month);
    const std::int32_t shown = yyyymm(shownYear_, shownMonth_);
    if (cell < shown && page > 0) --page;
    if (cell > shown && page < 4) ++page;
    if (page < 0 || page > 5) return -1;
    const MonthPage& p = MonthPages[std::size_t(page)];
    return p.Year == year && p.Month == month ? page : -1;
}

void MonthLayout::LayoutItems(int n, bool ueTume, std::int32_t firstCellDay, std::int32_t shownYear,
                              std::int32_t shownMonth) {
    n = std::clamp(n, 0, kMaxLines);
    lines_ = n;
    firstCellDay_ = firstCellDay;
    shownYear_ = shownYear;
    shownMonth_ = shownMonth;
    ClearSlots();
    const std::int32_t lastCellDay = firstCellDay + kCells - 1;

    // Period bars, first fit in list order.
    for (qsizetype i = 0; i < PeriodList.size(); ++i) {
        const QStringList f = SplitRecord(PeriodList[i]);
        if (f.size() <= 5 || RecordField(f, 12) == u"D") continue;
        std::int32_t start, end;
        try {
            start = dayNumber(f, 0);
            end = dayNumber(f, 4);
        } catch (const std::exception&) {
            continue;  // a broken line must not stop the rest of the month
        }
        if (end < firstCellDay || start > lastCellDay || start > end) continue;
        const int from = int(std::max(start, firstCellDay) - firstCellDay);  // [0, 41]
        const int to = int(std::min(end, lastCellDay) - firstCellDay);       // [from, 41]
        for (int slot = 0; slot <= n; ++slot) {
            bool usable = true;
            for (int k = from; k <= to && usable; ++k)
                usable = slots_[std::size_t(k)][std::size_t(slot)].isFree();
            if (!usable) continue;
            for (int k = from; k <= to; ++k)
                slots_[std::size_t(k)][std::size_t(slot)] = {QChar(u'F'), std::int32_t(i)};
            break;
        }
    }

    // Day items of each cell from the page of the cell's month. Each page is sorted by day once,
    // reading only the day field, so a cell looks at its own lines alone.
    std::array<std::array<std::vector<int>, 32>, 6> byDay;
    std::array<bool, 6> indexed{};
    for (int k = 0; k < kCells; ++k) {
        const Ymd date = DecodeYmd(firstCellDay + k);
        const int page = PageForMonth(date.y, date.m);
        if (page < 0) continue;
        const QStringList& lines = MonthPages[std::size_t(page)].Lines;
        if (!indexed[std::size_t(page)]) {
            indexed[std::size_t(page)] = true;
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const qsizetype comma = lines[i].indexOf(u',');
                std::int32_t day;
                if (TryStrToInt(QStringView(lines[i]).left(comma < 0 ? lines[i].size() : comma),
                                day) &&
                    day >= 1 && day <= 31)
                    byDay[std::size_t(page)][std::size_t(day)].push_back(int(i));
            }
        }
        struct Item {
            int record;
            ItemText text;
        };
        std::vector<Item> items;
        bool hidden = false;
        for (int i : byDay[std::size_t(page)][date.d]) {
            const QStringList f = SplitRecord(lines[i]);
            const QString visible = RemoveHidden(RecordField(f, 3).replace(u'，', u','), hidden);
            if (visible.isEmpty()) continue;
            ItemText text = ItemTextOf(visible);
            if (f.size() > 5 && !f[4].isEmpty() && f[4] != u"1") text.ColorText = f[4];
            items.push_back({i, std::move(text)});
        }
        int slot = (!ueTume && int(items.size()) < n) ? n - int(items.size()) : 0;
        for (Item& item : items) {
            while (slot <= n && !slots_[std::size_t(k)][std::size_t(slot)].isFree()) ++slot;
            if (slot > n) break;
            slots_[std::size_t(k)][std::size_t(slot)] = {QChar(char16_t(u'0' + page)), item.record};
            texts_[std::size_t(k)][std::size_t(slot)] = std::move(item.text);
        }
    }
}

const ItemText& MonthLayout::ItemAt(int cell, int slot) const {
    return texts_[std::size_t(cell)][std::size_t(slot)];
}

CellPrintTexts MonthLayout::GetCellPrintTexts(int n, int c, int r,
                                              const DayNamesFn& dayNames) const {
    CellPrintTexts t;
    const int cell = (r - 1) * 7 + c;
    const std::int32_t jd = firstCellDay_ + cell;
    const Ymd date = DecodeYmd(jd);
    t.Month = date.m;
    t.Day = date.d;
    if (const std::uint8_t rokuyo = RokuyoOf(jd)) t.Rokuyo = RokuyoNames[rokuyo];

    QString kinds;
    const QStringList names = dayNames(date.y, date.m, date.d, &kinds);
    t.Names = JoinCommaText(names);
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (kinds[i] == u'S') {
            t.Anniversary += names[i];
            if (i + 1 < names.size()) t.Anniversary += kinds[i + 1] == u'S' ? u'，' : u' ';
        } else {
            t.Holiday = names[i];
        }
    }

    const bool laidOut = cell >= 0 && cell < kCells && n == lines_;
    for (int slot = 0; slot < n; ++slot) {
        if (!laidOut) {
            t.Lines << QString();
            continue;
        }
        const ItemSlot& s = slots_[std::size_t(cell)][std::size_t(slot)];
        if (s.isFree()) {
            t.Lines << QString();
        } else if (s.isPeriod()) {
            t.Lines << PeriodList.value(s.Record);
        } else {
            QString record = MonthPages[std::size_t(s.page())].Lines.value(s.Record);
            t.Lines << record.replace(u'\t', TabSpaces());
        }
    }
    return t;
}

}  // namespace korvane
