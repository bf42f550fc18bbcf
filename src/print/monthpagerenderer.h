#pragma once

#include "print/monthpagegeometry.h"

#include <QDate>
#include <QImage>
#include <QString>
#include <QStringList>

namespace korvane {

class PrintDocument;
class PrintHost;
class ProgressWindow;

// What a month page job takes from the print window besides its geometry.
struct MonthPrintOptions {
    // Captured from the check boxes when the job starts.
    bool Holidays = true;
    bool Anniversaries = true;
    bool Schedules = true;
    bool TopPacking = false;
    bool Shading = true;
    bool Rokuyo = false;

    bool Title = true;
    int TitleFormat = 1;  // 0 year and month, 1 with the title text, 2 the title text alone
    QString TitleText = QStringLiteral("予定表");
    bool CreationDate = true;
    QDate Today;
    bool BlackWhite = false;
    bool Mincho = false;  // schedule and label faces
    bool B5 = false;      // solid shading
    bool TwoMonths = false;
};

// The weekday-row shading: white with 2 × 2 silver dots, staggered when tiled.
QImage ShadingTile();

// "%d 年 %d 月", followed by or replaced with the title text as the format says.
QString MonthTitleText(int year, int month, int format, const QString& title);

// Draws the month the host shows (and the next one on a two-month page) into the document, from
// BeginDoc to EndDoc. The host's month, the grid's redrawing and the progress window are put back
// on every exit, exceptions included. Schedule lines that cannot be read (no day, no text) are
// left off the page and, where skipped is given, listed there with their date and line number.
void RenderMonthPages(PrintDocument& doc, PrintHost& host, const MonthPageGeometry& g,
                      const MonthPrintOptions& options, ProgressWindow* progress,
                      QStringList* skipped = nullptr);

// The year calendar: twelve months from the one the host shows, with holidays only; ruled adds
// each block's frame, lines and shading. The host goes back to its month afterwards.
void RenderYearPage(PrintDocument& doc, PrintHost& host, const YearPageGeometry& g,
                    const MonthPrintOptions& options, bool ruled, ProgressWindow* progress);

// The day-number measures of the geometry, taken on the document's canvas in its current face.
DayNumberMeasurer CanvasMeasurer(PrintDocument& doc);

}  // namespace korvane
