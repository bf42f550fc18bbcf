#include "pagerecording.h"

#include "core/fonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace korvane {
namespace {

QColor qcolor(ColorValue c) {
    const auto v = std::uint32_t(c);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

// Corners in any order; the far corner lies just outside, as on the Windows canvas.
QRect rectOf(int left, int top, int right, int bottom) {
    return QRect(std::min(left, right), std::min(top, bottom), std::abs(right - left),
                 std::abs(bottom - top));
}

// Pens follow the Windows geometric pen: wider ones have round ends and joins. On a coarse
// device a pen never gets thinner than one device pixel, so grid lines stay visible.
QPen penFor(const PenState& state, const QPainter& painter) {
    QPen pen(qcolor(state.Color), state.Width, state.Style);
    const QTransform& t = painter.deviceTransform();
    const double scale = std::min(std::hypot(t.m11(), t.m12()), std::hypot(t.m21(), t.m22()));
    if (state.Width == 0 || state.Width * scale < 1.0) {
        pen.setWidth(1);
        pen.setCosmetic(true);
    }
    if (state.Width > 1) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    } else {
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    }
    return pen;
}

// Overhangs reach outside the advance cell; only negative bearings move the text.
double leftOverhang(const QFontMetricsF& fm, const QString& text) {
    if (text.isEmpty()) return 0;
    const double lb = fm.leftBearing(text.front());
    return lb < 0 ? -lb : 0;
}

double rightOverhang(const QFontMetricsF& fm, const QString& text) {
    if (text.isEmpty()) return 0;
    const double rb = fm.rightBearing(text.back());
    return rb < 0 ? -rb : 0;
}

}  // namespace

QFont ReferenceFont(const FontState& state) {
    QFont f(InstalledFamily(state.Name));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setBold(state.Style & fsBold);
    f.setItalic(state.Style & fsItalic);
    f.setUnderline(state.Style & fsUnderline);
    f.setStrikeOut(state.Style & fsStrikeOut);
    SetFontHeight(f, state.Height == 0 ? -37 : state.Height);
    return f;
}

const QFontMetricsF& PageCanvas::metrics() const {
    // A page measures thousands of texts in a handful of fonts.
    if (!metrics_ || metricsFont_ != Font) {
        font_ = ReferenceFont(Font);
        metrics_ = std::make_unique<QFontMetricsF>(font_);
        metricsFont_ = Font;
    }
    return *metrics_;
}

QList<QGlyphRun> PageCanvas::shape(const QString& text, double& width) const {
    metrics();
    // Pages repeat their texts (times, rokuyō, weekday names, the copies of an outline): each is
    // shaped once per font. The colour does not change the glyphs.
    QString key = QStringLiteral("%1\x1F%2\x1F%3\x1F").arg(Font.Name).arg(Font.Height).arg(Font.Style);
    key += text;
    if (const auto found = shaped_.find(key); found != shaped_.end()) {
        width = found->second.width;
        return found->second.runs;
    }
    if (shaped_.size() > 4096) shaped_.clear();
    QTextLayout layout(text, font_);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        width = 0;
        return {};
    }
    line.setLineWidth(1e9);
    layout.endLayout();
    width = line.horizontalAdvance();
    QList<QGlyphRun> runs = layout.glyphRuns();
    for (QGlyphRun& run : runs) {
        QList<QPointF> at = run.positions();
        for (QPointF& p : at) p.ry() -= line.ascent();
        run.setPositions(at);
    }
    shaped_.emplace(std::move(key), Shaped{runs, width});
    return runs;
}

void PageCanvas::Reset() {
    Font = FontState();
    Pen = PenState();
    Brush = BrushState();
    at_ = QPoint();
}

PageOp PageCanvas::op(PageOp::Kind kind) const {
    PageOp o;
    o.kind = kind;
    o.pen = Pen;
    o.brush = Brush;
    o.font = Font;
    return o;
}

void PageCanvas::LineTo(int x, int y) {
    PageOp o = op(PageOp::Line);
    o.from = at_;
    o.to = QPoint(x, y);
    page_->Ops.push_back(std::move(o));
    at_ = QPoint(x, y);
}

void PageCanvas::Rectangle(int left, int top, int right, int bottom) {
    PageOp o = op(PageOp::Rectangle);
    o.rect = rectOf(left, top, right, bottom);
    page_->Ops.push_back(std::move(o));
}

void PageCanvas::FillRect(int left, int top, int right, int bottom) {
    PageOp o = op(PageOp::FillRect);
    o.rect = rectOf(left, top, right, bottom);
    page_->Ops.push_back(std::move(o));
}

void PageCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                            int cornerHeight) {
    PageOp o = op(PageOp::RoundRect);
    o.rect = rectOf(left, top, right, bottom);
    o.corner = QSize(cornerWidth, cornerHeight);
    page_->Ops.push_back(std::move(o));
}

void PageCanvas::Ellipse(int left, int top, int right, int bottom) {
    PageOp o = op(PageOp::Ellipse);
    o.rect = rectOf(left, top, right, bottom);
    page_->Ops.push_back(std::move(o));
}

void PageCanvas::Draw(int left, int top, int right, int bottom, const QImage& image) {
    if (image.isNull()) return;
    PageOp o = op(PageOp::Bitmap);
    o.rect = rectOf(left, top, right, bottom);
    o.image = image;
    page_->Ops.push_back(std::move(o));
}

void PageCanvas::PatternFill(int left, int top, int right, int bottom, const QImage& tile) {
    if (tile.isNull()) return;
    PageOp o = op(PageOp::PatternFill);
    o.rect = rectOf(left, top, right, bottom);
    o.image = tile.convertToFormat(QImage::Format_RGB32);
    page_->Ops.push_back(std::move(o));
}

void PageCanvas::OutlinedTextOut(int x, int y, const QString& text, ColorValue outline,
                                 ColorValue fill, bool thick) {
    const ColorValue saved = Font.Color;
    std::vector<QPoint> offsets;
    const auto add = [&offsets](int dx, int dy) {
        if (std::find(offsets.begin(), offsets.end(), QPoint(dx, dy)) == offsets.end())
            offsets.emplace_back(dx, dy);
    };
    for (int i = 0; i <= 2; ++i) {
        add(i, 0);
        add(i, 2);
        add(0, i);
        add(2, i);
    }
    if (thick) {
        for (int i = 0; i <= 2; ++i) {
            add(3, i);
            add(i, 3);
            add(4, i);
            add(i, 4);
        }
    }
    Font.Color = outline;
    for (const QPoint& d : offsets) TextOut(x + d.x(), y + d.y(), text);
    Font.Color = fill;
    TextOut(x + 1, y + 1, text);
    Font.Color = saved;
}

int PageCanvas::TextWidth(const QString& text) const {
    return int(std::lround(metrics().horizontalAdvance(text)));
}

int PageCanvas::TextHeight() const {
    return int(std::lround(metrics().height()));
}

void PageCanvas::TextOut(int x, int y, const QString& text) {
    const QFontMetricsF& fm = metrics();
    PageOp o = op(PageOp::Text);
    o.text = text;
    double width = 0;
    o.glyphs = shape(text, width);
    o.origin = QPointF(x + std::round(leftOverhang(fm, text)), y + fm.ascent());
    page_->Ops.push_back(std::move(o));
}

void PageCanvas::DrawTextBox(int left, int top, int right, int bottom, const QString& text,
                              TextAlign align) {
    const QFontMetricsF& fm = metrics();
    double width = 0;
    QList<QGlyphRun> glyphs = shape(text, width);
    const double ascent = fm.ascent();
    const double height = fm.ascent() + fm.descent();
    double x = left;
    switch (align) {
        case TextAlign::LeftTop:
        case TextAlign::LeftMiddle:
        case TextAlign::LeftBottom: x = left + std::round(leftOverhang(fm, text)); break;
        case TextAlign::CenterMiddle:
        case TextAlign::CenterBottom: x = left + (right - left - width) / 2; break;
        default: x = right - std::round(rightOverhang(fm, text)) - width; break;
    }
    double y = top + ascent;
    switch (align) {
        case TextAlign::LeftMiddle:
        case TextAlign::CenterMiddle:
        case TextAlign::RightMiddle: y = top + (bottom - top - height) / 2 + ascent; break;
        case TextAlign::LeftBottom:
        case TextAlign::CenterBottom:
        case TextAlign::RightBottom: y = bottom - fm.descent(); break;
        default: break;
    }
    PageOp o = op(PageOp::Text);
    o.text = text;
    o.glyphs = std::move(glyphs);
    o.origin = QPointF(x, y);
    o.rect = rectOf(left, top, right, bottom);
    // Most texts fit their box; only the others pay for a clip on every device.
    const QRectF box = AreaOf(o.rect);
    o.clip = x < box.left() - 0.01 || x + width > box.right() + 0.01 ||
             y - ascent < box.top() - 0.01 || y + fm.descent() > box.bottom() + 0.01;
    page_->Ops.push_back(std::move(o));
}

void ReplayPage(const PageRecording& page, QPainter& painter, const QRectF& target,
                const QRect& clip) {
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / page.PageSize.width(), target.height() / page.PageSize.height());
    // A clip costs on every later state change of a PDF; the whole paper needs none.
    if (!clip.isEmpty() && !clip.contains(QRect(QPoint(0, 0), page.PageSize)))
        painter.setClipRect(AreaOf(clip));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Pens, brushes and fonts change rarely between operations; set them only when they do.
    PenState pen;
    BrushState brush;
    FontState font;
    bool penSet = false, brushSet = false, fontSet = false;
    for (const PageOp& o : page.Ops) {
        if (o.kind != PageOp::Text && o.kind != PageOp::Bitmap && (!penSet || pen != o.pen)) {
            painter.setPen(penFor(o.pen, painter));
            pen = o.pen;
            penSet = true;
        }
        if ((!brushSet || brush != o.brush) &&
            (o.kind == PageOp::Rectangle || o.kind == PageOp::RoundRect ||
             o.kind == PageOp::Ellipse)) {
            painter.setBrush(o.brush.Style == Qt::NoBrush
                                 ? QBrush()
                                 : QBrush(qcolor(o.brush.Color), o.brush.Style));
            brush = o.brush;
            brushSet = true;
        }
        switch (o.kind) {
            case PageOp::Line: painter.drawLine(o.from, o.to); break;
            case PageOp::Rectangle: painter.drawRect(AreaOf(o.rect)); break;
            case PageOp::FillRect:
                painter.fillRect(AreaOf(o.rect), QBrush(qcolor(o.brush.Color),
                                                o.brush.Style == Qt::NoBrush ? Qt::SolidPattern
                                                                             : o.brush.Style));
                break;
            case PageOp::RoundRect:
                painter.drawRoundedRect(AreaOf(o.rect), o.corner.width() / 2.0,
                                        o.corner.height() / 2.0);
                break;
            case PageOp::Ellipse: painter.drawEllipse(AreaOf(o.rect)); break;
            case PageOp::Bitmap: painter.drawImage(AreaOf(o.rect), o.image); break;
            case PageOp::PatternFill: {
                // The tile repeats from the paper's corner; its pixel is one page unit.
                QBrush tile(o.image);
                painter.fillRect(AreaOf(o.rect), tile);
                break;
            }
            case PageOp::Text: {
                if (!fontSet || font != o.font) {
                    painter.setFont(ReferenceFont(o.font));
                    font = o.font;
                    fontSet = true;
                }
                // Text takes its colour from the font; the next line sets its own pen again.
                painter.setPen(qcolor(o.font.Color));
                penSet = false;
                // Shaped glyphs carry no underline or strike-out; such texts are laid out again.
                const bool decorated = o.font.Style & (fsUnderline | fsStrikeOut);
                const auto draw = [&painter, &o, decorated] {
                    if (decorated || (o.glyphs.isEmpty() && !o.text.isEmpty()))
                        painter.drawText(o.origin, o.text);
                    else
                        for (const QGlyphRun& run : o.glyphs) painter.drawGlyphRun(o.origin, run);
                };
                if (o.clip) {
                    painter.save();
                    painter.setClipRect(AreaOf(o.rect), Qt::IntersectClip);
                    draw();
                    painter.restore();
                } else {
                    draw();
                }
                break;
            }
        }
    }
    painter.restore();
}

}  // namespace korvane
