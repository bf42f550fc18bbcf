#pragma once
// A readable dump of a recorded page, one operation per line, for golden files:
//   Line (120,337)-(2850,337) pen 2 #000000
#include "print/engine/pagerecording.h"

#include "../golden.h"

#include <QString>

namespace korvane::testing {

QString DumpPage(const PageRecording& page);

}  // namespace korvane::testing
