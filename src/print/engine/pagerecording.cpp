#include "pagerecording.h"

#include "core/fonts.h"
#include "core/qtcolor.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace korvane {
namespace {

// Whether bold in this family is made up by the font engine: it has no bold face of its own.
bool madeUpBold(const QString& family) {
    static QHash<QString, bool> known;
    const auto it = known.constFind(family);
    if (it != known.constEnd()) return *it;
    bool ownBold = false;
    for (const QString& style : QFontDatabase::styles(family))
        ownBold = ownBold || QFontDatabase::weight(family, style) >= QFont::DemiBold;
    known.insert(family, !ownBold);
    return !ownBold;
}

// The family's regular outlines, at a size large enough to scale down without loss.
constexpr double kOutlineSize = 1000;
const QRawFont& plainOutlines(const QString& family) {
    static QHash<QString, QRawFont> fonts;
    auto it = fonts.find(family);
    if (it == fonts.end()) {
        QFont font(family);
        font.setPixelSize(int(kOutlineSize));
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setStyleStrategy(QFont::NoFontMerging);
        QRawFont raw = QRawFont::fromFont(font);
        if (raw.familyName() != family) raw = QRawFont();
        it = fonts.insert(family, raw);
    }
    return *it;
}

// The font engine makes bold up in two ways that differ: the PDF strokes the outline, the
// raster engine widens small glyphs and forgets it for large ones. On a raster device made-up
// bold is drawn here as the PDF draws it: the regular outline, filled and stroked.
bool drawMadeUpBold(QPainter& painter, const QPointF& origin, const QGlyphRun& run) {
    const QRawFont raw = run.rawFont();
    if (raw.weight() < QFont::DemiBold || !madeUpBold(raw.familyName())) return false;
    const QRawFont& plain = plainOutlines(raw.familyName());
    if (!plain.isValid()) return false;
    const double scale = raw.pixelSize() / kOutlineSize;
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> at = run.positions();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (qsizetype i = 0; i < glyphs.size() && i < at.size(); ++i) {
        const QPointF p = origin + at[i];
        path.addPath(
            QTransform(scale, 0, 0, scale, p.x(), p.y()).map(plain.pathForGlyph(glyphs[i])));
    }
    const QColor colour = painter.pen().color();
    painter.save();
    // A stroke of a 60th of the size gives the weight the PDF shows, measured at 3 to 12 mm.
    painter.setPen(
        QPen(colour, raw.pixelSize() / 60.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(colour);
    painter.drawPath(path);
    painter.restore();
    return true;
}

QColor averageColour(const QImage& image) {
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
        }
    const double n = std::max(1.0, double(image.width()) * image.height());
    return QColor(int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(b / n)));
}

// Corners in any order; the far corner lies just outside, as on the Windows canvas.
QRect rectOf(int left, int top, int right, int bottom) {
    return QRect(std::min(left, right), std::min(top, bottom), std::abs(right - left),
                 std::abs(bottom - top));
}

// Pens follow the Windows geometric pen: wider ones have round ends and joins. On a coarse
// device a pen never gets thinner than one device pixel, so grid lines stay visible.
QPen penFor(const PenState& state, const QPainter& painter) {
    QPen pen(ToQColor(state.Color), state.Width, state.Style);
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

// The colour goes with the pen; the face is name, height and style.
bool SameFace(const FontState& a, const FontState& b) {
    return a.Name == b.Name && a.Height == b.Height && a.Style == b.Style;
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

const QFont& PageCanvas::Face::font() const {
    if (!font_) font_ = ReferenceFont(state);
    return *font_;
}

// Overhangs reach outside the advance cell; only negative bearings move the text.
double PageCanvas::Face::leftOverhang(const QString& text) const {
    if (text.isEmpty()) return 0;
    double lb = 0;
    if (metrics) {
        lb = metrics->leftBearing(text.front());
    } else if (const quint32 glyph = raw.glyphIndexesForString(text.left(1)).value(0)) {
        lb = raw.boundingRect(glyph).left();
    }
    return lb < 0 ? -lb : 0;
}

double PageCanvas::Face::rightOverhang(const QString& text) const {
    if (text.isEmpty()) return 0;
    double rb = 0;
    if (metrics) {
        rb = metrics->rightBearing(text.back());
    } else if (const quint32 glyph = raw.glyphIndexesForString(text.right(1)).value(0)) {
        // From the advance rounded to whole pixels, as the font metrics give it.
        rb = std::floor(raw.advancesForGlyphIndexes({glyph}).value(0).x() + 0.5) -
             raw.boundingRect(glyph).right();
    }
    return rb < 0 ? -rb : 0;
}

const PageCanvas::Face& PageCanvas::face() const {
    // A page switches between a handful of fonts thousands of times.
    if (face_ && SameFace(faceFont_, Font)) return *face_;
    QString key =
        QStringLiteral("%1\x1F%2\x1F%3\x1F").arg(Font.Name).arg(Font.Height).arg(Font.Style);
    auto found = faces_.find(key);
    if (found == faces_.end()) {
        auto made = std::make_unique<Face>();
        made->key = key;
        made->state = Font;
        const QFont font = ReferenceFont(Font);
        if (Font.Style & fsBold) {
            made->raw = QRawFont::fromFont(font);
        } else {
            const QString baseKey =
                QStringLiteral("%1\x1F%2").arg(Font.Name).arg(Font.Style & fsItalic);
            auto base = bases_.find(baseKey);
            if (base == bases_.end()) {
                // At the size the face's cell height was measured at, so its engine is reused.
                QFont probe = font;
                probe.setPixelSize(kFontProbePixels);
                base = bases_.emplace(baseKey, QRawFont::fromFont(probe)).first;
            }
            made->raw = base->second;
            if (made->raw.isValid() && made->raw.pixelSize() != font.pixelSize())
                made->raw.setPixelSize(font.pixelSize());
        }
        if ((Font.Style & fsBold) || !made->raw.isValid()) made->metrics.emplace(font);
        made->ascent = made->metrics ? made->metrics->ascent() : made->raw.ascent();
        made->descent = made->metrics ? made->metrics->descent() : made->raw.descent();
        found = faces_.emplace(std::move(key), std::move(made)).first;
    }
    face_ = found->second.get();
    faceFont_ = Font;
    return *face_;
}

bool PlainText(const QString& text) {
    bool latinBefore = false;
    for (const QChar c : text) {
        if (c.isSurrogate() || c.isMark() || c.category() == QChar::Other_Control ||
            c.category() == QChar::Other_Format)
            return false;
        const bool latin = c.script() == QChar::Script_Latin;
        if (latin && latinBefore) return false;
        latinBefore = latin;
        switch (c.script()) {
            case QChar::Script_Common:
            case QChar::Script_Latin:
            case QChar::Script_Han:
            case QChar::Script_Hiragana:
            case QChar::Script_Katakana:
                break;
            default:
                return false;
        }
    }
    return true;
}

QList<QGlyphRun> PageCanvas::shape(const QString& text, double& width) const {
    const Face& f = face();
    // Pages repeat their texts (times, rokuyō, weekday names, the copies of an outline): each
    // is shaped once per font. The colour does not change the glyphs.
    QString key = f.key + text;
    if (const auto found = shaped_.find(key); found != shaped_.end()) {
        width = found->second.width;
        return found->second.runs;
    }
    if (shaped_.size() > 4096) shaped_.clear();
    // Plain text in a font that holds all its characters is laid out from the font's advances,
    // as the full layout would do it at several times the cost; anything else takes the layout.
    if (f.raw.isValid() && PlainText(text)) {
        const QList<quint32> glyphs = f.raw.glyphIndexesForString(text);
        if (glyphs.size() == text.size() && !glyphs.contains(0)) {
            const QList<QPointF> advances = f.raw.advancesForGlyphIndexes(glyphs);
            QList<QPointF> at;
            at.reserve(advances.size());
            double x = 0;
            for (const QPointF& a : advances) {
                at.append(QPointF(x, 0));
                x += a.x();
            }
            QGlyphRun run;
            run.setRawFont(f.raw);
            run.setGlyphIndexes(glyphs);
            run.setPositions(at);
            QList<QGlyphRun> runs{run};
            width = x;
            shaped_.emplace(std::move(key), Shaped{runs, width});
            return runs;
        }
    }
    QTextLayout layout(text, f.font());
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
    double width{};
    shape(text, width);
    return int(std::lround(width));
}

int PageCanvas::TextHeight() const {
    const Face& f = face();
    return int(std::lround(f.ascent + f.descent));
}

void PageCanvas::TextOut(int x, int y, const QString& text) {
    const Face& f = face();
    PageOp o = op(PageOp::Text);
    o.text = text;
    double width{};
    o.glyphs = shape(text, width);
    o.origin = QPointF(x + std::round(f.leftOverhang(text)), y + f.ascent);
    page_->Ops.push_back(std::move(o));
}

void PageCanvas::DrawTextBox(int left, int top, int right, int bottom, const QString& text,
                             TextAlign align) {
    const Face& f = face();
    double width{};
    QString shown = text;
    QList<QGlyphRun> glyphs = shape(shown, width);
    const bool leftAligned = align == TextAlign::LeftTop || align == TextAlign::LeftMiddle ||
                             align == TextAlign::LeftBottom;
    // A text longer than its box ends at its last whole character: half a character on paper
    // reads as a printing fault.
    if (leftAligned) {
        const double room = right - left - std::round(f.leftOverhang(text)) + 0.01;
        if (width > room) {
            // The longest start that fits, found by halves over whole characters.
            std::vector<qsizetype> ends;  // where each character ends
            for (qsizetype i = 0; i < text.size(); ++i)
                if (!(text[i].isHighSurrogate() && i + 1 < text.size() &&
                      text[i + 1].isLowSurrogate()))
                    ends.push_back(i + 1);
            qsizetype fits = 0, tooLong = qsizetype(ends.size());  // counts of characters
            while (tooLong - fits > 1) {
                const qsizetype mid = (fits + tooLong) / 2;
                double w{};
                shape(text.left(ends[std::size_t(mid - 1)]), w);
                (w > room ? tooLong : fits) = mid;
            }
            shown = text.left(fits == 0 ? 0 : ends[std::size_t(fits - 1)]);
            glyphs = shape(shown, width);
        }
    }
    const double ascent = f.ascent;
    const double height = f.ascent + f.descent;
    double x = left;
    switch (align) {
        case TextAlign::LeftTop:
        case TextAlign::LeftMiddle:
        case TextAlign::LeftBottom:
            x = left + std::round(f.leftOverhang(text));
            break;
        case TextAlign::CenterMiddle:
        case TextAlign::CenterBottom:
            x = left + (right - left - width) / 2;
            break;
        default:
            x = right - std::round(f.rightOverhang(text)) - width;
            break;
    }
    double y = top + ascent;
    switch (align) {
        case TextAlign::LeftMiddle:
        case TextAlign::CenterMiddle:
        case TextAlign::RightMiddle:
            y = top + (bottom - top - height) / 2 + ascent;
            break;
        case TextAlign::LeftBottom:
        case TextAlign::CenterBottom:
        case TextAlign::RightBottom:
            y = bottom - f.descent;
            break;
        default:
            break;
    }
    PageOp o = op(PageOp::Text);
    o.text = shown;
    o.glyphs = std::move(glyphs);
    o.origin = QPointF(x, y);
    o.rect = rectOf(left, top, right, bottom);
    // Most texts fit their box; only the others pay for a clip on every device.
    const QRectF box = AreaOf(o.rect);
    o.clip = x < box.left() - 0.01 || x + width > box.right() + 0.01 ||
             y - ascent < box.top() - 0.01 || y + f.descent > box.bottom() + 0.01;
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
    // Pens and brushes change rarely between operations; set them only when they do. Only the
    // rare decorated texts need the painter's font.
    std::optional<PenState> pen;
    std::optional<BrushState> brush;
    for (const PageOp& o : page.Ops) {
        if (o.kind != PageOp::Text && o.kind != PageOp::Bitmap && pen != o.pen) {
            painter.setPen(penFor(o.pen, painter));
            pen = o.pen;
        }
        if (brush != o.brush && (o.kind == PageOp::Rectangle || o.kind == PageOp::RoundRect ||
                                 o.kind == PageOp::Ellipse)) {
            painter.setBrush(o.brush.Style == Qt::NoBrush
                                 ? QBrush()
                                 : QBrush(ToQColor(o.brush.Color), o.brush.Style));
            brush = o.brush;
        }
        switch (o.kind) {
            case PageOp::Line:
                painter.drawLine(o.from, o.to);
                break;
            case PageOp::Rectangle:
                painter.drawRect(AreaOf(o.rect));
                break;
            case PageOp::FillRect:
                painter.fillRect(
                    AreaOf(o.rect),
                    QBrush(ToQColor(o.brush.Color),
                           o.brush.Style == Qt::NoBrush ? Qt::SolidPattern : o.brush.Style));
                break;
            case PageOp::RoundRect:
                painter.drawRoundedRect(AreaOf(o.rect), o.corner.width() / 2.0,
                                        o.corner.height() / 2.0);
                break;
            case PageOp::Ellipse:
                painter.drawEllipse(AreaOf(o.rect));
                break;
            case PageOp::Bitmap:
                painter.drawImage(AreaOf(o.rect), o.image);
                break;
            case PageOp::PatternFill: {
                // The tile repeats from the paper's corner; its pixel is one page unit. Where a
                // device pixel is larger than that, the dots would alias into specks and
                // blocks: the even tint they print as is drawn instead.
                const QTransform& t = painter.deviceTransform();
                if (std::min(std::hypot(t.m11(), t.m12()), std::hypot(t.m21(), t.m22())) < 1.0)
                    painter.fillRect(AreaOf(o.rect), averageColour(o.image));
                else
                    painter.fillRect(AreaOf(o.rect), QBrush(o.image));
                break;
            }
            case PageOp::Text: {
                // Text takes its colour from the font; the next line sets its own pen again.
                painter.setPen(ToQColor(o.font.Color));
                pen.reset();
                // Shaped glyphs carry no underline or strike-out; such texts are laid out
                // again, and only they need the painter's font.
                const bool decorated = o.font.Style & (fsUnderline | fsStrikeOut);
                const bool laidOut = decorated || (o.glyphs.isEmpty() && !o.text.isEmpty());
                if (laidOut) painter.setFont(ReferenceFont(o.font));
                const bool raster = painter.paintEngine()->type() != QPaintEngine::Pdf;
                const auto draw = [&painter, &o, laidOut, raster] {
                    if (laidOut) {
                        painter.drawText(o.origin, o.text);
                        return;
                    }
                    for (const QGlyphRun& run : o.glyphs)
                        if (!raster || !drawMadeUpBold(painter, o.origin, run))
                            painter.drawGlyphRun(o.origin, run);
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
