#pragma once

#include "core/colortext.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class QPainter;

namespace korvane {

// Everything printed is drawn in integer 0.1 mm from the paper's top-left corner into a recording
// that replays onto any painter (preview, printer, PDF, PNG). Each operation carries its own pen,
// brush and font; text is placed when recorded, measured on a reference device whose pixel is
// 0.1 mm with hinting off, so no device measures it again.

struct PenState {
    ColorValue Color = clBlack;
    int Width = 0;  // 0.1 mm; 0 is the thinnest line the device draws
    Qt::PenStyle Style = Qt::SolidLine;
    bool operator==(const PenState&) const = default;
};

struct BrushState {
    ColorValue Color = clWhite;
    Qt::BrushStyle Style = Qt::NoBrush;
    bool operator==(const BrushState&) const = default;
};

// Font style bits as the settings keep them.
enum : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct FontState {
    QString Name = QStringLiteral("ＭＳ 明朝");
    int Height = -37;  // 0.1 mm; negative: the character height, positive: the cell height
    ColorValue Color = clBlack;
    int Style = 0;
    bool operator==(const FontState&) const = default;
};

enum class TextAlign {
    LeftTop,
    LeftMiddle,
    LeftBottom,
    CenterMiddle,
    CenterBottom,
    RightTop,
    RightMiddle,
    RightBottom
};

struct PageOp {
    enum Kind { Line, Rectangle, FillRect, RoundRect, Ellipse, Text, Bitmap, PatternFill };
    Kind kind = Line;
    QPoint from, to;  // Line
    // Shapes, bitmaps and pattern fills; the clip box of Text. Right and bottom edges are
    // exclusive, as on the Windows canvas: (300,1100)-(1300,1600) covers 1000 x 500.
    QRect rect;
    QSize corner;  // RoundRect
    PenState pen;
    BrushState brush;
    FontState font;
    QString text;
    QPointF origin;     // Text: the baseline origin
    QImage image;       // Bitmap: the picture; PatternFill: the tile, one pixel per 0.1 mm
    bool clip = false;  // Text: reaches outside its box, so the box cuts it
    // Text: the shaped glyphs, baseline at 0 from the origin, so replays never shape again.
    QList<QGlyphRun> glyphs;
};

// The page area an operation's rectangle stands for, right and bottom edges exclusive.
inline QRectF AreaOf(const QRect& r) { return QRectF(r.x(), r.y(), r.width(), r.height()); }

struct PageRecording {
    QSize PageSize{2100, 2970};  // 0.1 mm
    std::vector<PageOp> Ops;
};

// The font a state stands for, sized in 0.1 mm (one reference pixel each).
QFont ReferenceFont(const FontState& state);

// Text that needs no shaping beyond one glyph per character: Japanese, digits, punctuation and
// single Latin letters, without marks, controls or surrogates. Two Latin letters in a row may
// form a ligature or a kerning pair.
bool PlainText(const QString& text);

// A stateful canvas, like the Windows one, that records into a page.
class PageCanvas {
public:
    PageCanvas(const PageCanvas&) = delete;
    PageCanvas& operator=(const PageCanvas&) = delete;
    explicit PageCanvas(PageRecording& page) : page_(&page) {}
    void SetPage(PageRecording& page) { page_ = &page; }
    // Back to a new canvas's font, pen, brush and position.
    void Reset();

    FontState Font;
    PenState Pen;
    BrushState Brush;

    void SetFontName(const QString& name) { Font.Name = name; }
    void SetFontHeight(int height) { Font.Height = height; }
    void SetFontColor(ColorValue color) { Font.Color = color; }
    void SetFontStyle(int style) { Font.Style = style; }
    void SetPenColor(ColorValue color) { Pen.Color = color; }
    void SetPenWidth(int width) { Pen.Width = width; }
    void SetBrushStyle(Qt::BrushStyle style) { Brush.Style = style; }
    void SetBrushColor(ColorValue color) { Brush.Color = color; }

    void MoveTo(int x, int y) { at_ = QPoint(x, y); }
    void LineTo(int x, int y);
    void Rectangle(int left, int top, int right, int bottom);
    void FillRect(int left, int top, int right, int bottom);
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Ellipse(int left, int top, int right, int bottom);
    // A picture stretched into the box.
    void Draw(int left, int top, int right, int bottom, const QImage& image);
    // Fills the box with the tile repeated from the paper's corner, one tile pixel per 0.1 mm.
    void PatternFill(int left, int top, int right, int bottom, const QImage& tile);
    // Text with its top-left at (x, y), moved right by its first character's left overhang.
    void TextOut(int x, int y, const QString& text);
    // One line in a box, in one of eight alignments; left alignments correct the first
    // character's overhang, right ones the last character's.
    void DrawTextBox(int left, int top, int right, int bottom, const QString& text,
                     TextAlign align);
    // Text outlined for black-and-white printing: copies in the outline colour around it (two
    // more rings when thick), then the text in the fill colour one step in; all vector text.
    void OutlinedTextOut(int x, int y, const QString& text, ColorValue outline, ColorValue fill,
                         bool thick = false);
    // Width of a text in 0.1 mm in the current font.
    int TextWidth(const QString& text) const;
    int TextHeight() const;

private:
    PageOp op(PageOp::Kind kind) const;
    // The text shaped in the current font and its advance width.
    QList<QGlyphRun> shape(const QString& text, double& width) const;

    // A font as the canvas measures and shapes with it; the colour plays no part. Sizes of one
    // face share its font file: only the first size is matched through fontconfig.
    struct Face {
        QString key;  // name, height and style
        FontState state;
        QRawFont raw;
        double ascent = 0, descent = 0;
        // Synthetic bold measures differently at each size; such faces keep matched metrics.
        std::optional<QFontMetricsF> metrics;
        // Only texts that need a full layout pay for a matched font.
        const QFont& font() const;
        double leftOverhang(const QString& text) const;
        double rightOverhang(const QString& text) const;

    private:
        mutable std::optional<QFont> font_;
    };
    const Face& face() const;

    PageRecording* page_;
    mutable std::unordered_map<QString, std::unique_ptr<Face>> faces_;
    mutable std::unordered_map<QString, QRawFont> bases_;  // by name and bold/italic
    mutable const Face* face_ = nullptr;
    mutable FontState faceFont_;
    struct Shaped {
        QList<QGlyphRun> runs;
        double width = 0;
    };
    mutable std::unordered_map<QString, Shaped> shaped_;
    QPoint at_;
};

// Draws the page into target (device coordinates of the whole paper); clip, when not empty, is
// the printable area in 0.1 mm. No line comes out thinner than one device pixel.
void ReplayPage(const PageRecording& page, QPainter& painter, const QRectF& target,
                const QRect& clip = QRect());

}  // namespace korvane
