#pragma once

#include <QString>

namespace korvane::testing {

// Compares a dump with <KORVANE_GOLDEN_DIR>/<name>.txt. On a difference it writes the new dump
// beside the build (golden-new/<name>.txt) and returns the differences as `diff -u` shows them;
// with KORVANE_UPDATE_GOLDEN set it rewrites the golden file instead. Empty: the same.
QString CompareWithGolden(const QString& name, const QString& dump);

}  // namespace korvane::testing
