// The calendar picture's GIF and JPEG: quantising and encoding times and the GIF's fidelity.
//   picture_bench PICTURE.png      times each step (median of 15 runs) and prints the PSNR of the
//                                  GIF against the picture; beside it, when ImageMagick is there,
//                                  `convert -dither None -colors 236` of the same file, whole
//                                  process, with its PSNR.
#include "publish/picturewriters.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace korvane;

double medianMs(const std::function<void()>& step) {
    std::vector<double> runs;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer t;
        t.start();
        step();
        runs.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

double psnr(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            const double dr = qRed(p) - qRed(q), dg = qGreen(p) - qGreen(q),
                         db = qBlue(p) - qBlue(q);
            sum += dr * dr + dg * dg + db * db;
        }
    const double mse = sum / (3.0 * x.width() * x.height());
    return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

int colourCount(const QImage& image) {
    const QImage x = image.convertToFormat(QImage::Format_RGB32);
    std::vector<QRgb> all;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) all.push_back(x.pixel(col, row) | 0xFF000000);
    std::sort(all.begin(), all.end());
    return int(std::unique(all.begin(), all.end()) - all.begin());
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: picture_bench PICTURE.png\n");
        return 2;
    }
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull()) return 1;
    std::printf("%d x %d, %d colours\n", picture.width(), picture.height(), colourCount(picture));
    IndexedPicture q;
    const double quantise = medianMs([&] { q = QuantiseForGif(picture); });
    QByteArray gif;
    const double encode = medianMs([&] { gif = *EncodeGif(q); });
    const double jpeg = medianMs([&] { EncodeJpeg(picture); });
    std::printf("octree quantise %.2f ms, GIF encode %.2f ms, together %.2f ms, %lld bytes\n",
                quantise, encode, quantise + encode, qlonglong(gif.size()));
    std::printf("GIF PSNR %.2f dB\n", psnr(picture, QImage::fromData(gif, "GIF")));
    std::printf("JPEG (quality 90, 4:4:4) %.2f ms\n", jpeg);
    // Debian's own, not a wrapper earlier on the path.
    QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"), {"/usr/bin"});
    if (convert.isEmpty()) convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
    if (convert.isEmpty()) {
        std::printf("ImageMagick's convert is not installed: no comparison\n");
        return 0;
    }
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("im.gif"));
    const double im = medianMs([&] {
        QProcess::execute(convert, {QString::fromLocal8Bit(argv[1]), QStringLiteral("-dither"),
                                    QStringLiteral("None"), QStringLiteral("-colors"),
                                    QStringLiteral("236"), out});
    });
    std::printf(
        "ImageMagick convert -dither None -colors 236: %.2f ms, PSNR %.2f dB (%.1fx ours)\n", im,
        psnr(picture, QImage(out)), im / (quantise + encode));
    return 0;
}
