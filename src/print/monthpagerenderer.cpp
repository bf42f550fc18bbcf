#include "monthpagerenderer.h"

#include "calendar/monthgrid.h"
#include "calendar/monthlayout.h"
#include "core/convert.h"
#include "core/eradate.h"
#include "core/qtcolor.h"
#include "print/engine/printdocument.h"
#include "print/engine/progresswindow.h"
#include "print/printhost.h"

#include <QGuiApplication>
#include <QPalette>

#include <exception>
#include <optional>

namespace korvane {
namespace {

const QString kGothic = QStringLiteral("ＭＳ ゴシック");
const QString kMincho = QStringLiteral("ＭＳ 明朝");
const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kPMincho = QStringLiteral("ＭＳ Ｐ明朝");
const QString kProgressText = QStringLiteral("印刷データ作成中");

enum class Column { Weekday, Saturday, Sunday };

Column columnKind(int c, bool monday) {
    if (monday) return c == 5 ? Column::Saturday : c == 6 ? Column::Sunday : Column::Weekday;
    return c == 0 ? Column::Sunday : c == 6 ? Column::Saturday : Column::Weekday;
}

ColorValue resolved(ColorValue c) {
    return IsSystemColor(c) ? FromQColor(ToQColor(c, QGuiApplication::palette())) : c;
}

// Puts back what a job changes, on every way out.
class JobRestore {
public:
    JobRestore(PrintDocument& doc, PrintHost& host, ProgressWindow* progress)
        : doc_(doc),
          host_(host),
          progress_(progress),
          year_(host.ShownYear()),
          month_(host.ShownMonth()),
          skip_(host.ShownGrid().SkipUpDate) {}
    ~JobRestore() {
        // A page that failed half-way is never shown or printed.
        if (std::uncaught_exceptions() > exceptions_) doc_.Discard();
        if (host_.ShownYear() != year_ || host_.ShownMonth() != month_)
            host_.GoToMonth(QString::asprintf("%.4d%.2d", int(year_), month_));
        host_.ShownGrid().SkipUpDate = skip_;
        if (progress_) progress_->Finish();
    }
    JobRestore(const JobRestore&) = delete;
    JobRestore& operator=(const JobRestore&) = delete;

private:
    PrintDocument& doc_;
    PrintHost& host_;
    ProgressWindow* progress_;
    const int exceptions_ = std::uncaught_exceptions();
    std::int32_t year_;
    int month_;
    bool skip_;
};

class MonthPainter {
public:
    MonthPainter(PrintDocument& doc, PrintHost& host, const MonthPageGeometry& g,
                 const MonthPrintOptions& o, ProgressWindow* progress, QStringList* skipped)
        : doc_(doc),
          c_(doc.Canvas()),
          host_(host),
          g_(g),
          o_(o),
          progress_(progress),
          skipped_(skipped),
          months_(o.TwoMonths ? 2 : 1) {}

    // The shown month comes back with the JobRestore around each run.
    void Run() {
        MonthGrid& grid = host_.ShownGrid();
        itemColor_ = o_.BlackWhite ? clBlack : resolved(grid.ItemColor);
        grid.LayoutItems(g_.Lines, o_.TopPacking);
        step(7 / months_);
        step(25 / months_);
        grid.SkipUpDate = true;
        doc_.BeginDoc();
        int top = g_.Top;
        for (int k = 1; k <= months_; ++k) {
            base_ = (k - 1) * (100 / months_);
            drawMonth(k, top);
            step(base_ + 100 / months_);
            if (k < months_) {
                host_.NextMonth();
                grid.LayoutItems(g_.Lines, o_.TopPacking);
                top = g_.Top + kSecondMonthOffset;
            }
        }
        doc_.EndDoc();
    }

    void RunYear(const YearPageGeometry& y, bool ruled) {
        year_ = true;
        o_.Shading = o_.Shading && ruled;
        o_.Anniversaries = o_.Schedules = o_.Title = false;
        MonthGrid& grid = host_.ShownGrid();
        itemColor_ = o_.BlackWhite ? clBlack : resolved(grid.ItemColor);
        static_cast<MonthGridCells&>(g_) = y;
        g_.Lines = kYearLines;
        grid.LayoutItems(kYearLines, false);
        step(2);
        grid.SkipUpDate = true;
        doc_.BeginDoc();
        doc_.Title = QStringLiteral("カレンダー");
        if (o_.CreationDate) {
            const int extra = y.MonthFont + 80;
            font(kGothic, y.DateFont, 0, itemColor_);
            c_.DrawTextBox(y.Left, y.Top - (2 * y.M + y.DateFont + y.TitleFont + extra), y.Right(),
                           y.Top - (y.M + y.DateFont + extra),
                           JapaneseEraDate(o_.Today) + QStringLiteral("作成"), TextAlign::RightTop);
        }
        for (int k = 1; k <= 12; ++k) {
            g_.Left = y.BlockLeft(k);
            drawYearBlock(y, y.BlockTop(k), ruled);
            step(k * 100 / 12);
            if (k < 12) {
                host_.NextMonth();
                grid.LayoutItems(kYearLines, false);
            }
        }
        if (host_.SiblingKind() != 3) {
            const int bottom = y.BlockTop(12) + y.GridHeight();
            font(kGothic, 30, 0, clGray);
            c_.DrawTextBox(y.Left, bottom, y.Right(), bottom + y.M + y.DateFont + 50, footerText(),
                           TextAlign::LeftBottom);
        }
        doc_.EndDoc();
    }

private:
    QString footerText() const {
        static const char16_t* const footers[] = {u"Printed by Korvane", u"Velmar -Velmar-",
                                                  u"Tesska -Tesska-"};
        return QString::fromUtf16(footers[std::clamp(host_.SiblingKind(), 0, 2)]);
    }

    void drawYearBlock(const YearPageGeometry& y, int top, bool ruled) {
        const int left = g_.Left, W = g_.W, H = g_.H, R = g_.R;
        const int right = left + 7 * W;
        if (ruled) {
            if (o_.Shading) {
                c_.PatternFill(left, top, right, top + R, ShadingTile());
                c_.SetBrushStyle(Qt::NoBrush);
            }
            c_.SetPenColor(clBlack);
            c_.SetPenWidth(g_.Frame);
            c_.Rectangle(left, top, right, top + R + 6 * H);
            c_.SetPenWidth(1);
            line(left, top + R, right, top + R);
            for (int i = 1; i <= 5; ++i) line(left, top + R + H * i, right, top + R + H * i);
            for (int j = 1; j <= 6; ++j) line(left + W * j, top, left + W * j, top + R + 6 * H);
        }

        // The month's number between its year and its English name.
        static const char* const names[] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};
        const QString face = o_.Mincho ? kMincho : kGothic;
        const QString number = QString::number(host_.ShownMonth());
        const int boxTop = top - (y.MonthFont + 30), boxBottom = top - 10;
        if (!o_.BlackWhite) {
            font(face, y.MonthFont, fsBold, clGray);
            c_.DrawTextBox(left, boxTop, right, boxBottom, number, TextAlign::CenterBottom);
        } else {
            font(face, y.MonthFont - 2, fsBold, clGray);
            const int bw = c_.TextWidth(number) + 4, bh = c_.TextHeight() + 4;
            c_.OutlinedTextOut(left + (7 * W - bw) / 2, boxBottom - bh, number, clBlack, clGray);
        }
        font(face, y.MonthFont, 0, clGray);
        const int h = (7 * W - c_.TextWidth(u' ' + number + u' ')) / 2;
        font(face, y.YearFont, 0, clGray);
        c_.DrawTextBox(left, boxTop, left + h, boxBottom - 3, QString::number(host_.ShownYear()),
                       TextAlign::RightBottom);
        c_.DrawTextBox(right - h, boxTop, right, boxBottom - 3,
                       QString::fromLatin1(names[host_.ShownMonth() - 1]), TextAlign::LeftBottom);

        drawWeekdays(top);
        for (int r = 1; r <= 6; ++r)
            for (int col = 0; col < 7; ++col) drawCell(top, r, col);
    }

    void step(int position) {
        if (progress_) progress_->Step(kProgressText, 100, position);
    }

    void font(const QString& face, int height, int style, ColorValue color) {
        c_.SetFontName(face);
        c_.SetFontHeight(height);
        c_.SetFontStyle(style);
        c_.SetFontColor(color);
    }

    void line(int x1, int y1, int x2, int y2) {
        c_.MoveTo(x1, y1);
        c_.LineTo(x2, y2);
    }

    // Lines of the printed month that name no day or have no text: left off the page and told.
    void noteUnreadable() {
        if (!skipped_) return;
        const MonthLayout& layout = host_.ShownGrid().Layout();
        // Period lines are the same for every month: named with the first.
        if (!periodsNoted_) {
            periodsNoted_ = true;
            for (qsizetype i = 0; i < layout.PeriodList.size(); ++i)
                if (PeriodLineUnreadable(layout.PeriodList[i]))
                    *skipped_
                        << QStringLiteral("期間 (%1行目): %2").arg(i + 1).arg(layout.PeriodList[i]);
        }
        const int page = layout.PageForMonth(host_.ShownYear(), host_.ShownMonth());
        if (page < 0) return;
        const QStringList& lines = layout.MonthPages[std::size_t(page)].Lines;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].trimmed().isEmpty()) continue;
            const QStringList f = SplitRecord(lines[i]);
            std::int32_t day = -1;
            const bool number = TryStrToInt(f[0].trimmed(), day);
            if (number && day == 0) continue;  // "on no day": the mark of a month looked at
            const bool dayRead = number && day >= 1 && day <= 31;
            if (dayRead && f.size() >= 4) continue;
            const QString where =
                dayRead ? QStringLiteral("%1年%2月%3日")
                              .arg(host_.ShownYear())
                              .arg(host_.ShownMonth())
                              .arg(day)
                        : QStringLiteral("%1年%2月").arg(host_.ShownYear()).arg(host_.ShownMonth());
            *skipped_ << QStringLiteral("%1 (%2行目): %3").arg(where).arg(i + 1).arg(lines[i]);
        }
    }

    void drawMonth(int k, int top) {
        if (o_.Schedules) noteUnreadable();
        doc_.Title = QStringLiteral("カレンダー");
        const int left = g_.Left, W = g_.W, H = g_.H, R = g_.R, M = g_.M;
        const int E = g_.DateFont, T = g_.TitleFont;
        const int right = left + 7 * W;

        if (o_.Title) {
            const QString text =
                MonthTitleText(host_.ShownYear(), host_.ShownMonth(), o_.TitleFormat, o_.TitleText);
            const int boxTop = top - (2 * M + E + T), boxBottom = top - (M + E);
            if (!o_.BlackWhite) {
                font(kGothic, T, 0, itemColor_);
                c_.DrawTextBox(left, boxTop, right, boxBottom, text, TextAlign::CenterMiddle);
            } else {
                const QString before = c_.Font.Name;
                font(kMincho, T - 2, 0, itemColor_);
                // Titles, like Saturday numbers, are outlined in a box 3 larger than the text.
                const int bw = c_.TextWidth(text) + 3, bh = c_.TextHeight() + 3;
                c_.OutlinedTextOut(left + (7 * W - bw) / 2, boxBottom - bh, text, clBlack,
                                   clSilver);
                c_.SetFontName(before);
            }
        }
        if (o_.CreationDate && k == 1) {
            font(kGothic, E, 0, itemColor_);
            c_.DrawTextBox(left, top - (M + E), right, top - M / 2,
                           JapaneseEraDate(o_.Today) + QStringLiteral("作成"),
                           TextAlign::RightBottom);
        }
        if (k == 1 && host_.SiblingKind() != 3) {
            font(kGothic, E * 6 / 5, 0, clGray);
            c_.DrawTextBox(left, top - (M + E) * 6 / 5, right, top - M / 2, footerText(),
                           TextAlign::LeftBottom);
        }
        step(base_ + 34 / months_);

        if (o_.Shading) {
            if (o_.B5) {
                c_.SetBrushStyle(Qt::SolidPattern);
                c_.SetBrushColor(FromRgb(0xE1E1E1));
                c_.FillRect(left, top, right, top + R - 3);
            } else {
                c_.PatternFill(left, top, right, top + R - 3, ShadingTile());
            }
            c_.SetBrushStyle(Qt::NoBrush);
        }
        c_.SetPenColor(clBlack);
        c_.SetPenWidth(g_.Frame);
        c_.Rectangle(left, top, right, top + R + 6 * H);
        c_.SetPenWidth(2);
        line(left, top + R - 3, right, top + R - 3);
        c_.SetPenWidth(1);
        line(left, top + R, right, top + R);
        for (int i = 1; i <= 5; ++i) line(left, top + R + H * i, right, top + R + H * i);
        for (int j = 1; j <= 6; ++j) line(left + W * j, top, left + W * j, top + R + 6 * H);

        drawWeekdays(top);
        for (int r = 1; r <= 6; ++r) {
            step(base_ + (40 + 8 * r) / months_);
            for (int col = 0; col < 7; ++col) drawCell(top, r, col);
        }
    }

    void drawWeekdays(int top) {
        const bool monday = host_.WeekStartsMonday();
        const QStringList names = QStringLiteral("日,月,火,水,木,金,土,日").split(u',');
        const int yb = top + g_.R - (o_.TwoMonths || year_ ? 8 : 12);
        font(kGothic, g_.WeekdayFont, 0, clBlack);
        for (int col = 0; col < 7; ++col) {
            const QString name = names[col + (monday ? 1 : 0)];
            const Column kind = columnKind(col, monday);
            const int xc = g_.Left + g_.W * col;
            const int tw = c_.TextWidth(name), th = c_.TextHeight();
            const int x = xc + g_.W - (g_.W - tw) / 2 - tw, y = yb - th;
            if (!o_.BlackWhite || kind == Column::Weekday) {
                ColorValue color = clBlack;
                if (!o_.BlackWhite && kind == Column::Sunday) color = FromRgb(0xFF0000);
                if (!o_.BlackWhite && kind == Column::Saturday) color = FromRgb(0x00CCFF);
                c_.SetFontColor(color);
                if (o_.Shading)
                    c_.TextOut(x + 1, y + 1, name);
                else
                    c_.DrawTextBox(xc, top, xc + g_.W, yb, name, TextAlign::CenterBottom);
            } else {
                const bool sunday = kind == Column::Sunday;
                const ColorValue fill =
                    o_.Shading ? (sunday ? clWhite : clSilver) : (sunday ? clSilver : clGray);
                c_.OutlinedTextOut(x, y, name, clBlack, fill);
            }
            step(base_ + (34 + col) / months_);
        }
    }

    void drawCell(int top, int r, int col) {
        const int cellLeft = g_.Left + g_.W * col;
        const int rowTop = top + g_.R + g_.H * (r - 1);
        const CellPrintTexts t = host_.ShownGrid().GetCellPrintTexts(g_.Lines, col, r);
        const bool inMonth = t.Month == host_.ShownMonth();
        const bool bw = o_.BlackWhite;
        const Column kind = columnKind(col, host_.WeekStartsMonday());

        if (year_ && !inMonth) return;  // a year block shows its own month's days only
        // Header texts to the right of the day number.
        int x = cellLeft + g_.A + g_.G;
        const int labelHeight = bw && !inMonth ? g_.LabelFont * 9 / 10 : g_.LabelFont;
        font(o_.Mincho ? kPMincho : kPGothic, labelHeight, 0, clBlack);
        const auto header = [&](const QString& text, ColorValue color) {
            c_.SetFontColor(color);
            c_.DrawTextBox(x, rowTop, cellLeft + g_.W, rowTop + g_.B, text, TextAlign::LeftBottom);
        };
        if (o_.Rokuyo && !t.Rokuyo.isEmpty() && !year_) {
            header(t.Rokuyo, inMonth ? clGray : clSilver);
            x += c_.TextWidth(t.Rokuyo + u' ');
        }
        if (o_.Anniversaries && !t.Anniversary.isEmpty() && !year_) {
            header(t.Anniversary, bw ? (inMonth ? clBlack : clGray)
                                     : (inMonth ? FromRgb(0x00CC00) : FromRgb(0x80CCFF)));
            x += c_.TextWidth(t.Anniversary);
        }
        bool holidayPrinted = false;
        if (o_.Holidays && !t.Holiday.isEmpty() && year_) {
            holidayPrinted = true;  // not written, but outlined as a holiday
        } else if (o_.Holidays && !t.Holiday.isEmpty()) {
            header(t.Holiday, bw ? (inMonth ? clBlack : clGray)
                                 : (inMonth ? FromRgb(0xFF0000) : FromRgb(0xE6D8AD)));
            holidayPrinted = true;
        }

        if (o_.Schedules && !year_) drawItems(cellLeft, rowTop, r, col, inMonth);

        // The day number.
        const QString day = QString::number(t.Day);
        const int shift = inMonth ? 0 : 4;
        const int boxRight = cellLeft + g_.A, boxTop = rowTop - shift,
                  boxBottom = rowTop + g_.B + 6 - shift;
        int height = g_.D;
        if (!inMonth) height = bw ? g_.D * 8 / 10 : g_.D * 85 / 100;
        const bool outlined = bw && (kind != Column::Weekday || holidayPrinted);
        if (!outlined) {
            ColorValue color;
            if (bw) {
                color = inMonth ? clBlack : clSilver;
            } else if (kind == Column::Sunday || !t.Holiday.isEmpty()) {
                color = inMonth ? FromRgb(0xFF0000) : FromRgb(0xE6D8AD);
            } else if (kind == Column::Saturday) {
                color = inMonth ? FromRgb(0x00CCFF) : FromRgb(0xC1B6FF);
            } else {
                color = inMonth ? clBlack : clSilver;
            }
            font(kGothic, height, fsBold, color);
            c_.DrawTextBox(cellLeft, boxTop, boxRight, boxBottom, day, TextAlign::RightBottom);
            return;
        }
        const bool saturday = !holidayPrinted && kind == Column::Saturday;
        const ColorValue fill = holidayPrinted ? clWhite : saturday ? clGray : clSilver;
        font(kGothic, height - (holidayPrinted ? 4 : 2), saturday ? 0 : fsBold, clBlack);
        const int extra = saturday ? 3 : 4;
        const int bw_ = c_.TextWidth(day) + extra, bh = c_.TextHeight() + extra;
        c_.OutlinedTextOut(boxRight - bw_, boxBottom - bh, day, inMonth ? clBlack : clSilver, fill,
                           holidayPrinted);
    }

    // The cell's slots as the month grid laid them out: day items with their hidden parts, tags and
    // tabs already read, and period bars.
    void drawItems(int cellLeft, int rowTop, int r, int col, bool inMonth) {
        const MonthLayout& layout = host_.ShownGrid().Layout();
        const int n = g_.Lines;
        if (layout.LineCount() != n) return;
        const int cell = (r - 1) * 7 + col;
        const std::int32_t date = layout.FirstCellDay() + cell;
        const bool bw = o_.BlackWhite;
        const int W = g_.W, H = g_.H, L = g_.L, M = g_.M;
        const auto slotTop = [&](int i) { return rowTop + H - (L * (n - i) + M); };
        const auto slotBottom = [&](int i) { return rowTop + H - (L * (n - 1 - i) + M); };
        // A record's colour; none, or one that is no colour, leaves the default.
        const auto own = [](const QString& text) -> std::optional<ColorValue> {
            if (text.isEmpty() || text == u"1" || text == u"clWindowText") return std::nullopt;
            const std::optional<ColorValue> c = ColorFromText(text);
            if (!c) return std::nullopt;
            return resolved(*c);
        };
        for (int i = 0; i < n; ++i) {
            const ItemSlot& slot = layout.Slot(cell, i);
            if (slot.isFree()) continue;
            if (!slot.isPeriod()) {
                const ItemText& item = layout.ItemAt(cell, i);
                ColorValue color;
                if (bw) {
                    color = inMonth ? clBlack : clGray;
                } else {
                    const std::optional<ColorValue> c = own(item.ColorText);
                    color = inMonth ? c.value_or(itemColor_) : (c ? OrColor(*c, clGray) : clGray);
                }
                const int style = (item.Bold ? fsBold : 0) | (item.Strike ? fsStrikeOut : 0);
                font(o_.Mincho ? kMincho : kGothic, bw && !inMonth ? g_.F * 9 / 10 : g_.F, style,
                     color);
                QString shown = item.Text;
                if (i == n - 1 && !layout.Slot(cell, n).isFree()) {
                    // More items than lines: cut whole characters until " /" fits after it.
                    const int room = W - g_.G - c_.TextWidth(QStringLiteral(" /"));
                    while (!shown.isEmpty() && c_.TextWidth(shown) >= room)
                        shown.chop(shown.size() >= 2 && shown.back().isLowSurrogate() ? 2 : 1);
                    shown += QStringLiteral(" /");
                }
                c_.DrawTextBox(cellLeft + g_.G, slotTop(i), cellLeft + W, slotBottom(i), shown,
                               TextAlign::LeftBottom);
                c_.SetFontStyle(0);
                continue;
            }
            const QStringList f = SplitRecord(layout.PeriodList.value(slot.Record));
            const int y = rowTop + H - (L / 2 + L * (n - 1 - i) + M);
            ColorValue color;
            if (bw) {
                color = inMonth ? clBlack : clGray;
            } else {
                const ColorValue c = own(RecordField(f, 12)).value_or(itemColor_);
                color = inMonth ? c : OrColor(c, clGray);
            }
            const QString width = RecordField(f, 11);
            c_.SetPenColor(color);
            c_.SetPenWidth(width.isEmpty() || width == u"1" ? g_.BarPens[0]
                           : width == u"2"                  ? g_.BarPens[1]
                                                            : g_.BarPens[2]);
            const PeriodMarks marks = PeriodMarksOf(f, date);
            const auto part = [&](int field, int morning, int afternoon, int otherwise) {
                const QString p = RecordField(f, field);
                return p == u"M" ? morning : p == u"A" ? afternoon : otherwise;
            };
            if (marks.start) {
                const int xs = cellLeft + W * part(3, 5, 40, 75) / 100;
                line(xs, y, cellLeft + W, y);
                line(xs, y, xs + 50, y + 5);
            } else if (marks.end) {
                const int xe = cellLeft + W * part(7, 25, 60, 95) / 100;
                line(cellLeft, y, xe, y);
                line(xe - 50, y - 5, xe, y);
            } else {
                line(cellLeft, y, cellLeft + W, y);
            }
            if (marks.label) {
                const QString label = u' ' + RecordField(f, 13) + u' ';
                font(kPGothic, bw && !inMonth ? g_.F * 9 / 10 : g_.F * 95 / 100, 0, color);
                const int xr = cellLeft + W - W * 5 / 100;
                const int xl = xr - c_.TextWidth(label);
                // On the paper's own colour, also over B5's grey weekday shading.
                c_.SetBrushStyle(Qt::SolidPattern);
                c_.SetBrushColor(clWhite);
                c_.FillRect(xl, slotTop(i), xr, slotBottom(i));
                c_.DrawTextBox(xl, slotTop(i), xr, slotBottom(i), label, TextAlign::CenterMiddle);
                c_.SetBrushStyle(Qt::NoBrush);
            }
        }
        c_.SetPenWidth(1);
        c_.SetPenColor(clBlack);
    }

    PrintDocument& doc_;
    PageCanvas& c_;
    PrintHost& host_;
    MonthPageGeometry g_;  // a year page moves its Left from block to block
    MonthPrintOptions o_;  // a year page without rules has no shading either
    bool year_ = false;
    ProgressWindow* progress_;
    QStringList* skipped_;
    bool periodsNoted_ = false;
    const int months_;
    int base_ = 0;
    ColorValue itemColor_ = clBlack;
};

}  // namespace

QImage ShadingTile() {
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::white);
    const QRgb silver = qRgb(0xC0, 0xC0, 0xC0);
    for (const auto& [x, y] :
         {std::pair{3, 3}, {4, 3}, {3, 4}, {4, 4}, {0, 0}, {7, 0}, {0, 7}, {7, 7}})
        tile.setPixel(x, y, silver);
    return tile;
}

QString MonthTitleText(int year, int month, int format, const QString& title) {
    const QString yearMonth = QStringLiteral("%1 年 %2 月").arg(year).arg(month);
    switch (format) {
        case 0:
            return yearMonth;
        case 2:
            return title;
        default:
            return yearMonth + title;
    }
}

void RenderMonthPages(PrintDocument& doc, PrintHost& host, const MonthPageGeometry& g,
                      const MonthPrintOptions& options, ProgressWindow* progress,
                      QStringList* skipped) {
    JobRestore restore(doc, host, progress);
    if (progress) progress->Start(kProgressText);
    MonthPainter(doc, host, g, options, progress, skipped).Run();
}

void RenderYearPage(PrintDocument& doc, PrintHost& host, const YearPageGeometry& g,
                    const MonthPrintOptions& options, bool ruled, ProgressWindow* progress) {
    JobRestore restore(doc, host, progress);
    if (progress) progress->Start(kProgressText);
    MonthPainter(doc, host, MonthPageGeometry(), options, progress, nullptr).RunYear(g, ruled);
}

DayNumberMeasurer CanvasMeasurer(PrintDocument& doc) {
    return [&doc](int height) {
        PageCanvas& c = doc.Canvas();
        const int saved = c.Font.Height;
        c.SetFontHeight(height);
        const DayNumberMeasure m{c.TextWidth(QStringLiteral("25")), c.TextHeight()};
        c.SetFontHeight(saved);
        return m;
    };
}

}  // namespace korvane
