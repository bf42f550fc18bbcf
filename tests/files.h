#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace korvane::testing {

// Replaces the file with bytes; false when it cannot be written whole.
inline bool WriteFile(const QString& path, const QByteArray& bytes = {}) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The file's bytes, or "(none)" when it cannot be read (so a missing file never equals "").
inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

}  // namespace korvane::testing
