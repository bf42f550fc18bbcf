#pragma once

#include <QByteArray>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace korvane {

// Korvane's own printer record, what Windows kept as the driver's device-mode copy: everything
// a job needs besides the pages. It travels through the settings as bytes.
struct PrinterSettings {
    QString Printer;
    QPageSize PageSize{QPageSize::A4};
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    bool Duplex = false;
    bool Colour = true;
    QString Source;      // paper source; empty is the printer's own choice
    int Resolution = 0;  // dots per inch; 0 is the printer's default

    QByteArray Serialise() const;
    // Nothing for bytes Korvane did not write, such as a Windows record from a migrated file.
    static std::optional<PrinterSettings> Parse(const QByteArray& bytes);
};

struct PrintJob {
    QString Printer;
    QString PdfPath;  // the pages, ready as PDF
    QString Title;    // the job name
    PrinterSettings Settings;
};

struct SubmitResult {
    bool Ok = false;
    QString Error;  // the print system's own words when a job is refused
    int JobId = 0;
};

// The printers of the machine: what they offer and how a finished document reaches them.
class PrintSystem {
public:
    virtual ~PrintSystem() = default;
    // Installed printers in the system's order.
    virtual QStringList Printers() const = 0;
    virtual QString DefaultPrinter() const = 0;
    // The printer's own settings, before the user changes anything.
    virtual PrinterSettings Defaults(const QString& printer) const = 0;
    // Papers in the printer's order, with the names it gives them.
    virtual QList<QPageSize> PageSizes(const QString& printer) const = 0;
    virtual bool CustomSizes(const QString& printer) const = 0;
    // The edges the printer cannot reach, in millimetres, on that paper turned that way.
    virtual QMarginsF Margins(const QString& printer, const QPageSize& paper,
                              QPageLayout::Orientation orientation) const = 0;
    virtual int DefaultResolution(const QString& printer) const = 0;
    virtual QStringList PaperSources(const QString& printer) const = 0;
    virtual SubmitResult Submit(const PrintJob& job) = 0;
};

// A machine without printers: nothing to list; a job is refused.
class NoPrinterSystem : public PrintSystem {
public:
    QStringList Printers() const override { return {}; }
    QString DefaultPrinter() const override { return {}; }
    PrinterSettings Defaults(const QString&) const override { return {}; }
    QList<QPageSize> PageSizes(const QString&) const override { return {}; }
    bool CustomSizes(const QString&) const override { return false; }
    QMarginsF Margins(const QString&, const QPageSize&, QPageLayout::Orientation) const override {
        return {};
    }
    int DefaultResolution(const QString&) const override { return 300; }
    QStringList PaperSources(const QString&) const override { return {}; }
    SubmitResult Submit(const PrintJob&) override;
};

// Whether the printer offers the paper, by size (the names differ between systems).
bool OffersPaper(const PrintSystem& system, const QString& printer, const QPageSize& paper);

}  // namespace korvane
