#pragma once

#include <QAnyStringView>
#include <QObject>

namespace korvane {

// A widget given its object name where it is made: tests and settings find it by that name.
template <typename W>
W* named(W* w, QAnyStringView name) {
    w->setObjectName(name);
    return w;
}

}  // namespace korvane
