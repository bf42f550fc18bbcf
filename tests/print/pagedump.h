#pragma once
// A readable dump of a recorded page, one operation per line, for golden files:
//   Line (120,337)-(2850,337) pen 2 #000000
#include "print/engine/pagerecording.h"

#include <QString>

namespace korvane::testing {

QString DumpPage(const PageRecording& page);

// Compares the dump with golden/<name>.txt. On a difference it writes the new dump beside the
// build (golden-new/<name>.txt), and returns the differences as `diff -u` shows them; with
// KORVANE_UPDATE_GOLDEN set it rewrites the golden file instead. Empty: the same.
QString CompareWithGolden(const QString& name, const QString& dump);

}  // namespace korvane::testing
