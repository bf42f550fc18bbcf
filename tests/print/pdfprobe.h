#pragma once

// Looks at PDF files through poppler's tools, as a user's viewer would see them.

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

namespace korvane::testing {

// Whether pdftoppm, pdfinfo and pdffonts can be run.
bool HavePdfTools();
// The output of a tool, or an empty string when it fails or takes longer than 30 s.
QString RunTool(const QString& program, const QStringList& arguments);
// Page n rendered at dpi (254 gives ten pixels per millimetre); null when it fails.
QImage PdfPage(const QString& pdf, int page, int dpi = 254);
// The page count and each page's size in points as pdfinfo gives them.
int PdfPageCount(const QString& pdf);
QSizeF PdfPageSizePt(const QString& pdf, int page);
// The page's /Rotate in degrees clockwise.
int PdfPageRotation(const QString& pdf, int page);
// The fonts pdffonts lists: name, whether embedded.
QStringList PdfFontLines(const QString& pdf);
// The bounding box of the pixels darker than threshold.
QRect InkBox(const QImage& image, int threshold = 160);

}  // namespace korvane::testing
