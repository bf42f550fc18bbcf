#include "printdocument.h"

#include "print/engine/previewwindow.h"
#include "print/engine/progresswindow.h"

#include "core/atomicfile.h"
#include "core/prompt.h"
#include "core/qtcolor.h"
#include "print/engine/printersetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QMetaMethod>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

namespace korvane {
namespace {

const QString kDocumentCaption = QStringLiteral("印刷プレビュー制御コンポーネント");

int tenths(double mm) { return int(std::lround(mm * 10)); }

}  // namespace

PageGeometry MeasureGeometry(const QPageSize& paper, QPageLayout::Orientation orientation,
                             const QMarginsF& marginsMm, int dpiX, int dpiY, bool inverse) {
    PageGeometry g;
    g.Paper = paper;
    g.Orientation = orientation;
    QSizeF mm = paper.size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape) mm.transpose();
    g.PageWidth = tenths(mm.width());
    g.PageHeight = tenths(mm.height());
    g.DpiX = dpiX > 0 ? dpiX : 300;
    g.DpiY = dpiY > 0 ? dpiY : 300;
    QMarginsF m = marginsMm;
    if (inverse) m = QMarginsF(m.right(), m.bottom(), m.left(), m.top());
    // Inwards: the printable area never claims a tenth the printer cannot reach.
    const int left = int(std::ceil(m.left() * 10 - 1e-6));
    const int top = int(std::ceil(m.top() * 10 - 1e-6));
    const int right = g.PageWidth - int(std::ceil(m.right() * 10 - 1e-6));
    const int bottom = g.PageHeight - int(std::ceil(m.bottom() * 10 - 1e-6));
    g.Printable = QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
    return g;
}

PageRecording TractorFeedMarks(const QSize& pageSize) {
    PageRecording marks;
    marks.PageSize = pageSize;
    PageCanvas c(marks);
    c.SetPenColor(ColorValue(0xC0C0C0));
    const int w = pageSize.width(), h = pageSize.height();
    for (int y = 40; y < h; y += 127) {
        c.Ellipse(40, y, 80, y + 40);
        c.Ellipse(w - 80, y, w - 40, y + 40);
    }
    c.Pen.Style = Qt::DotLine;
    for (int x : {127, w - 127}) {
        c.MoveTo(x, 0);
        c.LineTo(x, h);
    }
    return marks;
}

void PrintDocument::preparePrinter() {
    if (!setup_) return;
    setup_->Select();
    geometry_ = JobPaper ? setup_->GeometryFor(*JobPaper, JobOrientation, InversePrint)
                         : setup_->Geometry(InversePrint);
}

void PrintDocument::SetPrinterSetup(PrinterSetup* setup) {
    setup_ = setup;
    preparePrinter();
}

PrintDocument::CursorGuard::CursorGuard(Qt::CursorShape shape) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(shape);
        set_ = true;
    }
}

PrintDocument::CursorGuard::~CursorGuard() {
    if (set_) QGuiApplication::restoreOverrideCursor();
}

PrintDocument::~PrintDocument() {
    building_.reset();
    delete preview_.data();
}

void PrintDocument::BeginDoc() {
    building_.reset();
    building_ = std::make_unique<CursorGuard>(Cursor);
    preparePrinter();
    pages_.clear();
    recorded_ = geometry_;
    working_ = PageRecording();
    working_.PageSize = QSize(recorded_.PageWidth, recorded_.PageHeight);
    canvas_.Reset();  // 3.7 mm text, thinnest black pen, no brush, at the corner
    built_ = true;
    current_ = 1;
    pageCount_ = 1;
}

void PrintDocument::NewPage() {
    pages_.push_back(std::move(working_));
    working_ = PageRecording{pages_.back().PageSize, {}};
    ++current_;  // the canvas keeps its font, pen and brush
}

void PrintDocument::EndDoc() {
    pages_.push_back(std::move(working_));
    working_ = PageRecording{pages_.back().PageSize, {}};
    pageCount_ = int(pages_.size());
    current_ = 1;
    building_.reset();
}

void PrintDocument::Discard() {
    pages_.clear();
    working_ = PageRecording{working_.PageSize, {}};  // the next BeginDoc resets the canvas
    pageCount_ = 1;
    current_ = 1;
    built_ = false;
    building_.reset();
}

const PageRecording& PrintDocument::Page(int n) const {
    static const PageRecording empty;
    if (pages_.empty()) return empty;
    return pages_[std::size_t(std::clamp(n, 1, int(pages_.size())) - 1)];
}

void PrintDocument::DrawPreviewPage(int n, QPainter& painter, const QRectF& target) const {
    const PageRecording& page = Page(n);
    painter.fillRect(target, ToQColor(PaperColor));
    auto* self = const_cast<PrintDocument*>(this);  // signals are not const; nothing changes
    if (isSignalConnected(QMetaMethod::fromSignal(&PrintDocument::NoPrintDraw))) {
        PageRecording extra;
        extra.PageSize = page.PageSize;
        PageCanvas c(extra);
        emit self->NoPrintDraw(std::clamp(n, 1, pageCount_), c);
        ReplayPage(extra, painter, target);
    }
    if (setup_ && setup_->PaperSourceName()
                      .normalized(QString::NormalizationForm_KC)
                      .contains(QStringLiteral("トラクタ"))) {
        ReplayPage(TractorFeedMarks(page.PageSize), painter, target);
    }
    ReplayPage(page, painter, target, ViewClip ? recorded_.Printable : QRect());
}

void PrintDocument::DrawPrintPage(int n, QPainter& painter, const QRectF& target) const {
    const PageRecording& page = Page(n);
    const double sx = target.width() / page.PageSize.width();
    const double sy = target.height() / page.PageSize.height();
    painter.save();
    QRectF at(0, 0, target.width(), target.height());
    if (InversePrint) {
        // Turned about the paper: page point p lands at (size - p - offset), so the offset
        // still moves the page down and right as the turned sheet is read.
        painter.translate(target.x() + (page.PageSize.width() - PrintOffsetX) * sx,
                          target.y() + (page.PageSize.height() - PrintOffsetY) * sy);
        painter.rotate(180);
    } else {
        painter.translate(target.x() + PrintOffsetX * sx, target.y() + PrintOffsetY * sy);
    }
    ReplayPage(page, painter, at, ViewClip ? recorded_.Printable : QRect());
    painter.restore();
}

std::pair<int, int> PrintDocument::PrintRange() const {
    const int first = FirstPage > 0 ? FirstPage : 1;
    // Unset, the range runs to the end; from a first page past the end it holds nothing.
    const int last = LastPage > 0 ? LastPage : std::max(first, pageCount_);
    return {std::min(first, last), std::min(std::max(first, last), pageCount_)};
}

bool PrintDocument::checkBuilt() {
    if (built_) return true;
    Prompt::current().message(QStringLiteral("Canvasへの描画コードが見つかりません．　　"),
                              kDocumentCaption, Prompt::Kind::Warning);
    return false;
}

bool PrintDocument::checkRange() {
    const auto [start, end] = PrintRange();
    if (start > end) {
        Prompt::current().message(
            QStringLiteral(
                "印刷範囲に印刷するページがありません（%1 ページから，文書は %2 ページまで）．")
                .arg(start)
                .arg(pageCount_),
            QStringLiteral(" 印刷"), Prompt::Kind::Information);
        return false;
    }
    return true;
}

bool PrintDocument::Render(QPagedPaintDevice& device) {
    if (!checkBuilt() || !checkRange()) return false;
    // The recorded paper goes onto the device whole, from its corner. Qt's PDF page box is in
    // whole points; a size given in millimetres must be too, or the page is placed a point off.
    const QPageSize& given = recorded_.Paper;
    const QPageSize whole(given.sizePoints(), given.name(), QPageSize::ExactMatch);
    if (!device.setPageLayout(QPageLayout(whole, recorded_.Orientation, QMarginsF(0, 0, 0, 0))))
        return false;
    const auto [start, end] = PrintRange();
    QPainter painter(&device);
    if (!painter.isActive()) return false;
    const QRectF paper(QPointF(), QSizeF(recorded_.PageWidth * device.logicalDpiX() / 254.0,
                                         recorded_.PageHeight * device.logicalDpiY() / 254.0));
    // The progress window shows how many of the pages have gone out, and goes with the last.
    struct Finisher {
        ProgressWindow* progress;
        ~Finisher() {
            if (progress) progress->Finish();
        }
    } finisher{Progress};
    for (int n = start; n <= end; ++n) {
        DrawPrintPage(n, painter, paper);
        if (Progress) Progress->Step(QStringLiteral("印刷中"), end - start + 1, n - start + 1);
        // The windows stay painted while pages go out, but no click reaches them.
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        emit Printed(n);
        if (n != end && !device.newPage()) return false;
    }
    return painter.end();
}

bool PrintDocument::writePdf(QIODevice& out) {
    QPdfWriter pdf(&out);
    pdf.setTitle(Title);
    pdf.setCreator(QStringLiteral("Korvane"));
    pdf.setResolution(1200);
    return Render(pdf);
}

bool PrintDocument::reportSaveFailure(const QString& path, const QString& reason) {
    Prompt::current().message(
        QStringLiteral("ファイル %1 を保存できませんでした．\n%2").arg(path, reason),
        QStringLiteral("保存"), Prompt::Kind::Error);
    return false;
}

bool PrintDocument::SaveAsPdf(const QString& path) {
    if (!checkBuilt() || !checkRange()) return false;
    AtomicFile file(path);
    // An uncommitted file is dropped with its object; the old one stays as it was.
    if (!file.Open() || !writePdf(file.Device()) || !file.Commit())
        return reportSaveFailure(path, file.ErrorString());
    return true;
}

bool PrintDocument::SaveAsPng(const QString& path, int dpi) {
    if (!checkBuilt() || !checkRange()) return false;
    const PageGeometry& g = RecordedGeometry();
    const QSize px(int(std::lround(g.PageWidth * dpi / 254.0)),
                   int(std::lround(g.PageHeight * dpi / 254.0)));
    QImage image(px, QImage::Format_RGB32);
    if (image.isNull())
        return reportSaveFailure(
            path,
            QStringLiteral("画像を作れません (%1 x %2 ピクセル)").arg(px.width()).arg(px.height()));
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    {
        QPainter painter(&image);
        DrawPrintPage(PrintRange().first, painter, QRectF(QPointF(0, 0), QSizeF(px)));
    }
    AtomicFile file(path);
    if (!file.Open() || !image.save(&file.Device(), "PNG") || !file.Commit())
        return reportSaveFailure(path, file.ErrorString());
    return true;
}

bool PrintDocument::Print() {
    if (!checkBuilt()) return false;
    const QString caption = QStringLiteral(" 印刷");
    if (!setup_ || !setup_->HasPrinters()) {
        Prompt::current().message(
            QStringLiteral("プリンタがインストールされていないので印刷できません．　　"), caption,
            Prompt::Kind::Information);
        return false;
    }
    if (!checkRange()) return false;
    const CursorGuard busy(Cursor);
    setup_->Select();
    PrintJob job;
    job.Printer = setup_->Current().Printer;
    job.Settings = setup_->Current();
    // The pages keep the paper they were drawn for; a printer without it is told before
    // anything is sent, never given a rescaled page.
    job.Settings.PageSize = recorded_.Paper;
    job.Settings.Orientation = recorded_.Orientation;
    if (!OffersPaper(setup_->System(), job.Printer, recorded_.Paper)) {
        Prompt::current().message(
            QStringLiteral("プリンタ「%1」には用紙「%2」がありません．\n印刷を中止しました．")
                .arg(job.Printer, recorded_.Paper.name()),
            caption, Prompt::Kind::Warning);
        return false;
    }
    job.Title =
        Title.isEmpty() ? QCoreApplication::applicationName() + QStringLiteral("印刷") : Title;
    QTemporaryFile pdf(QDir::tempPath() + QStringLiteral("/korvane-XXXXXX.pdf"));
    if (!pdf.open() || !writePdf(pdf) || !pdf.flush()) {
        Prompt::current().message(
            QStringLiteral("印刷がうまくできませんでした。\n%1")
                .arg(QStringLiteral("一時ファイルを書けませんでした：") + pdf.errorString()),
            caption, Prompt::Kind::Error);
        return false;
    }
    job.PdfPath = pdf.fileName();
    const SubmitResult result = setup_->System().Submit(job);
    if (!result.Ok) {
        Prompt::current().message(
            QStringLiteral("印刷がうまくできませんでした。\n%1").arg(result.Error), caption,
            Prompt::Kind::Error);
        return false;
    }
    return true;
}

bool PrintDocument::acrobat() const {
    return setup_ && setup_->PrinterName().contains(QStringLiteral("ACROBAT"), Qt::CaseInsensitive);
}

PreviewWindow* PrintDocument::View() const { return preview_.data(); }

PreviewWindow* PrintDocument::openPreview(QWidget* owner) {
    if (preview_ && preview_->isVisible()) {
        Prompt::current().message(
            QStringLiteral("表示中のフォームをモーダル表示で開くことはできません(矛盾)．　　"),
            QStringLiteral("印刷プレビュー制御コンポーネント"), Prompt::Kind::Warning);
        return nullptr;
    }
    delete preview_.data();
    preview_ = new PreviewWindow(*this, owner);
    preview_->setAttribute(Qt::WA_DeleteOnClose);
    return preview_;
}

void PrintDocument::Preview(QWidget* owner) {
    if (acrobat()) {
        Print();
        return;
    }
    if (PreviewWindow* window = openPreview(owner)) window->exec();
}

void PrintDocument::ShowPreview(QWidget* owner) {
    if (acrobat()) {
        Print();
        return;
    }
    if (PreviewWindow* window = openPreview(owner)) window->show();
}

bool PrintDocument::GotoPage(int n) {
    return preview_ && preview_->isVisible() && preview_->GotoPage(n);
}

void PrintDocument::ClickPrint() {
    if (preview_ && preview_->isVisible()) preview_->PrintBtnClick();
}

void PrintDocument::ClosePreview() {
    if (preview_ && !acrobat()) preview_->close();
}

}  // namespace korvane
