#pragma once

#include "print/monthpagegeometry.h"
#include "print/monthpagerenderer.h"

namespace korvane {

class PrintDocument;
class PrintHost;
class PrinterSetup;
class ProgressWindow;

// Puts the orientation and paper on the printer for a job. What the printer refuses is said,
// the set-up dialog offered, and a cancelled dialog asks whether to stop. Answers the paper's
// scale in 1/100000, or 0 when the user stops. The document is recorded on the asked paper in
// any case, so a page never lands on another paper unnoticed.
// The year calendar names the paper without brackets in its message.
int SetUpPaper(PrinterSetup& setup, PrintDocument& doc, bool landscape, PaperKind paper,
               bool yearCalendar = false);

// One press of a monthly layout button, with the window's settings.
struct MonthJob {
    const MonthLayoutKind* Kind = nullptr;
    int Lines = 5;       // clamped to the layout's range
    bool Small = false;  // 少し小さく印刷
    int TopMm = 0;       // 印刷位置調整, −100 to 100
    int LeftMm = 0;
    // The window's check boxes; which of them the layout uses is decided here.
    bool Holidays = true, Anniversaries = true, Schedules = true, TopPacking = false;
    MonthPrintOptions Options;
};

// Paper, scale, geometry (measured on the document's canvas), options, pages: the document holds
// the finished job when this answers true; false when the user stopped at the paper question.
// Throws what the page building throws; the host and grid are put back either way.
bool BuildMonthJob(PrintDocument& doc, PrinterSetup& setup, PrintHost& host, const MonthJob& job,
                   ProgressWindow* progress, MonthPageGeometry* geometryOut = nullptr,
                   QStringList* skipped = nullptr);

// One press of a year calendar button.
struct YearJob {
    bool B5 = false;
    bool Small = false;
    int TopMm = 0, LeftMm = 0;
    bool Ruled = true;  // 罫線
    bool Holidays = true;
    MonthPrintOptions Options;
};

// Portrait A4 or B5, twelve months from the host's; false when the user stopped at the paper.
bool BuildYearJob(PrintDocument& doc, PrinterSetup& setup, PrintHost& host, const YearJob& job,
                  ProgressWindow* progress, YearPageGeometry* geometryOut = nullptr);

// The geometry a job gets, without drawing (the document's canvas measures the day numbers).
MonthPageGeometry MonthJobGeometry(PrintDocument& doc, const MonthJob& job, int scale);

}  // namespace korvane
