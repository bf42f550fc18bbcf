#pragma once

#include "print/engine/previewzoom.h"
#include "print/engine/printdocument.h"

#include <QDialog>
#include <QPoint>
#include <QRect>

class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QWidget;

namespace korvane {

// Shows the pages of a built document one at a time: page steps, zoom, dragging, printing all or
// some pages, saving them as PDF, copying the page or the window.
class PreviewWindow : public QDialog {
    Q_OBJECT

public:
    explicit PreviewWindow(PrintDocument& document, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    PrintDocument& Document() const { return *document_; }
    int Page() const { return page_; }
    ZoomMode Zoom() const { return zoom_; }
    // The page picture in the scroll area's content, in pixels.
    QRect ImageRect() const { return image_; }
    QString StatusText() const;
    bool IsPrinting() const { return printing_; }

    // Shows page n (clamped); false when the window is busy or n is outside the document.
    bool GotoPage(int n);
    void ShowPage();

    void FirstPageBtnClick();
    void PriorPageBtnClick();
    void NextPageBtnClick();
    void LastPageBtnClick();
    void ZoomUpBtnClick();
    void ZoomDownBtnClick();
    void PageWholeBtnClick();
    void PageWidthBtnClick();
    void PrintBtnClick();
    void PdfSaveBtnClick();
    void PrinterSetBtnClick();
    void CopyPage();
    void CopyScreen();
    // The window printed on one sheet, on a printer chosen for that sheet alone.
    void HardCopy();

    // The composed page as a picture of the given size.
    QImage PagePicture(QSize size) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    class PageView;
    friend class PageView;

    bool approveClose();
    void placeImage(const QRect& image);
    void enableButtons();
    void readPlace();
    void writePlace() const;
    QString printersIni() const;
    QSize area(bool scrollBars) const;
    PreviewZoom zoomFor() const;
    void setZoom(ZoomMode mode);

    PrintDocument* document_;
    PreviewPlaces places_;
    int page_ = 1;
    ZoomMode zoom_ = ztWholePage;
    QRect image_;
    bool ready_ = false;
    bool printing_ = false;
    bool closeApproved_ = false;
    bool dragging_ = false;
    QPoint dragFrom_;

    QWidget* iconBar_;
    QPushButton* printBtn_;
    QPushButton* pdfBtn_;
    QPushButton* printerSetBtn_;
    QPushButton* firstBtn_;
    QPushButton* priorBtn_;
    QPushButton* nextBtn_;
    QPushButton* lastBtn_;
    QPushButton* zoomDownBtn_;
    QPushButton* zoomUpBtn_;
    QPushButton* wholeBtn_;
    QPushButton* widthBtn_;
    QPushButton* closeBtn_;
    QScrollArea* scroll_;
    PageView* view_;
    QStatusBar* statusBar_;
    QLabel* panel1_;
    QLabel* panel2_;
    QMenu* popup_;
};

}  // namespace korvane
