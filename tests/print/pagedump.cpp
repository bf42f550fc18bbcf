#include "pagedump.h"

#include <QCryptographicHash>
#include <QTextStream>

namespace korvane::testing {
namespace {

QString colour(ColorValue c) {
    const auto v = std::uint32_t(c);
    return QStringLiteral("#%1%2%3")
        .arg(v & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((v >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((v >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

QString box(const QRect& r) {
    return QStringLiteral("(%1,%2)-(%3,%4)")
        .arg(r.left())
        .arg(r.top())
        .arg(r.left() + r.width())
        .arg(r.top() + r.height());
}

QString pen(const PenState& p) {
    QString s = QStringLiteral("pen %1 %2").arg(p.Width).arg(colour(p.Color));
    if (p.Style != Qt::SolidLine) s += QStringLiteral(" style %1").arg(int(p.Style));
    return s;
}

QString brush(const BrushState& b) {
    if (b.Style == Qt::NoBrush) return QStringLiteral("brush none");
    return QStringLiteral("brush %1 %2").arg(int(b.Style)).arg(colour(b.Color));
}

QString picture(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QCryptographicHash hash(QCryptographicHash::Md5);
    for (int y = 0; y < argb.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(argb.constScanLine(y)),
                                    qsizetype(argb.width()) * 4));
    return QStringLiteral("%1x%2 %3")
        .arg(image.width())
        .arg(image.height())
        .arg(QString::fromLatin1(hash.result().toHex().left(12)));
}

QString number(double v) { return QString::number(v, 'f', 2); }

}  // namespace

QString DumpPage(const PageRecording& page) {
    QString out;
    QTextStream s(&out);
    s << "Page " << page.PageSize.width() << "x" << page.PageSize.height() << "\n";
    for (const PageOp& o : page.Ops) {
        switch (o.kind) {
            case PageOp::Line:
                s << QStringLiteral("Line (%1,%2)-(%3,%4) ")
                         .arg(o.from.x())
                         .arg(o.from.y())
                         .arg(o.to.x())
                         .arg(o.to.y())
                  << pen(o.pen);
                break;
            case PageOp::Rectangle:
                s << "Rectangle " << box(o.rect) << " " << pen(o.pen) << " " << brush(o.brush);
                break;
            case PageOp::FillRect:
                s << "FillRect " << box(o.rect) << " " << brush(o.brush);
                break;
            case PageOp::RoundRect:
                s << "RoundRect " << box(o.rect) << " corner " << o.corner.width() << "x"
                  << o.corner.height() << " " << pen(o.pen) << " " << brush(o.brush);
                break;
            case PageOp::Ellipse:
                s << "Ellipse " << box(o.rect) << " " << pen(o.pen) << " " << brush(o.brush);
                break;
            case PageOp::Text:
                s << "Text (" << number(o.origin.x()) << "," << number(o.origin.y()) << ") \""
                  << o.text << "\" \"" << o.font.Name << "\" " << o.font.Height << " "
                  << colour(o.font.Color);
                if (o.font.Style) s << " style " << o.font.Style;
                if (o.clip) s << " clip " << box(o.rect);
                break;
            case PageOp::Bitmap:
                s << "Bitmap " << box(o.rect) << " " << picture(o.image);
                break;
            case PageOp::PatternFill:
                s << "PatternFill " << box(o.rect) << " tile " << picture(o.image);
                break;
        }
        s << "\n";
    }
    return out;
}

}  // namespace korvane::testing
