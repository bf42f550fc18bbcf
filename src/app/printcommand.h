#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <optional>

namespace korvane {

// "--print LAYOUT --month YYYYMM (--pdf FILE | --png FILE [--dpi N]) …": one calendar page or
// stationery sheet without a window or a printer, drawn as the print window draws it.
struct PrintRequest {
    // "MA4", "HHagaki", …; "CA4V", "CB5V" the year calendar; "NA4P", "GA4P", "Soufu", "Fax"
    QString Layout;
    bool IsYear() const { return Layout == u"CA4V" || Layout == u"CB5V"; }
    // The cover letter and the fax cover sheet.
    bool IsLetter() const { return Layout == u"Soufu" || Layout == u"Fax"; }
    // Stationery, as the print window's stationery page has it set in Printers.ini.
    bool IsSheet() const { return Layout == u"NA4P" || Layout == u"GA4P" || IsLetter(); }
    int PaperIndex = -1;  // letters: 0 A4, 1 B5; none: the stored choice
    std::int32_t Year = 0;
    int Month = 0;
    QString Pdf;
    QString Png;
    int Dpi = 300;
    std::optional<int> Lines;
    bool BlackWhite = false;
    bool Small = false;
    bool NoShade = false;
    bool Rokuyo = false;
    bool Monday = false;
    bool NoRules = false;  // the year calendar without its grid
    int TopMm = 0, LeftMm = 0;
    std::optional<QString> Title;
    QDate Today;           // invalid: today
    QStringList Switches;  // the sibling's switches, as for the agenda
};

// Parses the arguments after "--print"; answers the usage error's text, or nothing.
std::optional<QString> ParsePrintRequest(const QStringList& args, PrintRequest& request);

class PrintSystem;

// Runs the job: 0 done, 1 the page or the file could not be made, 3 a question would need an
// answer (the question goes to err). Needs a QApplication (no display). The page is drawn for
// the given printers; none: the no-printer target, which takes every paper.
int RunPrintCommand(const PrintRequest& request, const QString& programFolder,
                    const QString& settingsFolder, std::FILE* err, PrintSystem* system = nullptr);

}  // namespace korvane
