#pragma once

#include "print/engine/pagegeometry.h"
#include "print/engine/pagerecording.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace korvane {

class PrinterSetup;
class PreviewWindow;
class ProgressWindow;

// Where the preview keeps its things: the ".plv" file of the printer choice beside the program,
// and its place on the screen in Printers.ini of the settings folder (none when empty).
struct PreviewPlaces {
    QString ProgramFolder;
    QString ProgramName = QStringLiteral("korvane");
    QString SettingsFolder;
};

enum ZoomMode { ztWholePage, ztPageWidth, ztOther };

// How the preview window is placed when it opens.
enum PreviewWindowState { fwNormal, fwMaximized, fwMinimized, fwWorkArea, fwFullScreen };

// The preview window's buttons a document asks for.
enum PreviewButton {
    boPrintBtn = 1 << 0,
    boPrinterSetBtn = 1 << 1,
    boFirstPageBtn = 1 << 2,
    boPriorPageBtn = 1 << 3,
    boNextPageBtn = 1 << 4,
    boLastPageBtn = 1 << 5,
    boZoomDownBtn = 1 << 6,
    boZoomUpBtn = 1 << 7,
    boPageWholeBtn = 1 << 8,
    boPageWidthBtn = 1 << 9,
    boCloseBtn = 1 << 10,
    boAllButtons = (1 << 11) - 1
};

// The page document every print job passes through: renderers draw each page on a canvas in
// 0.1 mm from the paper's top-left corner; the recorded pages are then previewed or printed, for
// all pages or a range, as often as wanted.
// The holes and tear lines of continuous paper, shown on the preview's paper when the printer
// feeds from a tractor.
PageRecording TractorFeedMarks(const QSize& pageSize);

class PrintDocument : public QObject {
    Q_OBJECT

public:
    PrintDocument() = default;
    ~PrintDocument() override;
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
    // A job's own paper: the pages are recorded on it whatever the printer holds, so printing
    // puts them on that paper or says it cannot. Unset: the printer's paper.
    std::optional<QPageSize> JobPaper;
    QPageLayout::Orientation JobOrientation = QPageLayout::Portrait;
    // The print range; 0 is not set.
    int FirstPage = 0, LastPage = 0;

    // The preview window: its buttons, bars, the second status panel, dragging and shadow.
    int BtnOptions = boAllButtons & ~boPrinterSetBtn;
    bool FormIconBar = true;
    bool FormStatusBar = true;
    QString StatusBarText;
    bool ImageDrag = true;
    bool ImageShade = true;
    ColorValue FormColor = clBtnFace;  // around the page
    PreviewWindowState FormWindowState = fwNormal;
    bool FormCanResize = true;
    PreviewPlaces Places;
    // Shows how far a job has come while its pages are sent (not owned; none when null).
    ProgressWindow* Progress = nullptr;

    // The mouse cursor while pages are built and printed.
    Qt::CursorShape Cursor = Qt::WaitCursor;

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
    // Drops a document that failed half-way: nothing of it can be shown or printed.
    void Discard();
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
    // The first page of the print range as a PNG picture of dpi dots per inch, the same way.
    bool SaveAsPng(const QString& path, int dpi);
    // Sends the print range to the bound printer as one job on the recorded paper. False,
    // after saying why, when there is no printer, the printer lacks the paper or refuses the job.
    bool Print();
    // Shows the pages in a preview window and returns when it closes; a printer whose name
    // holds "ACROBAT" is printed to at once instead. ShowPreview does not wait.
    void Preview(QWidget* owner = nullptr);
    void ShowPreview(QWidget* owner = nullptr);
    // The preview window showing this document, or null.
    PreviewWindow* View() const;
    // Shows page n in the preview when it shows and is idle; false otherwise or outside 1 …
    // PageCount.
    bool GotoPage(int n);
    void ClickPrint();
    void ClosePreview();

    // The pages a job covers: the range ordered and cut to the document; first > second when
    // the range starts past the last page.
    std::pair<int, int> PrintRange() const;

signals:
    // The page number after each printed page.
    void Printed(int page);
    // The page number after the preview has shown a page.
    void AfterView(int page);
    // The preview's print button is pressed; clearing the flag stops the print.
    void PrintButtonClick(bool& go);
    // A page is composed for display.
    void BeforeView(int page);
    // The preview window's life: shown, asked to close (clearing the flag keeps it open),
    // closed, resized, gone; and after its printer button's dialog.
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void Resize();
    void FormDestroy();
    void PrinterSetupDialog();
    // Draws on the preview's paper, never printed.
    void NoPrintDraw(int page, PageCanvas& canvas);

private:
    // Makes the bound printer current and takes its geometry.
    void preparePrinter();
    bool checkBuilt();
    bool checkRange();
    bool writePdf(QIODevice& out);
    bool reportSaveFailure(const QString& path, const QString& reason);

    bool acrobat() const;
    PreviewWindow* openPreview(QWidget* owner);

    // Shows the document's cursor for as long as it lives (where there is a GUI application).
    class CursorGuard {
    public:
        explicit CursorGuard(Qt::CursorShape shape);
        ~CursorGuard();
        CursorGuard(const CursorGuard&) = delete;
        CursorGuard& operator=(const CursorGuard&) = delete;

    private:
        bool set_ = false;
    };

    PrinterSetup* setup_ = nullptr;
    QPointer<PreviewWindow> preview_;
    std::unique_ptr<CursorGuard> building_;  // from BeginDoc to EndDoc
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
