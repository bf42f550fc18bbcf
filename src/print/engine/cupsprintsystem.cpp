#include "cupsprintsystem.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

#include <cmath>
#include <memory>

namespace korvane {
namespace {

struct DestFree {
    void operator()(cups_dest_t* d) const { cupsFreeDests(1, d); }
};
struct DestInfoFree {
    void operator()(cups_dinfo_t* i) const { cupsFreeDestInfo(i); }
};

// cupsAddOption reallocates the array it is given, so the owner holds the count as well.
class CupsOptions {
public:
    ~CupsOptions() { cupsFreeOptions(count_, options_); }
    void add(const char* name, const QString& value) {
        count_ = cupsAddOption(name, value.toUtf8().constData(), count_, &options_);
    }
    int count() const { return count_; }
    cups_option_t* data() const { return options_; }

private:
    int count_ = 0;
    cups_option_t* options_ = nullptr;
};

}  // namespace

QString CupsMediaName(const QList<QPageSize>& offered, const QPageSize& paper) {
    for (const QPageSize& p : offered)
        if (p.isEquivalentTo(paper)) return p.key();
    const QSizeF mm = paper.size(QPageSize::Millimeter);
    return QStringLiteral("Custom.%1x%2mm").arg(mm.width()).arg(mm.height());
}

int DotsPerInch(int value, bool perCentimetre) {
    return perCentimetre ? int(std::lround(value * 2.54)) : value;
}

QStringList CupsPrintSystem::Printers() const { return QPrinterInfo::availablePrinterNames(); }

QString CupsPrintSystem::DefaultPrinter() const { return QPrinterInfo::defaultPrinterName(); }

PrinterSettings CupsPrintSystem::Defaults(const QString& printer) const {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    PrinterSettings s;
    s.Printer = printer;
    if (info.defaultPageSize().isValid()) s.PageSize = info.defaultPageSize();
    s.Duplex = info.defaultDuplexMode() != QPrinter::DuplexNone &&
               info.defaultDuplexMode() != QPrinter::DuplexAuto;
    s.Colour = info.defaultColorMode() != QPrinter::GrayScale;
    return s;
}

QList<QPageSize> CupsPrintSystem::PageSizes(const QString& printer) const {
    return QPrinterInfo::printerInfo(printer).supportedPageSizes();
}

bool CupsPrintSystem::CustomSizes(const QString& printer) const {
    return QPrinterInfo::printerInfo(printer).supportsCustomPageSizes();
}

QMarginsF CupsPrintSystem::Margins(const QString& printer, const QPageSize& paper,
                                   QPageLayout::Orientation orientation) const {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (info.isNull()) return {};
    QPrinter device(info, QPrinter::HighResolution);
    // A whole layout with zero margins would be refused as below the printer's minimum and the
    // default paper's margins kept; the paper alone takes its own.
    device.setPageSize(paper);
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF m = layout.minimumMargins();
    // Qt gives the sheet's edges as it is fed. The job asks for IPP landscape, the page turned
    // a quarter anticlockwise onto the sheet: its top lies on the sheet's left edge.
    return orientation == QPageLayout::Landscape
               ? QMarginsF(m.bottom(), m.left(), m.top(), m.right())
               : m;
}

namespace {

// A printer's destination and what CUPS knows of it; empty when it is not there.
struct DestInfo {
    std::unique_ptr<cups_dest_t, DestFree> dest;
    std::unique_ptr<cups_dinfo_t, DestInfoFree> info;
    explicit DestInfo(const QString& printer)
        : dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.toUtf8().constData(), nullptr)),
          info(dest ? cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()) : nullptr) {}
    explicit operator bool() const { return bool(info); }
};

}  // namespace

int CupsPrintSystem::DefaultResolution(const QString& printer) const {
    // Qt's engine reports its own drawing resolution (1200), not the printer's.
    constexpr int kUnknown = 300;
    const DestInfo d(printer);
    if (!d) return kUnknown;
    ipp_attribute_t* attr =
        cupsFindDestDefault(CUPS_HTTP_DEFAULT, d.dest.get(), d.info.get(), "printer-resolution");
    if (!attr || ippGetValueTag(attr) != IPP_TAG_RESOLUTION) return kUnknown;
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x = ippGetResolution(attr, 0, &y, &units);
    return DotsPerInch(x, units == IPP_RES_PER_CM);
}

QStringList CupsPrintSystem::PaperSources(const QString& printer) const {
    QStringList sources;
    const DestInfo d(printer);
    if (!d) return sources;
    ipp_attribute_t* attr =
        cupsFindDestSupported(CUPS_HTTP_DEFAULT, d.dest.get(), d.info.get(), "media-source");
    for (int i = 0; attr && i < ippGetCount(attr); ++i)
        if (const char* v = ippGetString(attr, i, nullptr)) sources << QString::fromUtf8(v);
    return sources;
}

SubmitResult CupsPrintSystem::Submit(const PrintJob& job) {
    const PrinterSettings& s = job.Settings;
    const bool landscape = s.Orientation == QPageLayout::Landscape;
    CupsOptions options;
    options.add("media", CupsMediaName(PageSizes(job.Printer), s.PageSize));
    // The pages already have the paper's shape; this tells the filters how the sheet lies.
    options.add("orientation-requested", landscape ? QStringLiteral("4") : QStringLiteral("3"));
    // The pages are the paper's size already: never fitted or shrunk by a filter.
    options.add("print-scaling", QStringLiteral("none"));
    options.add("sides", !s.Duplex   ? QStringLiteral("one-sided")
                         : landscape ? QStringLiteral("two-sided-short-edge")
                                     : QStringLiteral("two-sided-long-edge"));
    if (!s.Colour) options.add("print-color-mode", QStringLiteral("monochrome"));
    if (!s.Source.isEmpty()) options.add("media-source", s.Source);
    if (s.Resolution > 0) options.add("Resolution", QStringLiteral("%1dpi").arg(s.Resolution));
    const int id = cupsPrintFile2(CUPS_HTTP_DEFAULT, job.Printer.toUtf8().constData(),
                                  job.PdfPath.toLocal8Bit().constData(),
                                  job.Title.toUtf8().constData(), options.count(), options.data());
    if (id == 0) return {false, QString::fromUtf8(cupsLastErrorString()), 0};
    return {true, {}, id};
}

}  // namespace korvane
