#include "printdocument.h"

#include "core/prompt.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace korvane {

void PrintDocument::BeginDoc() {
    pages_.clear();
    working_ = PageRecording();
    working_.PageSize = QSize(geometry_.PageWidth, geometry_.PageHeight);
    canvas_.SetPage(working_);
    canvas_.Font = FontState();  // 3.7 mm, as a new document starts
    built_ = true;
    current_ = 1;
    pageCount_ = 1;
}

void PrintDocument::NewPage() {
    pages_.push_back(working_);
    working_.Ops.clear();
    ++current_;  // the canvas keeps its font, pen and brush
}

void PrintDocument::EndDoc() {
    pages_.push_back(working_);
    working_.Ops.clear();
    pageCount_ = int(pages_.size());
    current_ = 1;
}

const PageRecording& PrintDocument::Page(int n) const {
    static const PageRecording empty;
    if (pages_.empty()) return empty;
    return pages_[std::size_t(std::clamp(n, 1, int(pages_.size())) - 1)];
}

void PrintDocument::DrawPreviewPage(int n, QPainter& painter, const QRectF& target) const {
    const PageRecording& page = Page(n);
    const auto v = std::uint32_t(PaperColor);
    painter.fillRect(target, QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)));
    if (OnNoPrintDraw) {
        PageRecording extra;
        extra.PageSize = page.PageSize;
        PageCanvas c(extra);
        OnNoPrintDraw(std::clamp(n, 1, pageCount_), c);
        ReplayPage(extra, painter, target);
    }
    ReplayPage(page, painter, target, ViewClip ? geometry_.Printable : QRect());
}

void PrintDocument::DrawPrintPage(int n, QPainter& painter, const QRectF& target) const {
    painter.save();
    const double sx = target.width() / geometry_.PageWidth;
    const double sy = target.height() / geometry_.PageHeight;
    if (InversePrint) {
        // Turned by 180 degrees about the paper's centre.
        painter.translate(target.center());
        painter.rotate(180);
        painter.translate(-target.center());
        painter.translate(-PrintOffsetX * sx, -PrintOffsetY * sy);
    } else {
        painter.translate(PrintOffsetX * sx, PrintOffsetY * sy);
    }
    ReplayPage(Page(n), painter, target, ViewClip ? geometry_.Printable : QRect());
    painter.restore();
}

std::pair<int, int> PrintDocument::PrintRange() const {
    const int first = FirstPage > 0 ? FirstPage : 1;
    const int last = LastPage > 0 ? LastPage : pageCount_;
    return {std::min(first, last), std::min(std::max(first, last), pageCount_)};
}

bool PrintDocument::Print(QPagedPaintDevice& device) {
    if (!built_) {
        Prompt::current().message(QStringLiteral("Canvasへの描画コードが見つかりません．　　"),
                                  QStringLiteral("印刷プレビュー制御コンポーネント"),
                                  Prompt::Kind::Warning);
        return false;
    }
    const auto [start, end] = PrintRange();
    QPainter painter(&device);
    if (!painter.isActive()) return false;
    const QRectF paper = painter.viewport();
    for (int n = start; n <= end; ++n) {
        DrawPrintPage(n, painter, paper);
        if (OnPrint) OnPrint(n);
        if (n != end) device.newPage();
    }
    return painter.end();
}

}  // namespace korvane
