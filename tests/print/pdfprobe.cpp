#include "pdfprobe.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

namespace korvane::testing {

bool HavePdfTools() {
    for (const char* tool : {"pdftoppm", "pdfinfo", "pdffonts"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) return false;
    return true;
}

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QImage PdfPage(const QString& pdf, int page, int dpi) {
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
             QString::number(page), QStringLiteral("-l"), QString::number(page),
             QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

int PdfPageCount(const QString& pdf) {
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                       .match(RunTool(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QSizeF PdfPageSizePt(const QString& pdf, int page) {
    const QString n = QString::number(page);
    const QString info =
        RunTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf});
    const auto m =
        QRegularExpression(QStringLiteral("Page\\s+%1 size:\\s+([\\d.]+) x ([\\d.]+)").arg(n))
            .match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

int PdfPageRotation(const QString& pdf, int page) {
    const QString n = QString::number(page);
    const QString info =
        RunTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf});
    const auto m =
        QRegularExpression(QStringLiteral("Page\\s+%1 rot:\\s+(\\d+)").arg(n)).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QStringList PdfFontLines(const QString& pdf) {
    QStringList lines = RunTool(QStringLiteral("pdffonts"), {pdf}).split('\n', Qt::SkipEmptyParts);
    return lines.mid(2);  // after the heading and its rule
}

QRect InkBox(const QImage& image, int threshold) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int left = rgb.width(), top = rgb.height(), right = -1, bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (qGray(line[x]) >= threshold) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace korvane::testing
