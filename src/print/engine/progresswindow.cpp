#include "progresswindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>

#include <cmath>

namespace korvane {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormProgress"));
    setFixedSize(239, 56);
    label_ = new QLabel(QStringLiteral("Label1"), this);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->move(10, 7);
    label_->resize(33, 12);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setGeometry(8, 24, 218, 16);
    bar_->setRange(0, 100);
    bar_->setTextVisible(false);
}

void ProgressWindow::Start(const QString& text) { Step(text, 1, 0); }

void ProgressWindow::Step(const QString& text, int total, int done) {
    if (!isVisible()) show();
    label_->setText(text);
    label_->adjustSize();  // the label grows with its text
    bar_->setValue(total == 0 ? 0 : int(std::lround(100.0 * done / total)));
    // The caller works on without the event loop: the step shows now or not at all.
    repaint();
}

void ProgressWindow::Finish() { hide(); }

QString ProgressWindow::Text() const { return label_->text(); }

int ProgressWindow::Percent() const { return bar_->value(); }

void ProgressWindow::showEvent(QShowEvent* event) {
    bar_->setValue(0);
    label_->clear();
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QWidget::showEvent(event);
}

void ProgressWindow::paintEvent(QPaintEvent*) {
    // A raised frame with a navy line inside it.
    QPainter p(this);
    const int w = width(), h = height();
    p.fillRect(rect(), palette().window());
    p.setPen(Qt::white);
    p.drawLine(1, 1, w - 2, 1);
    p.drawLine(1, 1, 1, h - 2);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(w - 2, 1, w - 2, h - 2);
    p.drawLine(1, h - 2, w - 2, h - 2);
    p.setPen(Qt::black);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.setPen(QColor(0, 0, 0x80));
    p.drawRect(3, 3, w - 7, h - 7);
}

}  // namespace korvane
