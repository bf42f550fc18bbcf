#include "fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>

#include <algorithm>
#include <cmath>

namespace korvane {

void InstallFontSubstitutions() {
    static const bool done = [] {
        QFont::insertSubstitutions(kFaceGothic,
                                   {"IPAGothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP"});
        QFont::insertSubstitutions(kFacePGothic, {"IPAPGothic", "Noto Sans CJK JP", "IPAGothic"});
        QFont::insertSubstitutions(kFaceMincho, {"IPAMincho", "Noto Serif CJK JP"});
        QFont::insertSubstitutions(kFacePMincho, {"IPAPMincho", "Noto Serif CJK JP", "IPAMincho"});
        return true;
    }();
    (void)done;
}

void SetApplicationFont() {
    InstallFontSubstitutions();
    QGuiApplication::setFont(FontWithHeight(kFacePGothic, -12));
}

QString InstalledFamily(const QString& face) {
    InstallFontSubstitutions();
    static QMutex mutex;
    static QHash<QString, QString> cache;
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(face);
    if (it != cache.constEnd()) return *it;
    // Listing the families is costly; they do not change while Korvane runs.
    static const QHash<QString, QString> installed = [] {
        QHash<QString, QString> names;  // case-folded name → the name as installed
        for (const QString& family : QFontDatabase::families())
            names.insert(family.toCaseFolded(), family);
        return names;
    }();
    QString chosen = face;
    if (!installed.contains(face.toCaseFolded())) {
        // Qt keeps substitutes in lower case.
        for (const QString& substitute : QFont::substitutes(face))
            if (auto hit = installed.constFind(substitute.toCaseFolded());
                hit != installed.constEnd()) {
                chosen = *hit;
                break;
            }
    }
    cache.insert(face, chosen);
    return chosen;
}

namespace {

// Cell height per em of a family, measured once.
qreal cellPerEm(const QFont& font) {
    static QMutex mutex;
    static QHash<QString, qreal> cache;
    // Bold drawn from the regular face keeps its height; only a real bold face is measured apart.
    auto hasBoldFace = [](const QString& family) {
        const QStringList styles = QFontDatabase::styles(family);
        return std::any_of(styles.begin(), styles.end(), [&](const QString& style) {
            return QFontDatabase::weight(family, style) >= QFont::DemiBold;
        });
    };
    const bool boldFace = font.bold() && hasBoldFace(font.family());
    const QString key = font.family() + (boldFace ? "/b" : "");
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;
    QFont probe = font;
    probe.setBold(boldFace);
    probe.setPixelSize(kFontProbePixels);
    const QFontMetricsF m(probe);
    const qreal ratio = m.height() > 0 ? m.height() / kFontProbePixels : 1.0;
    cache.insert(key, ratio);
    return ratio;
}

}  // namespace

void SetFontHeight(QFont& font, int height) {
    if (height == 0) return;
    if (height < 0) {
        font.setPixelSize(-height);
        return;
    }
    font.setPixelSize(std::max(1, int(std::lround(height / cellPerEm(font)))));
}

QFont FontWithHeight(const QString& face, int height, bool bold) {
    QFont f(InstalledFamily(face));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    SetFontHeight(f, height);
    return f;
}

}  // namespace korvane
