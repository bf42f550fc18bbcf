#include "agenda.h"

#include "app/mainsettings.h"
#include "app/siblinglink.h"
#include "calendar/daynumber.h"
#include "calendar/lunisolar.h"
#include "calendar/monthgrid.h"
#include "core/prompt.h"
#include "core/scopedflag.h"
#include "settings/inifile.h"

#include <cerrno>
#include <cstring>

namespace korvane {
namespace {

void write(std::FILE* f, const QString& s) {
    const QByteArray b = s.toUtf8();
    std::fwrite(b.constData(), 1, std::size_t(b.size()), f);
}

// What the reading would say in a message box goes to standard error, one line each.
class ErrorStreamPrompt : public Prompt {
public:
    explicit ErrorStreamPrompt(std::FILE* err) : err_(err) {}
    void message(const QString& text, const QString&, Kind) override {
        write(err_, QStringLiteral("korvane: %1\n").arg(oneLine(text)));
    }
    bool askYesNo(const QString& text, const QString& caption, bool) override {
        message(text, caption, Kind::Question);
        return false;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString folderName(const QString&, const QString&) override { return {}; }

    static QString oneLine(QString text) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        for (QChar& c : text)
            if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
        return text;
    }

private:
    std::FILE* err_;
};

class PromptScope {
public:
    explicit PromptScope(Prompt* p) : previous_(Prompt::install(p)) {}
    ~PromptScope() { Prompt::install(previous_); }
    PromptScope(const PromptScope&) = delete;
    PromptScope& operator=(const PromptScope&) = delete;

private:
    Prompt* previous_;
};

QString slotLine(const MonthGrid& grid, int cell, int slot) {
    const MonthLayout& layout = grid.Layout();
    const ItemSlot& s = layout.Slot(cell, slot);
    if (s.isPeriod()) {
        return QStringLiteral("[period] ") +
               ErrorStreamPrompt::oneLine(RecordField(SplitRecord(layout.PeriodList[s.Record]), 13));
    }
    const ItemText& item = layout.ItemAt(cell, slot);
    QString marks;
    if (item.Bold) marks += QStringLiteral("[bold] ");
    if (item.Strike) marks += QStringLiteral("[strike] ");
    return marks + ErrorStreamPrompt::oneLine(item.Text);
}

}  // namespace

int WriteAgenda(const AgendaRequest& request, const QString& programFolder,
                const QString& settingsFolder, std::FILE* out, std::FILE* err) {
    ErrorStreamPrompt prompt(err);
    PromptScope scope(&prompt);

    SiblingLink link(programFolder);
    link.LoadOptions(settingsFolder + QStringLiteral("Printers.ini"));
    link.Resolve(request.Switches);
    KorvaneIni settings;
    settings.Read(IniFile(settingsFolder + QString::fromLatin1(KorvaneIni::kFileName)));

    MonthGrid grid;
    {
        const ScopedFlag suspended(grid.Suspended);
        ApplyMainWindowLayout(grid, false);
        link.LoadRuleFiles(grid);
        grid.SetTabMojiSuu(std::uint8_t(link.TabMojiSuu));
        grid.SetTabChousei(std::uint8_t(link.TabChousei));
        grid.SetUeTume(link.Options.cbUetume);
        grid.SetFirstDayOfWeek(settings.Settei.rgStYoubi == 1 ? dowMon : dowSun);
        // The shown month on page 1 between its neighbours, as the window holds them.
        for (int i = 0; i < 3; ++i) {
            std::int32_t y = request.Year;
            int m = request.Month + i - 1;
            MonthGrid::NormalizeMonth(y, m);
            if (y >= 1 && y <= 9999) link.LoadMonthSlot(grid.MonthPages()[std::size_t(i)], y, m);
        }
        link.LoadPeriodFile(grid.PeriodList());
        grid.CurrentPage() = 1;
        grid.GoToDate(request.Year, request.Month, 1);
    }
    grid.LayoutItems(grid.ItemGyo(), link.Options.cbUetume);

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
                ErrorStreamPrompt::oneLine(grid.GetDayNames(d.y, d.m, d.d)) + u'\t' +
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
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out) != std::size_t(bytes.size()) ||
        std::fflush(out) != 0 || std::ferror(out)) {
        const int code = errno;
        write(err, QStringLiteral("korvane: 出力に書き込めません: %1\n")
                       .arg(QString::fromLocal8Bit(std::strerror(code))));
        return 1;
    }
    return 0;
}

}  // namespace korvane
