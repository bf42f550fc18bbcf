#pragma once

#include "print/stationery/letters.h"

namespace korvane {

class PrintDocument;
class PrinterSetup;
class ProgressWindow;

// One press of a stationery print button: A4 portrait set up on the printer, the sheet worked out
// and recorded in the document, titled "書類印刷". False when nothing was recorded: the user
// stopped at the paper question, or (graph paper) the rule adjustment left no width, which is
// said. Throws what the recording throws; the progress window closes either way. Without
// setPaper the printer is left as it stands (the window's hidden print buttons).
bool BuildNoteJob(PrintDocument& doc, PrinterSetup& setup, const NoteSection& note, int topMm,
                  int leftMm, ProgressWindow* progress, Sheet* sheetOut = nullptr,
                  bool setPaper = true);
bool BuildGraphJob(PrintDocument& doc, PrinterSetup& setup, const GraphSection& graph, int topMm,
                   int leftMm, ProgressWindow* progress, Sheet* sheetOut = nullptr,
                   bool setPaper = true);

// The cover letter and the fax cover sheet on A4 or B5 as their section says. A recipient without
// an honorific is asked about first; No, or a stop at the paper question, records nothing.
bool BuildCoverLetterJob(PrintDocument& doc, PrinterSetup& setup, const SoufuSection& soufu,
                         const LetterPlace& place, ProgressWindow* progress,
                         CoverLetter* letterOut = nullptr);
bool BuildFaxJob(PrintDocument& doc, PrinterSetup& setup, const FaxSection& fax,
                 const LetterPlace& place, ProgressWindow* progress, FaxSheet* sheetOut = nullptr);

}  // namespace korvane
