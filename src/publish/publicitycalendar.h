#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <optional>

namespace korvane {

// The border around the base picture, written to the GIF as its transparent colour.
inline constexpr QRgb kPcalBorderColour = 0xFFFF6347;
inline constexpr int kPcalOffsetLimit = 10000;
inline constexpr int kPcalStyles = 5;

// The eight offset fields of a style, as typed (edtmx … edtwy2), in the order of their keys.
struct PcalOffsetTexts {
    std::array<QString, 8> Text;
    // The window's defaults: 35, 89, -4, -4, -5, 115, 5, 5.
    PcalOffsetTexts();
};
// The keys of Pcal.ini's [Pcal], in the order of the fields.
const std::array<const char*, 8>& PcalOffsetKeys();

// A typed offset as a number: a text that is not a whole number gives the field's default, and
// every value is held within ±10000.
int PcalOffset(const PcalOffsetTexts& texts, int field);

// Where the composer draws, from the offsets: the month grid's picture at Grid; the two frames
// around it (their corners both inside the frame); the header band's pictures.
struct PcalPlacement {
    QPoint Grid;
    QRect Frame, OuterFrame;
};
PcalPlacement PlacePcalGrid(const PcalOffsetTexts& texts, QSize gridControl);

// The header pictures of a month; a null picture is a missing file.
struct PcalHeader {
    QImage Month, MonthName, Year;
};
// Where each header picture goes on a composition width wide.
struct PcalHeaderPlaces {
    QPoint Month, MonthName, Year;
};
PcalHeaderPlaces PlacePcalHeader(const PcalOffsetTexts& texts, const PcalHeader& header, int width);

// The composition: the base picture within a 5-pixel border (transparent, alpha 0, to be
// written as kPcalBorderColour), the grid's picture with its two frames, the header pictures
// with their bottom-left colour transparent. ARGB32.
QImage ComposePcal(const QImage& base, const QImage& gridPicture, QSize gridControl,
                   const PcalOffsetTexts& texts, const PcalHeader& header);

// A picture whose pixels of its bottom-left colour are transparent.
QImage WithCornerTransparent(const QImage& picture);

// "Pcal/Style1/" … "Pcal/Style5/" for the indexes 0 … 4; any other index is Style1's.
QString PcalStyleFolder(int index);

// The style's offsets: the shipped Pcal.ini of programFolder's style folder, then the user's copy
// under settingsFolder over it (a missing key leaves the field as it was).
void ReadPcalOffsets(const QString& programFolder, const QString& settingsFolder, int style,
                     PcalOffsetTexts& texts);
// Into the user's copy (the program folder may be read-only); the reason when it fails.
bool WritePcalOffsets(const QString& settingsFolder, int style, const PcalOffsetTexts& texts,
                      QString* error = nullptr);

}  // namespace korvane
