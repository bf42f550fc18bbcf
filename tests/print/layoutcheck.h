#pragma once

// Checks a window's controls as a user would see them: shown, inside the window, none on another,
// and in reading order (each one below the one before, or to its right on the same line), each
// placed by a layout, and painted when it changes.

#include <QEvent>
#include <QLayout>
#include <QWidget>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace korvane::testing {

inline QRect RectIn(const QWidget* window, const QWidget* w) {
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

// Empty when the controls are laid out so; else what is wrong, by object name.
inline std::string ReadingOrderFault(const QWidget* window,
                                     const std::vector<const QWidget*>& controls) {
    const auto name = [](const QWidget* w) { return w->objectName().toStdString(); };
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QWidget* w = controls[i];
        const QRect r = RectIn(window, w);
        if (!w->isVisibleTo(window) || r.isEmpty()) return name(w) + " is not shown";
        if (!window->rect().contains(r)) return name(w) + " leaves the window";
        for (std::size_t j = 0; j < i; ++j)
            if (RectIn(window, controls[j]).intersects(r))
                return name(w) + " lies on " + name(controls[j]);
        if (i == 0) continue;
        const QRect before = RectIn(window, controls[i - 1]);
        const bool below = r.top() > before.bottom();
        const bool right =
            r.left() > before.right() && r.top() <= before.bottom() && r.bottom() >= before.top();
        if (!below && !right) return name(w) + " is out of order after " + name(controls[i - 1]);
    }
    return {};
}

// Counts the paint events of the widgets it watches: what changes must be painted to be seen.
class PaintCounter : public QObject {
    Q_OBJECT

public:
    void watch(QWidget* w) { w->installEventFilter(this); }
    int of(const QObject* w) const {
        const auto found = paints_.find(w);
        return found == paints_.end() ? 0 : found->second;
    }
    void clear() { paints_.clear(); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints_[o];
        return false;
    }

private:
    std::map<const QObject*, int> paints_;
};

inline bool InLayout(QLayout* layout, const QWidget* w) {
    if (layout->menuBar() == w) return true;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == w || (item->layout() && InLayout(item->layout(), w))) return true;
    }
    return false;
}

// The controls below root that their parent's layout does not place, by class and object name:
// one left out sits at its parent's corner, over what is there. Widgets that place their own
// parts (tab bars, spin boxes) have no layout and are not asked, nor are size grips, which Qt
// keeps in the corner itself; `placedByHand` are exempt.
inline std::vector<std::string> UnplacedControls(const QWidget* root,
                                                 const std::vector<QString>& placedByHand = {}) {
    std::vector<std::string> out;
    for (const QWidget* c : root->findChildren<QWidget*>()) {
        QWidget* parent = c->parentWidget();
        if (c->isWindow() || !parent || !parent->layout() || c->inherits("QSizeGrip")) continue;
        if (std::find(placedByHand.begin(), placedByHand.end(), c->objectName()) !=
            placedByHand.end())
            continue;
        if (!InLayout(parent->layout(), c))
            out.push_back(std::string(c->metaObject()->className()) + " " +
                          c->objectName().toStdString() + " in " +
                          parent->objectName().toStdString());
    }
    return out;
}

}  // namespace korvane::testing
