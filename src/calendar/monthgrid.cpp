#include "monthgrid.h"

#include "calendar/lunisolar.h"
#include "calendar/textlines.h"
#include "core/commatext.h"
#include "core/convert.h"
#include "core/fonts.h"
#include "core/paths.h"
#include "core/prompt.h"
#include "core/qtcolor.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include <exception>

namespace korvane {
namespace {

const QString kCaption = QStringLiteral("確認 -Korvane-");

}  // namespace

MonthGrid::MonthGrid(QWidget* parent) : CalendarControl(parent) {
    Suspended = true;  // one redraw once everything is in place
    Fonts().SetSizeExceptRokuyo(12);
    RecalcLayout();
    // The holiday file of the working folder, as the sibling program starts us there.
    if (const QString hday = FindFile(QString(), QStringLiteral("Hday.dat")); !hday.isEmpty()) {
        QStringList lines;
        LoadTextLines(lines, hday, TextFileKind::HolidayRules);
        if (!SetHolidayList(lines).empty())
            Prompt::current().message(QStringLiteral("祭日ファイル読込ミス\r\n処理は続けます。"),
                                      kCaption, Prompt::Kind::Warning);
    }
    Suspended = false;
    Refresh();
}

void MonthGrid::SetItemGyo(std::uint8_t lines) {
    setProperty(mItemGyo, std::min<std::uint8_t>(lines, MonthLayout::kMaxLines));
}

void MonthGrid::SetDataKyoFile(const QString& folder) {
    if (folder == dataKyoFile_) return;
    dataKyoFile_ = folder;
    const QString file = FindFile(folder, QStringLiteral("Sday.vlm"));
    if (!file.isEmpty()) {
        QStringList lines;
        LoadTextLines(lines, file);
        if (!SetSpecialDayList(lines).empty())
            Prompt::current().message(
                QStringLiteral("スペシャルDayファイル読込ミス\r\n処理は続けます。"), kCaption,
                Prompt::Kind::Warning);
    }
    Refresh();
}

void MonthGrid::RecalcLayout() {
    lineH_ = mLenFontYoteiH + mLenGyokan;
    dateAreaH_ = mLenHidukeH + mLenTopItem;
    third_ = mLenDayW / 3 + 1;
    Refresh();
}

std::int32_t MonthGrid::FirstCellDay() const {
    return GridFirstCellDay(Year(), Month(), int(mFirstDayOfWeek), mFirstRowFirstDay);
}

int MonthGrid::RowCount() const {
    return GridRowCount(Year(), Month(), FirstCellDay(), mAutoResize, mLastRowLastDay);
}

QRect MonthGrid::CellRect(int column, int row) const {
    if (row == 0) return QRect(column * mLenDayW, 0, mLenDayW, mLenYoubiH);
    return QRect(column * mLenDayW, mLenYoubiH + (row - 1) * mLenDayH, mLenDayW, mLenDayH);
}

const CalendarFont& MonthGrid::GetDayFont(std::int32_t year, std::uint8_t month,
                                          std::uint8_t day) const {
    // A special day keeps its kind's font here; its names are coloured instead.
    const DayKind kind = GetDayKind(year, month, day);
    IsSpecial = (kind & dkSpecialDay) != 0;
    return Fonts().Font(FontIndexOf(kind, false));
}

QString MonthGrid::GetDayNames(std::int32_t year, std::uint8_t month, std::uint8_t day) const {
    return JoinCommaText(DayNameList(year, month, day, &NameKinds));
}

void MonthGrid::LayoutItems(int lines, bool ueTume) {
    layout_.TabMojiSuu = mTabMojiSuu;
    layout_.TabChousei = mTabChousei;
    layout_.LayoutItems(lines, ueTume, FirstCellDay(), Year(), Month());
}

CellPrintTexts MonthGrid::GetCellPrintTexts(int lines, int column, int row) const {
    return layout_.GetCellPrintTexts(
        lines, column, row, [this](std::int32_t y, std::uint8_t m, std::uint8_t d, QString* kinds) {
            return DayNameList(y, m, d, kinds);
        });
}

void MonthGrid::HitTest(int x, int y, int& third, int& line, int& row, int& column) const {
    const int w = std::max<int>(1, mLenDayW);
    column = x / w;
    third = (x - column * w) / std::max(1, third_) + 1;
    if (y < mLenYoubiH) {
        row = 0;
        line = 0;
        return;
    }
    row = (y - mLenYoubiH) / std::max<int>(1, mLenDayH) + 1;
    const int dy = (y - mLenYoubiH) % std::max<int>(1, mLenDayH);
    line = dy >= dateAreaH_ ? (dy - dateAreaH_) / std::max(1, lineH_) + 1 : mItemGyo + 1;
}

void MonthGrid::NormalizeMonth(std::int32_t& year, int& month) { NormalizeYearMonth(year, month); }

void MonthGrid::GoToDate(std::int32_t year, int month, int day) {
    if (month > 12) {
        month = 1;
        ++year;
    } else if (month == 0) {
        month = 12;
        --year;
    }
    NormalizeMonth(year, month);  // further out of range still lands on a month
    day = std::clamp(day, 1, int(DaysInMonth(year, std::uint8_t(month))));
    SetDayNumber(EncodeDayNumber(year, std::uint8_t(month), std::uint8_t(day)));
}

void MonthGrid::ClearSelection() {
    SelStart = 0;
    SelEnd = 0;
    SelectedPeriod = 0;
    HighlightClicked = false;
    Refresh();
}

void MonthGrid::DeletePeriod(int index) {
    if (index >= 1 && index < layout_.PeriodList.size() &&
        Prompt::current().askYesNo(QStringLiteral("この予定を削除してもいいですか？"),
                                   QStringLiteral("確認"), true)) {
        layout_.PeriodList.removeAt(index);
        SelectedPeriod = 0;
    }
    Refresh();
}

QFont MonthGrid::sizedFont(const QFont& base, int cellHeight, bool bold) const {
    const QString key = base.key() + u'|' + QString::number(cellHeight) + (bold ? u'b' : u'n');
    auto it = fontCache_.constFind(key);
    if (it != fontCache_.constEnd()) return *it;
    QFont f = base;
    f.setBold(bold);
    SetFontHeight(f, cellHeight);
    fontCache_.insert(key, f);
    return f;
}

QColor MonthGrid::paled(ColorValue color) const {
    return ToQColor(
        OrColor(FromQColor(ScreenColor(color)), FromQColor(ScreenColor(mNeighborColor))),
        palette());
}

void MonthGrid::UpdateCalendar() {
    if (Suspended) return;
    // Off screen only the slots are laid out (what printing and the owner read); the picture is
    // drawn when it comes to be painted.
    if (DeferWhileHidden()) {
        LayoutItems(mItemGyo, mUeTume);
        HighlightClicked = false;
        return;
    }
    CanvasScope scope(this);
    CalendarControl::UpdateCalendar();
    if (fontCache_.size() > 64) fontCache_.clear();
    LayoutItems(mItemGyo, mUeTume);
    const int rows = RowCount();
    for (int column = 0; column < 7; ++column) drawHeaderCell(column, CellRect(column, 0));
    for (int row = 1; row < rows; ++row)
        for (int column = 0; column < 7; ++column) DrawDayCell(column, row, CellRect(column, row));
    HighlightClicked = false;
}

void MonthGrid::drawHeaderCell(int column, const QRect& rect) {
    QPainter& p = *Canvas();
    const int weekday = (int(mFirstDayOfWeek) + column) % 7;  // 0 = Sunday
    const QString label = QLocale(QLocale::Japanese, QLocale::Japan)
                              .dayName(weekday == 0 ? 7 : weekday, QLocale::ShortFormat);
    const QString upper = label.toUpper();
    CalendarFonts::Index colour = CalendarFonts::Weekday;
    if (label == u"日" || upper == u"SUN") colour = CalendarFonts::Sunday;
    if (label == u"土" || upper == u"SAT") colour = CalendarFonts::Saturday;
    const CalendarFont& dow = Fonts().Font(CalendarFonts::DayOfWeek);
    p.fillRect(rect.adjusted(1, 1, 0, 0), ScreenColor(mDayOfWeekBkColor));
    p.setFont(sizedFont(dow.Font, mLenFontYoubiH, false));
    p.setPen(ScreenColor(Fonts().Font(colour).Color));
    p.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, label);
    p.setPen(ScreenColor(clBtnShadow));
    DrawCellGridLines(rect);
}

DayCellGeometry MonthGrid::CellGeometry(int column, int row) const {
    DayCellGeometry g;
    const QRect rect = CellRect(column, row);
    g.Rect = rect;
    const int cell = (row - 1) * 7 + column;
    const std::int32_t date = FirstCellDay() + cell;
    g.Date = date;
    const Ymd ymd = DecodeYmd(date);
    const CalendarFont& font = GetDayFont(ymd.y, ymd.m, ymd.d);
    const bool special = IsSpecial;
    const bool other = ymd.m != Month() || ymd.y != Year();
    g.OtherMonth = other;
    const bool selection = SelStart >= 1;

    g.Background = ScreenColor(Color());
    if (selection && ((SelStart <= date && date <= SelEnd) || date == SelStart)) {
        g.Fill = ScreenColor(kSelectionColor);
        if (other && !mShowNeighbor) g.Content = false;
    } else if (HighlightClicked && date == ClickedDay) {
        g.Fill = ScreenColor(kClickedColor);
    } else if (other) {
        if (!mShowNeighbor)
            g.Content = false;
        else if (selection)
            g.Fill = ScreenColor(clWindow);
    } else if (date == Today() && mIsToDay) {
        g.Fill = ScreenColor(kTodayColor);
    } else if (selection) {
        g.Fill = ScreenColor(clWindow);
    }
    if (g.Fill) g.Background = *g.Fill;
    if (!g.Content) return g;

    const DayKind kind = GetDayKind(ymd.y, ymd.m, ymd.d);
    QColor text = ScreenColor(font.Color);
    if (other)
        text = (kind & (dkSaturday | dkSunday)) ? paled(font.Color) : ScreenColor(mNeighborColor);
    const int baseLine = rect.top() + mLenHidukeH;  // the bottom of the date line

    // Day number, right-aligned to the width of "25".
    const QFont dayFont =
        sizedFont(font.Font, other ? mLenFontNeighbH : mLenFontHidukeH, misFontBold);
    const QFontMetrics dm(dayFont);
    const QString number = QString::number(ymd.d);
    const int x = rect.left() + mLenHidukeW - dm.horizontalAdvance(QStringLiteral("25"));
    g.DayNumber = {number, QPoint(x, baseLine - dm.descent()), dayFont, text};
    int cursor = x + dm.horizontalAdvance(number) + mLenYohaku;

    // Rokuyō and names share one smaller font, raised above the date line.
    const CalendarFont& rf = Fonts().Font(CalendarFonts::Rokuyo);
    const QFont small = sizedFont(rf.Font, other ? mLenFontKinenbNH : mLenFontKinenbH, false);
    const QFontMetrics sm(small);
    const int smallBase = baseLine - (other ? mLenKinenNC : mLenKinenC) - sm.descent();
    if (mShowRokuyo) {
        if (const std::uint8_t rokuyo = RokuyoOf(date)) {
            const QString label = u' ' + RokuyoNames[rokuyo] + u' ';
            g.Rokuyo = CellText{label, QPoint(cursor, smallBase), small,
                                other ? ScreenColor(mNeighborColor) : ScreenColor(rf.Color)};
            cursor += sm.horizontalAdvance(label);
        }
    }
    const QStringList names = DayNameList(ymd.y, ymd.m, ymd.d, &NameKinds);
    if (!names.isEmpty()) {
        auto nameColour = [&](CalendarFonts::Index i) {
            return other ? paled(Fonts().Font(i).Color) : ScreenColor(Fonts().Font(i).Color);
        };
        auto kindAt = [&](qsizetype i) { return i < NameKinds.size() ? NameKinds[i] : QChar(); };
        auto plain = [](QString s) {
            return s.replace(QChar(0x3000), u' ').replace(QChar(0xFF0C), u',');
        };
        if (special && names.size() > 1) {
            for (qsizetype i = 0; i < names.size(); ++i) {
                const bool isS = kindAt(i) == u'S';
                QString piece = plain(names[i]);
                if (i > 0) piece.prepend(kindAt(i - 1) == u'S' && isS ? u',' : u' ');
                g.Names.push_back(
                    {piece, QPoint(cursor, smallBase), small,
                     nameColour(isS ? CalendarFonts::SpecialDay : CalendarFonts::Sunday)});
                cursor += sm.horizontalAdvance(piece);
            }
        } else {
            QStringList shown;
            for (const QString& n : names) shown << plain(n);
            g.Names.push_back(
                {shown.join(u','), QPoint(cursor, smallBase), small,
                 nameColour(special ? CalendarFonts::SpecialDay : CalendarFonts::Sunday)});
        }
    }

    // Item lines and period bars.
    for (int slot = 0; slot < mItemGyo; ++slot) {
        const ItemSlot& s = layout_.Slot(cell, slot);
        if (s.isFree()) continue;
        if (s.isPeriod())
            g.Bars.push_back(periodBarOf(cell, slot, rect, other));
        else
            g.Items.push_back(itemLineOf(cell, slot, rect, other));
    }
    // Items that did not fit below a bar on the last line still show their "/".
    if (mItemGyo > 0 && layout_.Slot(cell, mItemGyo - 1).isPeriod() &&
        !layout_.Slot(cell, mItemGyo).isFree() && !layout_.Slot(cell, mItemGyo).isPeriod()) {
        const QFont f =
            sizedFont(Fonts().Font(CalendarFonts::DayOfWeek).Font, mLenFontYoteiH, false);
        const QFontMetrics fm(f);
        const QString mark = QStringLiteral("/");
        const int bandTop = rect.top() + mLenHidukeH + mLenTopItem + (mItemGyo - 1) * lineH_;
        const int top = bandTop + lineH_ - fm.height();
        const int mx = rect.left() + rect.width() - 2 - fm.horizontalAdvance(mark);
        g.OverflowMark = CellText{mark, QPoint(mx, top + fm.ascent()), f,
                                  other ? ScreenColor(mNeighborColor) : ScreenColor(ItemColor)};
    }
    return g;
}

void MonthGrid::DrawDayCell(int column, int row, const QRect&) {
    paintDayCell(CellGeometry(column, row));
}

void MonthGrid::paintDayCell(const DayCellGeometry& g) {
    QPainter& p = *Canvas();
    const QRect& rect = g.Rect;
    if (g.Fill) p.fillRect(rect, *g.Fill);
    auto draw = [&](const CellText& t) {
        p.setFont(t.Font);
        p.setPen(t.Colour);
        p.drawText(t.Origin, t.Text);
    };
    if (g.Content) {
        draw(g.DayNumber);
        p.save();
        p.setClipRect(rect);
        if (g.Rokuyo) draw(*g.Rokuyo);
        for (const CellText& t : g.Names) draw(t);
        for (const CellItemLine& line : g.Items) {
            draw(line.Text);
            if (line.Mark) draw(*line.Mark);
        }
        for (const CellPeriodBar& bar : g.Bars) {
            p.setPen(QPen(bar.Colour, bar.PenWidth));
            if (bar.StartStroke) p.drawLine(*bar.StartStroke);
            if (bar.EndStroke) p.drawLine(*bar.EndStroke);
            p.drawLine(bar.Bar);
            if (bar.LabelBox) p.fillRect(*bar.LabelBox, g.Background);
            if (bar.Label) draw(*bar.Label);
        }
        if (g.OverflowMark) {
            const QFontMetrics fm(g.OverflowMark->Font);
            const QPoint o = g.OverflowMark->Origin;
            p.fillRect(QRect(o.x() - 1, o.y() - fm.ascent(),
                             fm.horizontalAdvance(g.OverflowMark->Text) + 2, fm.height()),
                       g.Background);
            draw(*g.OverflowMark);
        }
        p.restore();
    }
    p.setPen(ScreenColor(kGridColor));
    DrawCellGridLines(rect);
}

CellItemLine MonthGrid::itemLineOf(int cell, int slot, const QRect& rect, bool otherMonth) const {
    const ItemSlot& s = layout_.Slot(cell, slot);
    const ItemText& item = layout_.ItemAt(cell, slot);
    QFont f = sizedFont(Fonts().Font(CalendarFonts::DayOfWeek).Font, mLenFontYoteiH, item.Bold);
    f.setStrikeOut(item.Strike);
    const QFontMetrics fm(f);
    QColor colour =
        s.page() == layout_.CurrentPage ? ScreenColor(ItemColor) : ScreenColor(mNeighborColor);
    if (!item.ColorText.isEmpty()) {
        const ColorValue own = StringToColor(item.ColorText, ItemColor);
        colour = otherMonth ? paled(own) : ScreenColor(own);
    }
    CellItemLine line;
    line.Slot = slot;
    line.BandTop = rect.top() + mLenHidukeH + mLenTopItem + slot * lineH_;
    const int x = rect.left() + mLenItemLeftM;
    const int baseline = line.BandTop + lineH_ - fm.height() + fm.ascent();
    QString text = item.Text;
    const int right = rect.left() + rect.width();
    if (slot == mItemGyo - 1 && !layout_.Slot(cell, mItemGyo).isFree()) {
        // More items than lines: cut whole characters until " /" fits after the text.
        const int room = right - x - fm.horizontalAdvance(QStringLiteral(" /"));
        while (!text.isEmpty() && fm.horizontalAdvance(text) >= room)
            text.chop(text.size() >= 2 && text.back().isLowSurrogate() ? 2 : 1);
        QFont plain = f;
        plain.setStrikeOut(false);
        line.Mark = CellText{QStringLiteral("/"), QPoint(x + fm.horizontalAdvance(text), baseline),
                             plain, colour};
    }
    line.Text = {text, QPoint(x, baseline), f, colour};
    return line;
}

CellPeriodBar MonthGrid::periodBarOf(int cell, int slot, const QRect& rect, bool otherMonth) const {
    const ItemSlot& s = layout_.Slot(cell, slot);
    const QStringList f = SplitRecord(layout_.PeriodList.value(s.Record));
    const PeriodMarks marks = PeriodMarksOf(f, FirstCellDay() + cell);
    const QFont font =
        sizedFont(Fonts().Font(CalendarFonts::DayOfWeek).Font, mLenFontYoteiH, false);
    const QFontMetrics fm(font);
    const QString label = u' ' + RecordField(f, 13) + u' ';
    const int h = fm.height();
    CellPeriodBar bar;
    bar.Slot = slot;
    bar.BandTop = rect.top() + mLenHidukeH + mLenTopItem + slot * lineH_;
    const int y = bar.BandTop + lineH_ - h + h / 2 - 1;

    const ColorValue own = StringToColor(RecordField(f, 12), clBlack);
    bar.Colour = otherMonth ? paled(own) : ScreenColor(own);
    std::int32_t width = 1;
    if (!TryStrToInt(RecordField(f, 11), width) || width < 1 || width > 3) width = 1;
    if (s.Record == SelectedPeriod && SelectedPeriod != 0) {
        bar.Colour = ScreenColor(kSelectedPeriodColor);
        width = 3;
    }
    bar.PenWidth = width;
    const int left = rect.left();
    const int right = left + rect.width();
    int x0 = left;
    int x1 = right;
    if (marks.start) {
        const QString part = RecordField(f, 3);
        x0 = left + (part == u"M" ? 5 : part == u"A" ? 50 : 95);
        bar.StartStroke = QLine(x0, y, x0 + 15, y + 2);
    }
    if (marks.end) {
        const QString part = RecordField(f, 7);
        x1 = right - (part == u"M" ? 95 : part == u"A" ? 50 : 5);
        bar.EndStroke = QLine(x1 - 15, y - 2, x1, y);
    }
    bar.Bar = QLine(x0, y, x1, y);
    if (marks.label) {
        const int w = fm.horizontalAdvance(label);
        const int t = bar.BandTop + lineH_ - h;
        // Right and bottom exclusive at left + w + 1 and t + h + 1.
        bar.LabelBox = QRect(QPoint(right - (w + 4), t), QPoint(right - (w + 4) + w, t + h));
        bar.Label = CellText{label, QPoint(right - (w + 4), t + fm.ascent()), font, bar.Colour};
    }
    return bar;
}

void MonthGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint() - contentsRect().topLeft();
    int third, line, row, column;
    HitTest(at.x(), at.y(), third, line, row, column);
    // The strips right of Saturday and below the last row belong to no day.
    const bool inside = at.x() >= 0 && at.y() >= 0 && column < 7 && row < RowCount();
    const std::int32_t date = FirstCellDay() + column + (row - 1) * 7;
    ClickedDay = inside ? date : 0;
    CalendarControl::mousePressEvent(event);
    if (!inside || row < 1) {
        ClickedInMonth = false;
        return;
    }
    const Ymd ymd = DecodeYmd(date);
    if (ymd.m == Month() && ymd.y == Year()) {
        ClickedInMonth = true;
        NeighborPaged = false;
        SetDayNumber(date);
        return;
    }
    ClickedInMonth = false;
    if (!NeighborJump || event->button() == Qt::RightButton) return;
    std::int32_t& page = layout_.CurrentPage;
    if (row <= 2) {
        PageForward = false;
        if (page > 0)
            --page;
        else
            PageOverflow = true;
    } else if (row >= 4) {
        PageForward = true;
        if (page < 4)
            ++page;
        else
            PageOverflow = true;
    }
    NeighborPaged = true;
    SetDayNumber(date);
}

void ApplyMainWindowLayout(MonthGrid& g, bool compact) {
    g.SkipUpDate = true;
    g.SetisFontBold(true);
    g.SetItemGyo(compact ? 3 : 4);
    g.SetLenFontHidukeH(compact ? 16 : 18);
    g.SetLenFontNeighbH(compact ? 14 : 16);
    g.SetLenTopItem(0);
    g.SetLenFontYoteiH(12);
    g.SetLenGyokan(2);
    g.SetLenBottomItem(compact ? 3 : 4);
    g.LenYoteiH = std::uint8_t(compact ? g.LenFontYoteiH() + g.LenGyokan() : 17);
    g.SetLenFontKinenbH(12);
    g.SetLenFontKinenbNH(11);
    g.SetLenHidukeH(std::uint8_t(compact ? g.LenFontHidukeH() + 4 : 22));
    g.SetLenHidukeW(28);
    g.SetLenYohaku(4);
    g.SetLenItemLeftM(6);
    g.SetLenKinenC(compact ? 1 : 2);
    g.SetLenKinenNC(compact ? 0 : 1);
    g.SetLenFontYoubiH(16);
    g.SetLenYoubiH(compact ? 22 : 24);
    g.SetLenDayW(compact ? 100 : 117);
    g.SetLenDayH(std::uint8_t(g.LenHidukeH() + g.LenTopItem() +
                              (g.LenFontYoteiH() + g.LenGyokan()) * g.ItemGyo() +
                              g.LenBottomItem()));
    g.SkipUpDate = false;
    g.RecalcLayout();
    g.setGeometry(-1, -1, 7 * g.LenDayW() + 3, 6 * g.LenDayH() + g.LenYoubiH() + 3);
    CalendarFont rokuyo = g.Fonts().Font(CalendarFonts::Rokuyo);
    rokuyo.Color = ColorValue(0x484848);
    g.Fonts().SetFont(CalendarFonts::Rokuyo, rokuyo);
}

}  // namespace korvane
