#pragma once

#include "print/engine/pagegeometry.h"
#include "print/engine/pagerecording.h"

#include <QString>

#include <functional>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

namespace korvane {

class PrinterSetup;

enum ZoomMode { ztWholePage, ztPageWidth, ztOther };


// The page document every print job passes through: renderers draw each page on a canvas in
// 0.1 mm from the paper's top-left corner; the recorded pages are then previewed or printed, for
// all pages or a range, as often as wanted.
// The holes and tear lines of continuous paper, shown on the preview's paper when the printer
// feeds from a tractor.
PageRecording TractorFeedMarks(const QSize& pageSize);

class PrintDocument {
public:
    PrintDocument() = default;
    PrintDocument(const PrintDocument&) = delete;
    PrintDocument& operator=(const PrintDocument&) = delete;

    int LeftMargin = 35, TopMargin = 35, RightMargin = 49, BottomMargin = 49;
    int HeaderMargin = 0, FooterMargin = 0;
    QString Title = QStringLiteral("印刷プレビュー");
    ColorValue PaperColor = clWhite;
    bool ViewClip = true;
    int PrintOffsetX = 0, PrintOffsetY = 0;
    ZoomMode ZoomType = ztWholePage;
    bool InversePrint = false;
    // The print range; 0 is not set.
    int FirstPage = 0, LastPage = 0;

    // Called with the page number after each printed page.
    std::function<void(int page)> OnPrint;
    // Draws on the preview's paper, never printed.
    std::function<void(int page, PageCanvas& canvas)> OnNoPrintDraw;

    // The printer and paper the document records for and prints on; null: none bound, the
    // geometry is then whatever SetGeometry gave.
    void SetPrinterSetup(PrinterSetup* setup);
    PrinterSetup* BoundPrinterSetup() const { return setup_; }

    // The geometry the next document is recorded for.
    const PageGeometry& Geometry() const { return geometry_; }
    void SetGeometry(const PageGeometry& g) { geometry_ = g; }
    // The geometry the built pages were recorded for; they keep it whatever prints them.
    const PageGeometry& RecordedGeometry() const { return recorded_; }

    int PageCount() const { return pageCount_; }
    void SetPageCount(int n) {
        if (n >= 1) pageCount_ = n;
    }
    bool IsBuilt() const { return built_; }
    int CurrentPage() const { return current_; }

    void BeginDoc();
    void NewPage();
    void EndDoc();
    PageCanvas& Canvas() { return canvas_; }
    const PageRecording& Page(int n) const;

    // Page n (clamped to the document) for display: the paper colour, the no-print drawing, then
    // the page, into target (device coordinates of the whole paper).
    void DrawPreviewPage(int n, QPainter& painter, const QRectF& target) const;
    // Page n as it goes to paper: moved by the print offset, turned by 180 degrees with
    // InversePrint, clipped to the printable area when ViewClip.
    void DrawPrintPage(int n, QPainter& painter, const QRectF& target) const;
    // Replays the print range onto the device, on the recorded paper from its corner, 0.1 mm by
    // the device's resolution alone. False, after saying why, when nothing has been built or
    // the range holds no page.
    bool Render(QPagedPaintDevice& device);
    // The print range as a PDF file, written whole or not at all; the title is the PDF's.
    bool SaveAsPdf(const QString& path);
    // Sends the print range to the bound printer as one job on the recorded paper. False,
    // after saying why, when there is no printer, the printer lacks the paper or refuses the job.
    bool Print();
    // The pages a job covers: the range ordered and cut to the document; first > second when
    // the range starts past the last page.
    std::pair<int, int> PrintRange() const;

private:
    // Makes the bound printer current and takes its geometry.
    void preparePrinter();
    bool checkBuilt();
    bool checkRange();
    bool writePdf(QIODevice& out);

    PrinterSetup* setup_ = nullptr;
    PageGeometry geometry_;
    PageGeometry recorded_;
    std::vector<PageRecording> pages_;
    PageRecording working_;
    PageCanvas canvas_{working_};
    int pageCount_ = 1;
    int current_ = 1;
    bool built_ = false;
};

}  // namespace korvane
