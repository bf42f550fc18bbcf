#pragma once

#include <QEvent>
#include <QWidget>

#include <map>

namespace korvane::testing {

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

}  // namespace korvane::testing
