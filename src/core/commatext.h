#pragma once

#include <QString>
#include <QStringList>

namespace korvane {

// Comma text as the rule lines and day-name lists store it: fields separated by commas or blanks,
// a field may be double-quoted with inner quotes doubled.
QStringList SplitCommaText(QStringView text);

// Joins with "," and quotes every item holding a blank, control character, comma or quote, and
// an empty last item, so that the text splits back into the same items.
QString JoinCommaText(const QStringList& items);

}  // namespace korvane
