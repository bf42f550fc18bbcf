#include "monthprintjob.h"

#include "core/prompt.h"
#include "print/engine/printdocument.h"
#include "print/engine/printersetup.h"

#include <QPageSize>

#include <algorithm>

namespace korvane {
namespace {

const QString kCaption = QStringLiteral("確認 -Korvane-");

QPageSize pageSizeOf(PaperKind paper) {
    return QPageSize(QPageSize::id(InfoOf(paper).WindowsNumber));
}

// "少し小さく印刷": 95 % of the paper's scale.
int JobScale(int factor, bool small) { return small ? factor * 95 / 100 : factor; }

}  // namespace

int SetUpPaper(PrinterSetup& setup, PrintDocument& doc, bool landscape, PaperKind paper,
               bool yearCalendar) {
    Prompt& prompt = Prompt::current();
    bool failed = false;
    if (!setup.SetOrientation(landscape ? 1 : 0)) {
        prompt.message(landscape ? QStringLiteral("印刷方向を横に設定できませんでした。\r\n"
                                                  "手動での設定をお願いいたします。")
                                 : QStringLiteral("印刷方向を縦に設定できませんでした。\r\n"
                                                  "手動での設定をお願いいたします。"),
                       kCaption, Prompt::Kind::Information);
        failed = true;
    }
    const PaperKindInfo& info = InfoOf(paper);
    int factor = info.Factor;
    if (!setup.SetPaperNumber(info.WindowsNumber)) {
        prompt.message(
            (yearCalendar ? QStringLiteral("用紙サイズを%1に設定できませんでした。\r\n"
                                           "手動での設定をお願いいたします。")
                          : QStringLiteral("用紙サイズを「%1」に設定できませんでした。\r\n"
                                           "手動での設定をお願いいたします。"))
                .arg(QString::fromUtf16(info.Name)),
            kCaption, Prompt::Kind::Information);
        failed = true;
    }
    if (failed && !setup.SetupDialog() &&
        prompt.askYesNo(QStringLiteral("印刷を中止しますか？"), kCaption))
        factor = 0;
    doc.JobPaper = pageSizeOf(paper);
    doc.JobOrientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    doc.SetPrinterSetup(&setup);
    return factor;
}

MonthPageGeometry MonthJobGeometry(PrintDocument& doc, const MonthJob& job, int scale) {
    const MonthLayoutKind& kind = *job.Kind;
    // Measured against the printer, on the canvas of a started document.
    doc.BeginDoc();
    const MonthPageGeometry g = ComputeMonthPageGeometry(
        kind.Portrait ? kPortraitBase : kLandscapeBase, scale, ClampLines(kind, job.Lines),
        kind.FontPercent, kind.Paper == PaperKind::Postcard, std::clamp(job.TopMm, -100, 100),
        std::clamp(job.LeftMm, -100, 100), CanvasMeasurer(doc));
    doc.EndDoc();
    return g;
}

bool BuildMonthJob(PrintDocument& doc, PrinterSetup& setup, PrintHost& host, const MonthJob& job,
                   ProgressWindow* progress, MonthPageGeometry* geometryOut, QStringList* skipped) {
    const MonthLayoutKind& kind = *job.Kind;
    const int factor = SetUpPaper(setup, doc, !kind.Portrait, kind.Paper);
    const int scale = JobScale(factor, job.Small);
    if (scale == 0) return false;
    const MonthPageGeometry g = MonthJobGeometry(doc, job, scale);
    if (geometryOut) *geometryOut = g;

    MonthPrintOptions o = job.Options;
    o.Holidays = job.Holidays;
    o.Anniversaries = kind.WithData && job.Anniversaries;
    o.Schedules = kind.WithData && job.Schedules;
    o.TopPacking = kind.WithData && job.TopPacking;
    o.B5 = kind.B5Flag;
    o.TwoMonths = kind.TwoMonths;
    RenderMonthPages(doc, host, g, o, progress, skipped);
    return true;
}

bool BuildYearJob(PrintDocument& doc, PrinterSetup& setup, PrintHost& host, const YearJob& job,
                  ProgressWindow* progress, YearPageGeometry* geometryOut) {
    const PaperKind paper = job.B5 ? PaperKind::B5 : PaperKind::A4;
    const int factor = SetUpPaper(setup, doc, false, paper, true);
    const int scale = JobScale(factor, job.Small);
    if (scale == 0) return false;
    const YearPageGeometry g = ComputeYearPageGeometry(scale, std::clamp(job.TopMm, -100, 100),
                                                       std::clamp(job.LeftMm, -100, 100));
    if (geometryOut) *geometryOut = g;
    MonthPrintOptions o = job.Options;
    o.Holidays = job.Holidays;
    o.Anniversaries = o.Schedules = o.TopPacking = o.Title = o.B5 = o.TwoMonths = false;
    RenderYearPage(doc, host, g, o, job.Ruled, progress);
    return true;
}

}  // namespace korvane
