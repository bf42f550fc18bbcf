#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace korvane {

// The small borderless window that shows how far the building of print pages has come. Each
// step repaints at once, so it moves while the pages are built on the user-interface thread.
class ProgressWindow : public QWidget {
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    // Step(text, 1, 0).
    void Start(const QString& text);
    // Shows the window when hidden, then the text and done / total in per cent (0 when total is 0).
    void Step(const QString& text, int total, int done);
    void Finish();

    QString Text() const;
    int Percent() const;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* label_;
    QProgressBar* bar_;
};

}  // namespace korvane
