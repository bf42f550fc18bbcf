#pragma once

#include "core/prompt.h"

#include <QString>

namespace korvane {

// Gives a control its name (the name tests and the window's own code find it by).
template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// An information box captioned "確認 -Korvane-", as most messages of the main window are.
inline void ShowMessageBox(const QString& text) {
    Prompt::current().message(text, QStringLiteral("確認 -Korvane-"), Prompt::Kind::Information);
}

}  // namespace korvane
