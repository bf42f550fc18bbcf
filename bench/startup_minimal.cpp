// The yardstick of startup_bench: a minimal Qt Widgets program showing one Japanese label, linked
// with nothing else, so that its start costs what any Qt window's does.
//
//   startup_minimal T0   prints the milliseconds from T0 (the parent's monotonic clock) to the
//                        label's first paint
#include "firstpaint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_minimal T0\n");
        return 2;
    }
    const double t0 = QByteArray(argv[1]).toDouble();
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("カレンダー"));
    FirstPaint watch(&label, t0);
    label.show();
    return app.exec();
}
