#include "stationeryjob.h"

#include "core/prompt.h"
#include "print/engine/printdocument.h"
#include "print/engine/progresswindow.h"
#include "print/monthprintjob.h"

#include <algorithm>
#include <tuple>

namespace korvane {
namespace {

const QString kProgressText = QStringLiteral("印刷データ作成中");

// Starts the progress and the document, and closes both on every way out.
class SheetJob {
public:
    SheetJob(PrintDocument& doc, ProgressWindow* progress,
             const QString& title = QStringLiteral("書類印刷"))
        : doc_(doc), progress_(progress) {
        if (progress_) progress_->Start(kProgressText);
        step(7);
        step(25);
        doc_.BeginDoc();
        doc_.Title = title;
    }
    ~SheetJob() {
        if (std::uncaught_exceptions() > exceptions_) doc_.Discard();
        if (progress_) progress_->Finish();
    }
    SheetJob(const SheetJob&) = delete;
    SheetJob& operator=(const SheetJob&) = delete;
    void step(int percent) {
        if (progress_) progress_->Step(kProgressText, 100, percent);
    }
    void end() { doc_.EndDoc(); }

private:
    PrintDocument& doc_;
    ProgressWindow* progress_;
    const int exceptions_ = std::uncaught_exceptions();
};

// A4 portrait on the printer, or only for the recording; false when the user stops.
bool paper(PrinterSetup& setup, PrintDocument& doc, bool setPaper) {
    if (setPaper) return SetUpPaper(setup, doc, false, PaperKind::A4) != 0;
    doc.JobPaper = QPageSize(QPageSize::A4);
    doc.JobOrientation = QPageLayout::Portrait;
    doc.SetPrinterSetup(&setup);
    return true;
}

// The honorific question; true to go on.
bool honorificGiven(bool blank, const QString& upper, const QString& lower) {
    return !LacksHonorific(blank, upper, lower) ||
           Prompt::current().askYesNo(
               QStringLiteral("宛名に、敬称「様」「御中」が有りませんがこのまま印刷しますか？"),
               QStringLiteral("確認"), true);
}

}  // namespace

bool BuildNoteJob(PrintDocument& doc, PrinterSetup& setup, const NoteSection& note, int topMm,
                  int leftMm, ProgressWindow* progress, Sheet* sheetOut, bool setPaper) {
    if (!paper(setup, doc, setPaper)) return false;
    const Sheet sheet =
        ComputeNoteSheet(note, std::clamp(topMm, -100, 100), std::clamp(leftMm, -100, 100));
    if (sheetOut) *sheetOut = sheet;
    SheetJob job(doc, progress);
    RecordRules(doc.Canvas(), sheet, 0, sheet.Rules.size());
    job.end();
    return true;
}

bool BuildGraphJob(PrintDocument& doc, PrinterSetup& setup, const GraphSection& graph, int topMm,
                   int leftMm, ProgressWindow* progress, Sheet* sheetOut, bool setPaper) {
    if (!paper(setup, doc, setPaper)) return false;
    const std::optional<Sheet> sheet =
        ComputeGraphSheet(graph, std::clamp(topMm, -100, 100), std::clamp(leftMm, -100, 100));
    if (!sheet) {
        Prompt::current().message(
            QStringLiteral("「縦罫線調整」の数値が大きすぎます。\r\n設定し直して下さい。"),
            QStringLiteral("Korvane"), Prompt::Kind::Information);
        return false;
    }
    if (sheetOut) *sheetOut = *sheet;
    SheetJob job(doc, progress);
    RecordRules(doc.Canvas(), *sheet, 0, sheet->FirstColumnRule);
    job.step(34);
    RecordRules(doc.Canvas(), *sheet, sheet->FirstColumnRule, sheet->Rules.size());
    job.step(100);
    job.end();
    return true;
}

namespace {

// One letter's job: the honorific question, the paper, then the sheet worked out on the job's
// canvas and recorded with the progress half way.
template <typename Section, typename Sheet, typename Compute, typename Record>
bool buildLetter(PrintDocument& doc, PrinterSetup& setup, const Section& section,
                 const std::tuple<bool, QString, QString>& recipient, LetterPlace place,
                 ProgressWindow* progress, const QString& title, Compute compute, Record record,
                 Sheet* sheetOut) {
    const auto& [blank, upper, lower] = recipient;
    if (!honorificGiven(blank, upper, lower)) return false;
    place.TopMm = std::clamp(place.TopMm, -100, 100);
    place.LeftMm = std::clamp(place.LeftMm, -100, 100);
    if (place.Paper != PaperKind::B5) place.Paper = PaperKind::A4;
    if (SetUpPaper(setup, doc, false, place.Paper) == 0) return false;
    SheetJob job(doc, progress, title);
    const Sheet sheet = compute(section, place, CanvasTextMeasurer(doc.Canvas()));
    if (sheetOut) *sheetOut = sheet;
    record(doc.Canvas(), sheet, [&] { job.step(34); });
    job.step(100);
    job.end();
    return true;
}

}  // namespace

bool BuildCoverLetterJob(PrintDocument& doc, PrinterSetup& setup, const SoufuSection& soufu,
                         const LetterPlace& place, ProgressWindow* progress,
                         CoverLetter* letterOut) {
    return buildLetter(doc, setup, soufu, {soufu.cbAtena, soufu.edtAtena1, soufu.edtAtena2}, place,
                       progress, QStringLiteral("書類印刷（送り状）"), ComputeCoverLetter,
                       RecordCoverLetter, letterOut);
}

bool BuildFaxJob(PrintDocument& doc, PrinterSetup& setup, const FaxSection& fax,
                 const LetterPlace& place, ProgressWindow* progress, FaxSheet* sheetOut) {
    return buildLetter(doc, setup, fax, {fax.cbFAtena, fax.edtFAtena1, fax.edtFAtena2}, place,
                       progress, QStringLiteral("書類印刷（Ｆａｘ送り状）"), ComputeFaxSheet,
                       RecordFaxSheet, sheetOut);
}

}  // namespace korvane
