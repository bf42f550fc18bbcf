#include "previewwindow.h"

#include "core/paths.h"
#include "core/prompt.h"
#include "core/qtcolor.h"
#include "core/workarea.h"
#include "print/engine/printersetup.h"
#include "settings/inifile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace korvane {

// The scroll area's content: the paper colour around, the shadow, the page painted from its
// recording at the current size (never a stored full-size picture) and the frame.
class PreviewWindow::PageView : public QWidget {
    Q_OBJECT

public:
    explicit PageView(PreviewWindow& owner) : owner_(owner) {
        setObjectName(QStringLiteral("Image1"));
        setContextMenuPolicy(Qt::CustomContextMenu);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        const PrintDocument& doc = owner_.Document();
        p.fillRect(event->rect(), ToQColor(doc.FormColor, palette()));
        const QRect image = owner_.image_;
        if (!doc.IsBuilt() || image.isEmpty()) return;
        if (doc.ImageShade)
            p.fillRect(
                QRect(image.left() + 2, image.top() + 2, image.width() + 2, image.height() + 2),
                QColor(116, 116, 116));
        p.save();
        p.setClipRect(event->rect() & image);
        doc.DrawPreviewPage(owner_.page_, p, QRectF(image));
        p.restore();
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(image.left() - 1, image.top() - 1, image.width() + 1, image.height() + 1));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && owner_.Document().ImageDrag) {
            owner_.dragging_ = true;
            owner_.dragFrom_ = event->globalPosition().toPoint();
            setCursor(Qt::ClosedHandCursor);
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!owner_.dragging_) return;
        // The page follows the mouse.
        const QPoint at = event->globalPosition().toPoint();
        const QPoint moved = at - owner_.dragFrom_;
        owner_.dragFrom_ = at;
        QScrollBar* h = owner_.scroll_->horizontalScrollBar();
        QScrollBar* v = owner_.scroll_->verticalScrollBar();
        h->setValue(h->value() - moved.x());
        v->setValue(v->value() - moved.y());
    }
    void mouseReleaseEvent(QMouseEvent*) override {
        owner_.dragging_ = false;
        unsetCursor();
    }
    void wheelEvent(QWheelEvent* event) override {
        QScrollBar* v = owner_.scroll_->verticalScrollBar();
        v->setValue(v->value() - event->angleDelta().y() / 5);
        event->accept();
    }

private:
    PreviewWindow& owner_;
};

namespace {

QPushButton* toolButton(QWidget* bar, const char* name, const QString& caption, int width,
                        const QString& hint = {}) {
    auto* b = new QPushButton(caption, bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setFlat(true);
    b->setFixedSize(width, 36);
    b->setToolTip(hint.isEmpty() ? caption : hint);
    b->setFocusPolicy(Qt::NoFocus);
    bar->layout()->addWidget(b);
    return b;
}

void spacer(QWidget* bar) { static_cast<QHBoxLayout*>(bar->layout())->addSpacing(15); }

QSize pageSize(const PageGeometry& g) { return QSize(g.PageWidth, g.PageHeight); }

const QString kNoPrinter =
    QStringLiteral("プリンタがインストールされていないので印刷できません．　　");

}  // namespace

PreviewWindow::PreviewWindow(PrintDocument& document, QWidget* parent)
    : QDialog(parent), document_(&document), places_(document.Places) {
    setObjectName(QStringLiteral("fmPrev"));
    setWindowTitle(document.Title.isEmpty() ? QStringLiteral("印刷プレビュー") : document.Title);
    setMinimumSize(300, 300);
    setSizeGripEnabled(true);
    resize(794, 380);
    if (places_.ProgramFolder.isEmpty()) places_.ProgramFolder = korvane::ProgramFolder();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    iconBar_ = new QWidget(this);
    iconBar_->setObjectName(QStringLiteral("IconBar"));
    iconBar_->setFixedHeight(39);
    auto* bar = new QHBoxLayout(iconBar_);
    bar->setContentsMargins(2, 1, 2, 1);
    bar->setSpacing(0);
    printBtn_ =
        toolButton(iconBar_, "PrintBtn", QStringLiteral("印刷 (&P)"), 90, QStringLiteral("印刷"));
    pdfBtn_ = toolButton(iconBar_, "PdfSaveBtn", QStringLiteral("PDF保存"), 86,
                         QStringLiteral("PDFファイルに保存"));
    printerSetBtn_ = toolButton(iconBar_, "PrinterSetBtn", QStringLiteral("プリンタ・用紙"), 86,
                                QStringLiteral("プリンタと用紙の設定保存"));
    spacer(iconBar_);
    firstBtn_ = toolButton(iconBar_, "FirstPageBtn", QStringLiteral("先頭頁"), 46);
    priorBtn_ = toolButton(iconBar_, "PriorPageBtn", QStringLiteral("前頁"), 46);
    nextBtn_ = toolButton(iconBar_, "NextPageBtn", QStringLiteral("次頁"), 46);
    lastBtn_ = toolButton(iconBar_, "LastPageBtn", QStringLiteral("最終頁"), 46);
    spacer(iconBar_);
    zoomDownBtn_ = toolButton(iconBar_, "ZoomDownBtn", QStringLiteral("縮小"), 46);
    zoomUpBtn_ = toolButton(iconBar_, "ZoomUpBtn", QStringLiteral("拡大"), 46);
    wholeBtn_ = toolButton(iconBar_, "PageWholeBtn", QStringLiteral("全体"), 46,
                           QStringLiteral("全体表示"));
    widthBtn_ = toolButton(iconBar_, "PageWidthBtn", QStringLiteral("頁幅"), 46,
                           QStringLiteral("横幅基準表示"));
    spacer(iconBar_);
    closeBtn_ = toolButton(iconBar_, "CloseBtn", QStringLiteral("閉じる(&X)"), 104);
    bar->addStretch(1);
    outer->addWidget(iconBar_);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ScrollBox1"));
    scroll_->setWidgetResizable(false);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->horizontalScrollBar()->setSingleStep(10);
    scroll_->verticalScrollBar()->setSingleStep(10);
    view_ = new PageView(*this);
    scroll_->setWidget(view_);
    outer->addWidget(scroll_, 1);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar"));
    panel1_ = new QLabel(statusBar_);
    panel1_->setMinimumWidth(300);
    panel2_ = new QLabel(statusBar_);
    panel2_->setMinimumWidth(50);
    statusBar_->addWidget(panel1_);
    statusBar_->addWidget(panel2_, 1);
    outer->addWidget(statusBar_);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    popup_->addAction(QStringLiteral("現在の頁をコピー"), this, [this] { CopyPage(); });
    QAction* screenCopy =
        popup_->addAction(QStringLiteral("画面をコピー"), this, [this] { CopyScreen(); });
    QAction* hardCopy =
        popup_->addAction(QStringLiteral("画面ハードコピー"), this, [this] { HardCopy(); });
    popup_->addAction(QStringLiteral("キャンセル"));
    connect(view_, &QWidget::customContextMenuRequested, this,
            [this, screenCopy, hardCopy](const QPoint& at) {
                const PrinterSetup* setup = document_->BoundPrinterSetup();
                const bool printers = setup && setup->HasPrinters();
                screenCopy->setEnabled(printers);
                hardCopy->setEnabled(printers);
                popup_->popup(view_->mapToGlobal(at));
            });

    connect(printBtn_, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    connect(pdfBtn_, &QPushButton::clicked, this, [this] { PdfSaveBtnClick(); });
    connect(printerSetBtn_, &QPushButton::clicked, this, [this] { PrinterSetBtnClick(); });
    connect(firstBtn_, &QPushButton::clicked, this, [this] { FirstPageBtnClick(); });
    connect(priorBtn_, &QPushButton::clicked, this, [this] { PriorPageBtnClick(); });
    connect(nextBtn_, &QPushButton::clicked, this, [this] { NextPageBtnClick(); });
    connect(lastBtn_, &QPushButton::clicked, this, [this] { LastPageBtnClick(); });
    connect(zoomDownBtn_, &QPushButton::clicked, this, [this] { ZoomDownBtnClick(); });
    connect(zoomUpBtn_, &QPushButton::clicked, this, [this] { ZoomUpBtnClick(); });
    connect(wholeBtn_, &QPushButton::clicked, this, [this] { PageWholeBtnClick(); });
    connect(widthBtn_, &QPushButton::clicked, this, [this] { PageWidthBtnClick(); });
    connect(closeBtn_, &QPushButton::clicked, this, [this] { close(); });

    // What the document asks for: its buttons, bars and first zoom.
    const int options = document.BtnOptions;
    const std::pair<QPushButton*, int> shown[] = {
        {printBtn_, boPrintBtn},           {pdfBtn_, boPrintBtn},
        {printerSetBtn_, boPrinterSetBtn}, {firstBtn_, boFirstPageBtn},
        {priorBtn_, boPriorPageBtn},       {nextBtn_, boNextPageBtn},
        {lastBtn_, boLastPageBtn},         {zoomDownBtn_, boZoomDownBtn},
        {zoomUpBtn_, boZoomUpBtn},         {wholeBtn_, boPageWholeBtn},
        {widthBtn_, boPageWidthBtn},       {closeBtn_, boCloseBtn}};
    for (const auto& [button, bit] : shown) button->setVisible(options & bit);
    // A built document keeps its paper.
    if (document.IsBuilt()) printerSetBtn_->setVisible(false);
    iconBar_->setVisible(document.FormIconBar);
    statusBar_->setVisible(document.FormStatusBar);
    zoom_ = document.ZoomType;
    page_ = std::clamp(document.CurrentPage(), 1, std::max(1, document.PageCount()));
    for (QPushButton* b : {printBtn_, pdfBtn_, printerSetBtn_, firstBtn_, priorBtn_, nextBtn_,
                           lastBtn_, zoomDownBtn_, zoomUpBtn_, wholeBtn_, widthBtn_})
        b->setEnabled(false);
}

PreviewWindow::~PreviewWindow() { emit document_->FormDestroy(); }

PreviewZoom PreviewWindow::zoomFor() const {
    const QSize page = pageSize(document_->RecordedGeometry());
    return {page.width() > 0 ? double(page.height()) / page.width() : 1.0};
}

QSize PreviewWindow::area(bool scrollBars) const {
    QSize a = scroll_->viewport()->size();
    if (!scrollBars) {
        // The viewport without the bars it may show now.
        if (scroll_->verticalScrollBar()->isVisible())
            a.rwidth() += scroll_->verticalScrollBar()->width();
        if (scroll_->horizontalScrollBar()->isVisible())
            a.rheight() += scroll_->horizontalScrollBar()->height();
    }
    return a;
}

void PreviewWindow::setZoom(ZoomMode mode) {
    zoom_ = mode;
    const Qt::ScrollBarPolicy bars =
        mode == ztWholePage ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    scroll_->setHorizontalScrollBarPolicy(bars);
    scroll_->setVerticalScrollBarPolicy(bars);
}

void PreviewWindow::placeImage(const QRect& image) {
    image_ = image;
    view_->resize(PreviewZoom::Content(image, area(zoom_ != ztWholePage)));
    view_->update();
    zoomUpBtn_->setEnabled(zoom_ != ztOther || PreviewZoom::CanGrow(image_, screen()->size()));
    zoomDownBtn_->setEnabled(zoom_ != ztOther || PreviewZoom::CanShrink(image_));
}

void PreviewWindow::PageWholeBtnClick() {
    setZoom(ztWholePage);
    placeImage(zoomFor().WholePage(area(false)));
}

void PreviewWindow::PageWidthBtnClick() {
    setZoom(ztPageWidth);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
    placeImage(zoomFor().PageWidth(area(false), bar));
    scroll_->horizontalScrollBar()->setValue(0);
    scroll_->verticalScrollBar()->setValue(0);
}

void PreviewWindow::ZoomUpBtnClick() {
    if (!PreviewZoom::CanGrow(image_, screen()->size())) return;
    setZoom(ztOther);
    placeImage(zoomFor().Larger(image_));
}

void PreviewWindow::ZoomDownBtnClick() {
    if (!PreviewZoom::CanShrink(image_)) return;
    setZoom(ztOther);
    placeImage(zoomFor().Smaller(image_));
}

void PreviewWindow::enableButtons() {
    const int count = document_->PageCount();
    const bool any = document_->IsBuilt() && page_ >= 1;
    for (QPushButton* b : {printBtn_, pdfBtn_, printerSetBtn_, wholeBtn_, widthBtn_})
        b->setEnabled(any && !printing_);
    if (!any) {
        zoomUpBtn_->setEnabled(false);
        zoomDownBtn_->setEnabled(false);
    }
    firstBtn_->setEnabled(any && page_ >= 2);
    priorBtn_->setEnabled(any && page_ >= 2);
    nextBtn_->setEnabled(any && page_ < count);
    lastBtn_->setEnabled(any && page_ < count);
}

QString PreviewWindow::StatusText() const {
    if (!document_->IsBuilt()) return {};
    QString text = QStringLiteral(" Page  %1/%2").arg(page_).arg(document_->PageCount());
    if (const PrinterSetup* setup = document_->BoundPrinterSetup())
        text += QStringLiteral("  ") + setup->PaperName();
    const QSize page = pageSize(document_->RecordedGeometry());
    text += QStringLiteral(" ( %1 x %2 mm )")
                .arg(QString::number(page.width() / 10.0, 'f', 1),
                     QString::number(page.height() / 10.0, 'f', 1));
    return text;
}

void PreviewWindow::ShowPage() {
    setUpdatesEnabled(false);
    view_->update();
    enableButtons();
    panel1_->setText(StatusText());
    panel2_->setText(document_->StatusBarText);
    setUpdatesEnabled(true);
    if (document_->IsBuilt()) emit document_->BeforeView(page_);
    emit document_->Resize();
    emit document_->AfterView(page_);
}

bool PreviewWindow::GotoPage(int n) {
    if (!ready_ || printing_ || !document_->IsBuilt() || n < 1 || n > document_->PageCount())
        return false;
    page_ = n;
    ShowPage();
    return true;
}

void PreviewWindow::FirstPageBtnClick() {
    if (page_ == 1) return;
    firstBtn_->setEnabled(false);
    GotoPage(1);
}

void PreviewWindow::PriorPageBtnClick() {
    if (page_ <= 1) return;
    priorBtn_->setEnabled(false);
    GotoPage(page_ - 1);
}

void PreviewWindow::NextPageBtnClick() {
    if (page_ >= document_->PageCount()) return;
    nextBtn_->setEnabled(false);
    GotoPage(page_ + 1);
}

void PreviewWindow::LastPageBtnClick() {
    if (page_ == document_->PageCount()) return;
    lastBtn_->setEnabled(false);
    GotoPage(document_->PageCount());
}

void PreviewWindow::PrintBtnClick() {
    PrinterSetup* setup = document_->BoundPrinterSetup();
    if (!setup || !setup->HasPrinters()) {
        Prompt::current().message(kNoPrinter, QStringLiteral("　印刷"), Prompt::Kind::Information);
        return;
    }
    bool go = true;
    emit document_->PrintButtonClick(go);
    if (!go) return;
    const int page = page_;
    document_->FirstPage = document_->LastPage = 0;
    PrinterChoice choice;
    choice.printers = setup->PrinterList();
    choice.printer = setup->PrinterName();
    choice.rangeOffered = true;
    choice.allPages = true;
    choice.minPage = 1;
    choice.maxPage = document_->PageCount();
    choice.fromPage = choice.toPage = page;
    {
        // What the dialog changes lasts for this job only.
        const PrinterChoiceKeeper keep(
            *setup, PrinterChoiceKeeper::FileFor(places_.ProgramFolder, places_.ProgramName));
        if (!Prompt::current().printerDialog(QStringLiteral("印刷"), choice)) return;
        printing_ = true;
        enableButtons();
        if (!choice.printer.isEmpty()) setup->SetPrinterName(choice.printer);
        if (choice.allPages) {
            document_->FirstPage = 1;
            document_->LastPage = document_->PageCount();
        } else {
            document_->FirstPage = choice.fromPage;
            document_->LastPage = choice.toPage;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        document_->Print();  // says itself what went wrong; the window stays usable
        QApplication::restoreOverrideCursor();
        printing_ = false;
    }
    page_ = page;
    ShowPage();
    update();
}

void PreviewWindow::PdfSaveBtnClick() {
    QString suggested = document_->Title.isEmpty() ? QStringLiteral("印刷") : document_->Title;
    suggested.replace(u'/', u'_');
    const QString path = Prompt::current().saveFileName(
        QStringLiteral("PDF保存"), QDir::home().filePath(suggested + QStringLiteral(".pdf")),
        QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty()) return;
    const int first = document_->FirstPage, last = document_->LastPage;
    document_->FirstPage = 1;
    document_->LastPage = document_->PageCount();
    document_->SaveAsPdf(path);  // says itself when it could not
    document_->FirstPage = first;
    document_->LastPage = last;
}

void PreviewWindow::PrinterSetBtnClick() {
    PrinterSetup* setup = document_->BoundPrinterSetup();
    if (!setup || !setup->HasPrinters()) {
        Prompt::current().message(
            QStringLiteral("プリンタがインストールされていないので設定できません．　　"),
            QStringLiteral("　プリンタと用紙の設定"), Prompt::Kind::Information);
        return;
    }
    if (!setup->SetupDialog()) return;
    document_->SetGeometry(setup->Geometry(document_->InversePrint));
    emit document_->PrinterSetupDialog();
    ShowPage();
    PageWholeBtnClick();
}

QImage PreviewWindow::PagePicture(QSize size) const {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    if (!document_->IsBuilt() || size.isEmpty()) return picture;
    QPainter p(&picture);
    document_->DrawPreviewPage(page_, p, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

void PreviewWindow::CopyPage() {
    if (!document_->IsBuilt() || image_.isEmpty()) return;
    QGuiApplication::clipboard()->setImage(PagePicture(image_.size()));
}

void PreviewWindow::CopyScreen() { QGuiApplication::clipboard()->setImage(grab().toImage()); }

void PreviewWindow::HardCopy() {
    PrinterSetup* setup = document_->BoundPrinterSetup();
    if (!setup || !setup->HasPrinters()) return;
    {
        const PrinterChoiceKeeper keep(
            *setup, PrinterChoiceKeeper::FileFor(places_.ProgramFolder, places_.ProgramName));
        CopyScreen();
        const QImage shot = grab().toImage();
        if (setup->SetupDialog() &&
            !setup->PrinterName().contains(QStringLiteral("ACROBAT"), Qt::CaseInsensitive)) {
            // The window on one sheet: a tenth of the printable width free on either side, half
            // that above, the picture in its own proportions.
            PrintDocument sheet;
            sheet.Title = windowTitle();
            sheet.Cursor = document_->Cursor;
            sheet.SetPrinterSetup(setup);
            sheet.BeginDoc();
            const QRect area = sheet.RecordedGeometry().Printable;
            const int margin = area.width() / 10;
            const int width = area.width() - 2 * margin;
            const int height =
                int(std::lround(double(width) * shot.height() / std::max(1, shot.width())));
            const int left = area.left() + margin, top = area.top() + margin / 2;
            sheet.Canvas().Draw(left, top, left + width, top + height, shot);
            sheet.EndDoc();
            sheet.Print();  // says itself what went wrong
        }
    }
    ShowPage();
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    closeApproved_ = false;
    if (ready_) return;
    ready_ = true;
    readPlace();
    switch (document_->FormWindowState) {
        case fwMaximized:
            setWindowState(Qt::WindowMaximized);
            break;
        case fwMinimized:
            setWindowState(Qt::WindowMinimized);
            break;
        case fwWorkArea:
        case fwFullScreen: {
            // The frame fills the desktop's work area, or the whole screen.
            const QRect area = document_->FormWindowState == fwWorkArea
                                   ? screen()->availableGeometry()
                                   : screen()->geometry();
            resize(area.size() - (frameGeometry().size() - size()));
            move(area.topLeft());
            break;
        }
        case fwNormal:
            break;
    }
    if (!document_->FormCanResize) {
        setFixedSize(size());
        setSizeGripEnabled(false);
    }
    emit document_->FormShow();
    if (!document_->IsBuilt()) {
        ShowPage();
        return;
    }
    if (zoom_ == ztPageWidth)
        PageWidthBtnClick();
    else
        PageWholeBtnClick();
    ShowPage();
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!ready_ || !document_->IsBuilt()) return;
    if (zoom_ == ztWholePage) PageWholeBtnClick();
    if (zoom_ == ztPageWidth) PageWidthBtnClick();
}

bool PreviewWindow::approveClose() {
    if (closeApproved_) return true;
    // A job in progress still reads the pages: the window waits for it.
    bool canClose = !printing_;
    if (canClose) emit document_->FormCloseQuery(canClose);
    if (!canClose) return false;
    writePlace();
    emit document_->FormClose();
    closeApproved_ = true;
    return true;
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    if (!approveClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void PreviewWindow::reject() {
    // Escape and the close box go the same way.
    if (approveClose()) QDialog::reject();
}

QString PreviewWindow::printersIni() const {
    return places_.SettingsFolder.isEmpty()
               ? QString()
               : places_.SettingsFolder + QStringLiteral("Printers.ini");
}

void PreviewWindow::readPlace() {
    const QString file = printersIni();
    if (file.isEmpty()) return;
    const IniFile ini(file);
    const QString set = QStringLiteral("Set");
    QRect r(ini.ReadInteger(set, QStringLiteral("fmPrevLeft"), x()),
            ini.ReadInteger(set, QStringLiteral("fmPrevTop"), y()),
            ini.ReadInteger(set, QStringLiteral("fmPrevWidth"), width() * 90 / 100),
            ini.ReadInteger(set, QStringLiteral("fmPrevHight"), height() * 90 / 100));
    const QRect work = screen()->availableGeometry();
    if (work.bottom() + 1 <= 727) {
        r.setHeight((work.bottom() + 1) * 90 / 100);
        r.moveTop(std::max(0, (work.bottom() + 1 - r.height()) / 2));
    }
    // Kept on the available screen area, all four edges of the frame.
    const QSize frame = frameGeometry().size() - size();
    const QRect kept =
        KeepOnWorkArea(QRect(r.topLeft(), r.size() + frame), work, minimumSize() + frame);
    r = QRect(kept.topLeft(), kept.size() - frame);
    // Left and top place the frame, width and height size the inside, as they were written.
    resize(r.size());
    move(r.topLeft());
}

void PreviewWindow::writePlace() const {
    const QString file = printersIni();
    if (file.isEmpty()) return;
    try {
        IniFile ini(file);
        const QString set = QStringLiteral("Set");
        ini.WriteInteger(set, QStringLiteral("fmPrevTop"), y());
        ini.WriteInteger(set, QStringLiteral("fmPrevLeft"), x());
        ini.WriteInteger(set, QStringLiteral("fmPrevHight"), height());
        ini.WriteInteger(set, QStringLiteral("fmPrevWidth"), width());
    } catch (const std::exception&) {
        // The place is a convenience; an unwritable settings file costs only that.
    }
}

}  // namespace korvane

#include "previewwindow.moc"
