#include "publicitycalendar.h"

#include "core/paths.h"
#include "settings/inifile.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>

namespace korvane {
namespace {

constexpr std::array<int, 8> kDefaults{35, 89, -4, -4, -5, 115, 5, 5};
enum Field { Mx, My, Wx, Wy, Hx, Hy, Wx2, Wy2 };

// A one-pixel outline through both corners.
void outline(QPainter& p, const QRect& r, QColor colour) {
    const QRect n = r.normalized();
    p.fillRect(QRect(n.left(), n.top(), n.width(), 1), colour);
    p.fillRect(QRect(n.left(), n.bottom(), n.width(), 1), colour);
    p.fillRect(QRect(n.left(), n.top(), 1, n.height()), colour);
    p.fillRect(QRect(n.right(), n.top(), 1, n.height()), colour);
}

QString userCopy(const QString& settingsFolder, int style) {
    return settingsFolder + PcalStyleFolder(style) + QStringLiteral("Pcal.ini");
}

void readInto(const QString& file, PcalOffsetTexts& texts) {
    if (file.isEmpty() || !QFileInfo(file).isFile()) return;
    const QHash<QString, QString> values = IniFile(file).ReadSectionValues(QStringLiteral("Pcal"));
    for (std::size_t i = 0; i < texts.Text.size(); ++i) {
        const auto it = values.constFind(QString::fromLatin1(PcalOffsetKeys()[i]));
        if (it != values.constEnd()) texts.Text[i] = *it;
    }
}

}  // namespace

PcalOffsetTexts::PcalOffsetTexts() {
    for (std::size_t i = 0; i < Text.size(); ++i) Text[i] = QString::number(kDefaults[i]);
}

const std::array<const char*, 8>& PcalOffsetKeys() {
    static const std::array<const char*, 8> keys{"edtmx", "edtmy", "edtwx",  "edtwy",
                                                 "edthx", "edthy", "edtwx2", "edtwy2"};
    return keys;
}

int PcalOffset(const PcalOffsetTexts& texts, int field) {
    bool ok = false;
    const int value = texts.Text[std::size_t(field)].trimmed().toInt(&ok);
    return std::clamp(ok ? value : kDefaults[std::size_t(field)], -kPcalOffsetLimit,
                      kPcalOffsetLimit);
}

PcalPlacement PlacePcalGrid(const PcalOffsetTexts& texts, QSize gridControl) {
    const int mx = PcalOffset(texts, Mx), my = PcalOffset(texts, My);
    const int wx = PcalOffset(texts, Wx), wy = PcalOffset(texts, Wy);
    const int w = gridControl.width(), h = gridControl.height();
    return {QPoint(mx, my), QRect(QPoint(mx - 1, my - 1), QPoint(mx - 1 + wx + w, my - 1 + wy + h)),
            QRect(QPoint(mx - 4, my - 4), QPoint(mx - 4 + wx + w + 6, my - 4 + wy + h + 6))};
}

PcalHeaderPlaces PlacePcalHeader(const PcalOffsetTexts& texts, const PcalHeader& header,
                                 int width) {
    int x0 = 0, y0 = 0, w = 0, h = 0;
    if (!header.Month.isNull()) {
        w = header.Month.width();
        h = header.Month.height();
        x0 = PcalOffset(texts, Hx) + (width - w) / 2;
        y0 = (PcalOffset(texts, Hy) - h) / 2;
    }
    const int wy2 = PcalOffset(texts, Wy2);
    return {QPoint(x0, y0), QPoint(x0 + w + 20, y0 + h - header.MonthName.height() - wy2 - 2),
            QPoint(x0 - header.Year.width() - 20, y0 + h - header.Year.height() - wy2)};
}

QImage WithCornerTransparent(const QImage& picture) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull()) return out;
    const QRgb key = out.pixel(0, out.height() - 1);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (row[x] == key) row[x] = 0;
    }
    return out;
}

QImage ComposePcal(const QImage& base, const QImage& gridPicture, QSize gridControl,
                   const PcalOffsetTexts& texts, const PcalHeader& header) {
    QImage out(base.width() + 10, base.height() + 10, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.drawImage(5, 5, base);
    const PcalPlacement grid = PlacePcalGrid(texts, gridControl);
    p.drawImage(grid.Grid, gridPicture);
    outline(p, grid.Frame, Qt::black);
    outline(p, grid.OuterFrame, QColor(0x80, 0x80, 0x00));
    const PcalHeaderPlaces places = PlacePcalHeader(texts, header, out.width());
    const std::pair<const QImage*, QPoint> pictures[] = {{&header.Month, places.Month},
                                                         {&header.MonthName, places.MonthName},
                                                         {&header.Year, places.Year}};
    for (const auto& [picture, at] : pictures)
        if (!picture->isNull()) p.drawImage(at, WithCornerTransparent(*picture));
    p.end();
    return out.convertToFormat(QImage::Format_ARGB32);
}

QString PcalStyleFolder(int index) {
    const int style = index >= 0 && index < kPcalStyles ? index + 1 : 1;
    return QStringLiteral("Pcal/Style%1/").arg(style);
}

void ReadPcalOffsets(const QString& programFolder, const QString& settingsFolder, int style,
                     PcalOffsetTexts& texts) {
    readInto(FindPath(programFolder, PcalStyleFolder(style) + QStringLiteral("Pcal.ini")), texts);
    readInto(userCopy(settingsFolder, style), texts);
}

bool WritePcalOffsets(const QString& settingsFolder, int style, const PcalOffsetTexts& texts,
                      QString* error) {
    const QString file = userCopy(settingsFolder, style);
    if (!QDir().mkpath(QFileInfo(file).path())) {
        if (error) *error = QStringLiteral("%1 を作れません。").arg(QFileInfo(file).path());
        return false;
    }
    try {
        IniFile::Hold hold(file);
        IniFile ini(file);
        for (std::size_t i = 0; i < texts.Text.size(); ++i)
            ini.WriteString(QStringLiteral("Pcal"), QString::fromLatin1(PcalOffsetKeys()[i]),
                            texts.Text[i]);
        hold.Commit();
    } catch (const EIniError& e) {
        if (error) *error = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

}  // namespace korvane
