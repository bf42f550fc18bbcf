#pragma once

#include "print/engine/pagerecording.h"

#include <QString>

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace korvane {

enum ZoomMode { ztWholePage, ztPageWidth, ztOther };

// The page geometry in 0.1 mm: the paper and its printable area.
struct PageGeometry {
    int PageWidth = 2100;
    int PageHeight = 2970;
    QRect Printable{0, 0, 2100, 2970};
};

// The page document every print job passes through: renderers draw each page on a canvas in
// 0.1 mm from the paper's top-left corner; the recorded pages are then previewed or printed, for
// all pages or a range, as often as wanted.
class PrintDocument {
public:
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

    const PageGeometry& Geometry() const { return geometry_; }
    void SetGeometry(const PageGeometry& g) { geometry_ = g; }

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
    // Prints the print range onto the device; false (with the document's message) when nothing
    // has been built.
    bool Print(QPagedPaintDevice& device);
    // The pages Print covers: the range ordered and cut to the document.
    std::pair<int, int> PrintRange() const;

private:
    PageGeometry geometry_;
    std::vector<PageRecording> pages_;
    PageRecording working_;
    PageCanvas canvas_{working_};
    int pageCount_ = 1;
    int current_ = 1;
    bool built_ = false;
};

}  // namespace korvane
