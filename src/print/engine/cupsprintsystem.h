#pragma once

#include "print/engine/printsystem.h"

namespace korvane {

// The machine's printers as CUPS lists them, through Qt Print Support; jobs go to CUPS as PDF
// with libcups, so a refused job comes back as an error. Follows CUPS_SERVER like every client.
class CupsPrintSystem : public PrintSystem {
public:
    QStringList Printers() const override;
    QString DefaultPrinter() const override;
    PrinterSettings Defaults(const QString& printer) const override;
    QList<QPageSize> PageSizes(const QString& printer) const override;
    bool CustomSizes(const QString& printer) const override;
    QMarginsF Margins(const QString& printer, const QPageSize& paper,
                      QPageLayout::Orientation orientation) const override;
    int DefaultResolution(const QString& printer) const override;
    QStringList PaperSources(const QString& printer) const override;
    SubmitResult Submit(const PrintJob& job) override;
};

// The CUPS media name for a paper on that printer: the printer's own name for it, else a
// custom size in millimetres.
QString CupsMediaName(const QList<QPageSize>& offered, const QPageSize& paper);

// A printer's resolution in dots per inch; IPP printers may give it per centimetre.
int DotsPerInch(int value, bool perCentimetre);

}  // namespace korvane
