#include "printcommand.h"

#include "app/headlesscalendar.h"
#include "app/streamprompt.h"
#include "core/clock.h"
#include "core/eradate.h"
#include "print/engine/printdocument.h"
#include "print/engine/printersetup.h"
#include "print/engine/printsystem.h"
#include "print/monthprintjob.h"
#include "print/stationery/stationeryjob.h"
#include "settings/inifile.h"

#include <QRegularExpression>

#include <algorithm>

namespace korvane {
namespace {

// The finished page into the file asked for.
int finish(PrintDocument& doc, const PrintRequest& request) {
    if (!request.Pdf.isEmpty()) return doc.SaveAsPdf(request.Pdf) ? 0 : 1;
    return doc.SaveAsPng(request.Png, request.Dpi) ? 0 : 1;
}

// A stationery sheet with its settings in Printers.ini. The note's rows are counted afresh, as the
// window does when its stationery tab is shown; the graph keeps its stored counts. The letters'
// dates are today's, as the window makes them when it opens.
int printSheet(const PrintRequest& request, const QString& settingsFolder, PrintSystem* system) {
    const IniFile ini(settingsFolder + QStringLiteral("Printers.ini"));
    NoPrinterSystem noPrinter;
    PrinterSetup setup(system ? *system : noPrinter);
    PrintDocument doc;
    doc.SetPrinterSetup(&setup);
    bool built = false;
    const QDate today = request.Today.isValid() ? request.Today : Clock::current().today();
    const auto place = [&](int paperIndex) {
        const int index = request.PaperIndex >= 0 ? request.PaperIndex : paperIndex;
        return LetterPlace{index == 1 ? PaperKind::B5 : PaperKind::A4, request.TopMm,
                           request.LeftMm, today};
    };
    if (request.Layout == u"Soufu") {
        SoufuSection soufu;
        soufu.Read(ini);
        soufu.edtYMD = JapaneseEraDate(today);
        built = BuildCoverLetterJob(doc, setup, soufu, place(soufu.rgSYoushi), nullptr);
    } else if (request.Layout == u"Fax") {
        FaxSection fax;
        fax.Read(ini);
        fax.edtFYMD = JapaneseEraDate(today);
        built = BuildFaxJob(doc, setup, fax, place(fax.rgFYoushi), nullptr);
    } else if (request.Layout == u"NA4P") {
        NoteSection note;
        note.Read(ini);
        note.udGyo = std::clamp(NoteRowCount(note), 1, 99);
        built = BuildNoteJob(doc, setup, note, request.TopMm, request.LeftMm, nullptr);
    } else {
        GraphSection graph;
        graph.Read(ini);
        built = BuildGraphJob(doc, setup, graph, request.TopMm, request.LeftMm, nullptr);
    }
    return built ? finish(doc, request) : 3;
}

}  // namespace

std::optional<QString> ParsePrintRequest(const QStringList& args, PrintRequest& r) {
    const auto value = [&](qsizetype& i) -> std::optional<QString> {
        if (i + 1 >= args.size()) return std::nullopt;
        return args[++i];
    };
    static const QStringList kOthers = {"CA4V", "CB5V", "NA4P", "GA4P", "Soufu", "Fax"};
    if (args.isEmpty() || (!FindMonthLayout(args[0]) && !kOthers.contains(args[0])))
        return QStringLiteral(
            "--print の次にはレイアウト (MB5, HB5, MA4W, HA4W, MA4, HA4, MA3, "
            "HA3, HHagaki, CA4V, CB5V, NA4P, GA4P, Soufu, Fax) を指定してください。");
    r.Layout = args[0];
    bool monthGiven = false;
    static const QStringList kSheetOptions = {"--pdf", "--png", "--dpi", "--offset"};
    static const QStringList kLetterOptions = kSheetOptions + QStringList{"--paper", "--today"};
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString a = args[i];
        if (r.IsLetter() && !kLetterOptions.contains(a)) {
            return QStringLiteral(
                       "%1 には --pdf, --png, --dpi, --offset, --paper, --today だけを付けます: %2")
                .arg(r.Layout, a);
        } else if (r.IsSheet() && !r.IsLetter() && !kSheetOptions.contains(a)) {
            return QStringLiteral("%1 には --pdf, --png, --dpi, --offset だけを付けます: %2")
                .arg(r.Layout, a);
        } else if (a == u"--paper") {
            const QString paper = value(i).value_or(QString());
            if (paper != u"A4" && paper != u"B5")
                return QStringLiteral("--paper は A4 か B5 で指定してください。");
            r.PaperIndex = paper == u"B5" ? 1 : 0;
        } else if (a == u"--month") {
            static const QRegularExpression re(QStringLiteral("^([0-9]{4})(0[1-9]|1[0-2])$"));
            const QRegularExpressionMatch m = re.match(value(i).value_or(QString()));
            if (!m.hasMatch() || m.captured(1).toInt() < 1)
                return QStringLiteral("--month は YYYYMM の形で指定してください。");
            r.Year = m.captured(1).toInt();
            r.Month = m.captured(2).toInt();
            monthGiven = true;
        } else if (a == u"--pdf" || a == u"--png") {
            const std::optional<QString> file = value(i);
            if (!file || file->isEmpty())
                return QStringLiteral("%1 には出力ファイルが必要です。").arg(a);
            (a == u"--pdf" ? r.Pdf : r.Png) = *file;
        } else if (a == u"--dpi") {
            bool ok = false;
            r.Dpi = value(i).value_or(QString()).toInt(&ok);
            if (!ok || r.Dpi < 36 || r.Dpi > 1200)
                return QStringLiteral("--dpi は 36 から 1200 までの数で指定してください。");
        } else if (a == u"--lines" && r.IsYear()) {
            return QStringLiteral("年カレンダーには --lines を付けません。");
        } else if (a == u"--no-rules") {
            if (!r.IsYear())
                return QStringLiteral("--no-rules は年カレンダー (CA4V, CB5V) だけのものです。");
            r.NoRules = true;
        } else if (a == u"--lines") {
            bool ok = false;
            const int n = value(i).value_or(QString()).toInt(&ok);
            const MonthLayoutKind& kind = *FindMonthLayout(r.Layout);
            if (!ok || n < kind.MinLines || n > kind.MaxLines)
                return QStringLiteral("%1 の予定行数は %2 から %3 までです。")
                    .arg(r.Layout)
                    .arg(kind.MinLines)
                    .arg(kind.MaxLines);
            r.Lines = n;
        } else if (a == u"--offset") {
            static const QRegularExpression re(QStringLiteral("^(-?[0-9]{1,3}),(-?[0-9]{1,3})$"));
            const QRegularExpressionMatch m = re.match(value(i).value_or(QString()));
            const int top = m.captured(1).toInt(), left = m.captured(2).toInt();
            if (!m.hasMatch() || top < -100 || top > 100 || left < -100 || left > 100)
                return QStringLiteral(
                    "--offset は 上,左 (mm、-100 から 100) の形で指定してください。");
            r.TopMm = top;
            r.LeftMm = left;
        } else if (a == u"--title") {
            const std::optional<QString> title = value(i);
            if (!title) return QStringLiteral("--title にはタイトルが必要です。");
            r.Title = *title;
        } else if (a == u"--today") {
            r.Today = QDate::fromString(value(i).value_or(QString()), Qt::ISODate);
            if (!r.Today.isValid())
                return QStringLiteral("--today は YYYY-MM-DD の形で指定してください。");
        } else if (a == u"--bw") {
            r.BlackWhite = true;
        } else if (a == u"--small") {
            r.Small = true;
        } else if (a == u"--no-shade") {
            r.NoShade = true;
        } else if (a == u"--rokuyo") {
            r.Rokuyo = true;
        } else if (a == u"--monday") {
            r.Monday = true;
        } else if (a.startsWith(u"/K=") || a.startsWith(u"/D=") || a.startsWith(u"/D2=") ||
                   a.startsWith(u"/U=") || a.startsWith(u"/S=")) {
            r.Switches << a;
        } else {
            return QStringLiteral("--print に使えない引数です: %1").arg(a);
        }
    }
    if (!monthGiven && !r.IsSheet())
        return QStringLiteral("--print には --month YYYYMM が必要です。");
    // Twelve months from the given one must stay within year 9999.
    if (r.IsYear() && r.Year == 9999 && r.Month > 1)
        return QStringLiteral("年カレンダーは 9999年1月 までの月から始めてください。");
    if (r.Pdf.isEmpty() == r.Png.isEmpty())
        return QStringLiteral("--print には --pdf か --png のどちらか一つを指定してください。");
    return std::nullopt;
}

int RunPrintCommand(const PrintRequest& request, const QString& programFolder,
                    const QString& settingsFolder, std::FILE* err, PrintSystem* system) {
    NoAnswerPrompt prompt(err);
    PromptScope scope(&prompt);
    try {
        if (request.IsSheet()) return printSheet(request, settingsFolder, system);
        // Blank and year pages print no schedules: their files are not even read.
        const bool schedules = !request.IsYear() && FindMonthLayout(request.Layout)->WithData;
        HeadlessCalendar calendar(programFolder, settingsFolder, request.Switches, schedules);
        calendar.SetWeekStartsMonday(request.Monday);
        calendar.ShowMonth(request.Year, request.Month);

        NoPrinterSystem noPrinter;
        PrinterSetup setup(system ? *system : noPrinter);
        PrintDocument doc;
        doc.SetPrinterSetup(&setup);

        if (request.IsYear()) {
            YearJob year;
            year.B5 = request.Layout == u"CB5V";
            year.Small = request.Small;
            year.TopMm = request.TopMm;
            year.LeftMm = request.LeftMm;
            year.Ruled = !request.NoRules;
            year.Options.Shading = !request.NoShade;
            year.Options.Rokuyo = request.Rokuyo;
            year.Options.BlackWhite = request.BlackWhite;
            year.Options.Today = request.Today.isValid() ? request.Today : Clock::current().today();
            if (!BuildYearJob(doc, setup, calendar, year, nullptr)) return 3;
            return finish(doc, request);
        }
        MonthJob job;
        job.Kind = FindMonthLayout(request.Layout);
        job.Lines = request.Lines.value_or(job.Kind->DefaultLines);
        job.Small = request.Small;
        job.TopMm = request.TopMm;
        job.LeftMm = request.LeftMm;
        job.TopPacking = calendar.Link().Options.cbUetume;
        job.Options.Shading = !request.NoShade;
        job.Options.Rokuyo = request.Rokuyo;
        job.Options.BlackWhite = request.BlackWhite;
        if (request.Title) job.Options.TitleText = *request.Title;
        job.Options.Today = request.Today.isValid() ? request.Today : Clock::current().today();
        QStringList skipped;
        if (!BuildMonthJob(doc, setup, calendar, job, nullptr, nullptr, &skipped)) return 3;
        for (const QString& line : skipped)
            WriteText(err, QStringLiteral("korvane: 読み取れない予定を印刷しませんでした: %1\n")
                               .arg(ErrorStreamPrompt::OneLine(line)));

        return finish(doc, request);
    } catch (const QuestionAsked&) {
        return 3;
    } catch (const std::exception& e) {
        WriteText(err, QStringLiteral("korvane: 印刷がうまくできませんでした。 (%1)\n")
                           .arg(QString::fromLocal8Bit(e.what())));
        return 1;
    }
}

}  // namespace korvane
