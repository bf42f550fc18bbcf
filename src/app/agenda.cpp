#include "agenda.h"

#include "app/headlesscalendar.h"
#include "app/streamprompt.h"
#include "calendar/daynumber.h"
#include "calendar/lunisolar.h"
#include "calendar/monthgrid.h"
#include "core/prompt.h"

#include <cerrno>
#include <cstring>

namespace korvane {
namespace {

QString slotLine(const MonthGrid& grid, int cell, int slot) {
    const MonthLayout& layout = grid.Layout();
    const ItemSlot& s = layout.Slot(cell, slot);
    if (s.isPeriod()) {
        return QStringLiteral("[period] ") + ErrorStreamPrompt::OneLine(RecordField(
                                                 SplitRecord(layout.PeriodList[s.Record]), 13));
    }
    const ItemText& item = layout.ItemAt(cell, slot);
    QString marks;
    if (item.Bold) marks += QStringLiteral("[bold] ");
    if (item.Strike) marks += QStringLiteral("[strike] ");
    return marks + ErrorStreamPrompt::OneLine(item.Text);
}

}  // namespace

int WriteAgenda(const AgendaRequest& request, const QString& programFolder,
                const QString& settingsFolder, std::FILE* out, std::FILE* err) {
    ErrorStreamPrompt prompt(err);
    PromptScope scope(&prompt);

    HeadlessCalendar calendar(programFolder, settingsFolder, request.Switches);
    calendar.ShowMonth(request.Year, request.Month);
    MonthGrid& grid = calendar.ShownGrid();
    grid.LayoutItems(grid.ItemGyo(), calendar.Link().Options.cbUetume);

    const std::int32_t firstCell = grid.Layout().FirstCellDay();
    const std::int32_t first = EncodeDayNumber(request.Year, std::uint8_t(request.Month), 1);
    const int lines = grid.ItemGyo();
    QString text;
    for (std::int32_t jd = first;; ++jd) {
        const Ymd d = DecodeYmd(jd);
        if (d.m != request.Month) break;
        const std::uint8_t rokuyo = RokuyoOf(jd);
        text += QStringLiteral("%1-%2-%3\t%4\t")
                    .arg(d.y, 4, 10, QChar(u'0'))
                    .arg(d.m, 2, 10, QChar(u'0'))
                    .arg(d.d, 2, 10, QChar(u'0'))
                    .arg(grid.GetDayKind(d.y, d.m, d.d)) +
                ErrorStreamPrompt::OneLine(grid.GetDayNames(d.y, d.m, d.d)) + u'\t' +
                (rokuyo ? RokuyoNames[rokuyo] : QString()) + u'\n';
        const int cell = int(jd - firstCell);
        if (cell < 0 || cell >= MonthLayout::kCells) continue;
        for (int slot = 0; slot < lines; ++slot)
            if (!grid.Layout().Slot(cell, slot).isFree())
                text += u'\t' + slotLine(grid, cell, slot) + u'\n';
        // The extra slot taken means the cell holds more than it can show.
        if (!grid.Layout().Slot(cell, lines).isFree()) text += QStringLiteral("\t[more]\n");
    }
    const QByteArray bytes = text.toUtf8();
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out) !=
            std::size_t(bytes.size()) ||
        std::fflush(out) != 0 || std::ferror(out)) {
        const int code = errno;
        WriteText(err, QStringLiteral("korvane: 出力に書き込めません: %1\n")
                           .arg(QString::fromLocal8Bit(std::strerror(code))));
        return 1;
    }
    return 0;
}

}  // namespace korvane
