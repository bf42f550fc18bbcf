// Draws the five styles of the publicity calendar: each a base picture C888_642_Y.gif, header
// pictures HeadImg/M<month>.bmp, mon<month>.bmp and n<year>.bmp, and its Pcal.ini.
//   pcalstyles OUTDIR          writes OUTDIR/Style1 … Style5
//   pcalstyles --check DIR     compares DIR with what it would write; lists what differs
// The composer lays the month grid (822 × 519 in the main window) at (35, 89) of the 898 × 652
// picture, that is at (30, 84) of the base; the header pictures sit in the band above it.
#include "publish/picturewriters.h"
#include "publish/quantiser.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

using namespace korvane;

namespace {

constexpr int kFirstYear = 2026, kLastYear = 2040;  // the samples' years and ten on
constexpr int kBandHeight = 78;

struct Style {
    const char* title;  // the footer's caption
    const char* note;   // the footer's small print
    QColor paper, band, ink, accent, accent2, footer;
    const char* face;  // the header's type
    std::function<void(QPainter&, const Style&)> motif;
    const char* offsets;  // Pcal.ini's eight fields
};

const char* const kOldMonths[] = {"睦月", "如月", "弥生", "卯月",   "皐月", "水無月",
                                  "文月", "葉月", "長月", "神無月", "霜月", "師走"};
const char* const kEnglishMonths[] = {"January",   "February", "March",    "April",
                                      "May",       "June",     "July",     "August",
                                      "September", "October",  "November", "December"};

QFont font(const char* family, int pixels, bool bold = false) {
    QFont f(QString::fromUtf8(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// A flower of five round petals.
void petal(QPainter& p, QPointF at, double r, double turn, QColor colour) {
    p.save();
    p.translate(at);
    p.rotate(turn);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < 5; ++i) {
        p.drawEllipse(QPointF(0, -r * 0.9), r * 0.55, r * 0.8);
        p.rotate(72);
    }
    p.setBrush(colour.darker(130));
    p.drawEllipse(QPointF(0, 0), r * 0.22, r * 0.22);
    p.restore();
}

void leaf(QPainter& p, QPointF at, double r, double turn, QColor colour) {
    p.save();
    p.translate(at);
    p.rotate(turn);
    QPainterPath path;
    path.moveTo(0, -r);
    path.quadTo(r * 0.7, 0, 0, r);
    path.quadTo(-r * 0.7, 0, 0, -r);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
    p.setPen(QPen(colour.darker(140), 1.2));
    p.drawLine(QPointF(0, -r * 0.85), QPointF(0, r * 1.15));
    p.restore();
}

// A maple leaf as a star of five long and five short points.
void maple(QPainter& p, QPointF at, double r, double turn, QColor colour) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double a = (turn + i * 36.0 - 90.0) * M_PI / 180.0;
        const double d = i % 2 == 0 ? r : r * 0.45;
        star << at + QPointF(std::cos(a) * d, std::sin(a) * d);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(star);
    p.setPen(QPen(colour.darker(150), 1.5));
    p.drawLine(at, at + QPointF(std::cos((turn + 90) * M_PI / 180) * r * 0.9,
                                std::sin((turn + 90) * M_PI / 180) * r * 0.9));
}

void waves(QPainter& p, double y, double amplitude, QColor colour, double phase) {
    QPainterPath path;
    path.moveTo(0, 642);
    for (int x = 0; x <= 888; x += 4) path.lineTo(x, y + amplitude * std::sin(x / 38.0 + phase));
    path.lineTo(888, 642);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

std::vector<Style> styles() {
    return {
        {"広報カレンダー", "行事・休館日は変更になることがあります", QColor(0xFF, 0xFA, 0xFB),
         QColor(0xF8, 0xD7, 0xE1), QColor(0x9C, 0x2F, 0x55), QColor(0xF2, 0xA7, 0xBE),
         QColor(0xE8, 0x7E, 0x9E), QColor(0xC2, 0x4A, 0x73), "IPAPMincho",
         [](QPainter& p, const Style& s) {
             const double spots[][4] = {{40, 30, 16, 10},  {88, 58, 11, 40},  {150, 24, 9, 15},
                                        {760, 26, 10, 30}, {820, 52, 15, 5},  {862, 22, 9, 50},
                                        {14, 200, 8, 20},  {872, 320, 8, 60}, {14, 480, 7, 35},
                                        {874, 560, 9, 12}};
             for (const auto& d : spots)
                 petal(p, QPointF(d[0], d[1]), d[2], d[3], int(d[3]) % 2 ? s.accent : s.accent2);
         },
         "35,89,-4,-4,-5,115,5,5"},
        {"今月の予定", "水曜日は定例会議のため窓口の受付は 16 時までです", QColor(0xF7, 0xFB, 0xFE),
         QColor(0xCF, 0xE6, 0xF6), QColor(0x14, 0x4A, 0x7C), QColor(0x7F, 0xB8, 0xE0),
         QColor(0x3E, 0x8E, 0xC8), QColor(0x1F, 0x63, 0x9E), "IPAPGothic",
         [](QPainter& p, const Style& s) {
             waves(p, 628, 3, s.accent, 0.0);
             waves(p, 634, 3, s.accent2, 1.7);
             p.setPen(QPen(s.accent2, 1.5));
             p.setBrush(Qt::NoBrush);
             const double bubbles[][3] = {{30, 24, 9},  {52, 50, 6},   {76, 30, 4},
                                          {812, 22, 7}, {840, 46, 10}, {866, 26, 5}};
             for (const auto& b : bubbles) p.drawEllipse(QPointF(b[0], b[1]), b[2], b[2]);
         },
         "35,89,-4,-4,0,113,5,6"},
        {"まちの行事カレンダー", "ごみの収集日は各地区の掲示をご覧ください",
         QColor(0xFA, 0xFD, 0xF6), QColor(0xDB, 0xEE, 0xCF), QColor(0x2E, 0x5E, 0x1E),
         QColor(0x8C, 0xC6, 0x6E), QColor(0x5A, 0xA0, 0x3C), QColor(0x3F, 0x7A, 0x2A), "IPAPGothic",
         [](QPainter& p, const Style& s) {
             const double spots[][4] = {{34, 36, 20, -35}, {70, 52, 14, 20},   {104, 30, 11, -60},
                                        {784, 34, 12, 50}, {820, 52, 16, -20}, {856, 30, 19, 30},
                                        {14, 330, 11, 10}, {874, 330, 11, -10}};
             for (const auto& d : spots)
                 leaf(p, QPointF(d[0], d[1]), d[2], d[3], int(d[2]) % 2 ? s.accent : s.accent2);
         },
         "35,89,-4,-4,-5,118,5,4"},
        {"営業日カレンダー", "赤い日は定休日です　ご来店をお待ちしております",
         QColor(0xFF, 0xFB, 0xF4), QColor(0xF7, 0xE2, 0xC6), QColor(0x7A, 0x33, 0x10),
         QColor(0xE8, 0x8A, 0x3A), QColor(0xC8, 0x4B, 0x2A), QColor(0x9A, 0x45, 0x1C), "IPAPMincho",
         [](QPainter& p, const Style& s) {
             const double spots[][4] = {{36, 38, 22, 10},  {82, 24, 12, -15},  {110, 58, 10, 30},
                                        {776, 56, 11, 20}, {818, 30, 16, -10}, {860, 52, 20, 25}};
             for (const auto& d : spots)
                 maple(p, QPointF(d[0], d[1]), d[2], d[3], int(d[2]) % 4 ? s.accent2 : s.accent);
         },
         "35,89,-4,-4,-5,115,6,5"},
        {"お知らせ", "この予定表は掲示用です", QColor(0xFF, 0xFF, 0xFF), QColor(0xEC, 0xEE, 0xF2),
         QColor(0x1E, 0x2A, 0x44), QColor(0x9A, 0xA3, 0xB5), QColor(0x4A, 0x55, 0x70),
         QColor(0x2B, 0x36, 0x52), "IPAPMincho",
         [](QPainter& p, const Style& s) {
             p.setPen(QPen(s.accent2, 2));
             p.drawLine(12, kBandHeight - 6, 876, kBandHeight - 6);
             p.setPen(QPen(s.accent, 1));
             p.drawLine(12, kBandHeight - 2, 876, kBandHeight - 2);
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(6.5, 6.5, 875, 629));
             p.setPen(QPen(s.accent2, 1));
             p.drawRect(QRectF(9.5, 9.5, 869, 623));
         },
         "35,89,-4,-4,-5,115,5,5"},
    };
}

QImage base(const Style& s) {
    QImage image(888, 642, QImage::Format_RGB32);
    image.fill(s.paper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, 888, kBandHeight), s.band);
    // The calendar's place, a little lighter than the paper around it.
    p.fillRect(QRect(22, 76, 844, 538), s.paper.lighter(102));
    s.motif(p, s);
    p.setPen(s.footer);
    p.setFont(font(s.face, 20, true));
    p.drawText(QRect(30, 610, 400, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(s.title));
    p.setPen(s.ink);
    p.setFont(font("IPAPGothic", 13));
    p.drawText(QRect(360, 610, 496, 30), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromUtf8(s.note));
    return image;
}

// Text on the band's colour, a two-pixel margin of it around (the composer makes the bottom-left
// colour transparent).
QImage label(const Style& s, const QList<std::pair<QString, QFont>>& parts, QColor colour,
             int height) {
    int width = 4;
    for (const auto& [text, f] : parts) width += QFontMetrics(f).horizontalAdvance(text);
    // Rows of whole words: Qt's BMP writer pads a row with bytes it never sets.
    width = (width + 3) / 4 * 4;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(s.band);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(colour);
    int x = 2;
    for (const auto& [text, f] : parts) {
        p.setFont(f);
        p.drawText(x, height - 2 - QFontMetrics(f).descent(), text);
        x += QFontMetrics(f).horizontalAdvance(text);
    }
    return image;
}

QByteArray bmp(const QImage& picture) {
    // Eight bits a pixel: the type's few shades need no more.
    const IndexedPicture indexed = QuantiseForGif(picture);
    QImage image(indexed.Width, indexed.Height, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(indexed.Palette.begin(), indexed.Palette.end()));
    for (int y = 0; y < image.height(); ++y)
        std::copy_n(indexed.Pixels.begin() + qsizetype(y) * image.width(), image.width(),
                    image.scanLine(y));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    image.save(&out, "BMP");
    return out.data();
}

std::map<QString, QByteArray> files() {
    std::map<QString, QByteArray> out;
    const std::vector<Style> all = styles();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Style& s = all[i];
        const QString folder = QStringLiteral("Style%1/").arg(i + 1);
        out[folder + "C888_642_Y.gif"] = *EncodeGif(QuantiseForGif(base(s)));
        const QStringList fields = QString::fromLatin1(s.offsets).split(u',');
        const char* keys[] = {"edtmx", "edtmy", "edtwx",  "edtwy",
                              "edthx", "edthy", "edtwx2", "edtwy2"};
        QByteArray ini("[Pcal]\r\n");
        for (int k = 0; k < 8; ++k)
            ini += QByteArray(keys[k]) + '=' + fields[k].toLatin1() + "\r\n";
        out[folder + "Pcal.ini"] = ini;
        for (int m = 1; m <= 12; ++m) {
            out[folder + QStringLiteral("HeadImg/M%1.bmp").arg(m)] =
                bmp(label(s,
                          {{QString::number(m), font(s.face, 50, true)},
                           {QStringLiteral("月"), font(s.face, 30, true)}},
                          s.ink, 54));
            out[folder + QStringLiteral("HeadImg/mon%1.bmp").arg(m)] =
                bmp(label(s,
                          {{QString::fromUtf8(kOldMonths[m - 1]) + u' ', font(s.face, 20, true)},
                           {QString::fromLatin1(kEnglishMonths[m - 1]), font("IPAPGothic", 14)}},
                          s.footer, 26));
        }
        for (int y = kFirstYear; y <= kLastYear; ++y)
            out[folder + QStringLiteral("HeadImg/n%1.bmp").arg(y)] =
                bmp(label(s,
                          {{QString::number(y), font(s.face, 28, true)},
                           {QStringLiteral("年"), font(s.face, 18, true)}},
                          s.footer, 32));
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool check = args.value(0) == u"--check";
    const QString root = args.value(check ? 1 : 0);
    if (root.isEmpty() || args.size() != (check ? 2 : 1)) {
        std::fprintf(stderr, "usage: pcalstyles OUTDIR | pcalstyles --check DIR\n");
        return 2;
    }
    int differences = 0;
    for (const auto& [name, bytes] : files()) {
        const QString path = root + u'/' + name;
        QFile f(path);
        if (check) {
            if (!f.open(QIODevice::ReadOnly) || f.readAll() != bytes) {
                std::fprintf(stderr, "differs from the generator: %s\n", qUtf8Printable(path));
                ++differences;
            }
            continue;
        }
        QDir().mkpath(path.section(u'/', 0, -2));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(path));
            return 1;
        }
    }
    if (differences)
        std::fprintf(stderr, "%d files differ: rewrite them with pcalstyles data/Pcal\n",
                     differences);
    return differences ? 1 : 0;
}
