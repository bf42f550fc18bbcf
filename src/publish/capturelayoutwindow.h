#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>

class QLabel;

namespace korvane {

class MonthGrid;

// The layout window: a borderless 829 × 614 calendar of one month between header pictures and
// an "updated" line, for the publicity pictures. Its grid is filled by the caller. Any key or a
// click on the bottom line closes it; dragging the top moves it.
class CaptureLayoutWindow : public QWidget {
    Q_OBJECT

public:
    // The header pictures n<year>.bmp, M<month>.bmp and mon<month>.bmp are looked for in
    // programFolder's Pcal/Style1/HeadImg/ (any letter case).
    CaptureLayoutWindow(QString programFolder, bool itemsFixedPitch, const QDateTime& now,
                        QWidget* parent = nullptr);

    MonthGrid& Grid() const { return *grid_; }
    // The month's header pictures, each where its file is; the others stay empty.
    void ShowHeaders(int year, int month);

signals:
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QString programFolder_;
    MonthGrid* grid_ = nullptr;
    QLabel* imgNen_ = nullptr;
    QLabel* imgMonth_ = nullptr;
    QLabel* imgAMonth_ = nullptr;
    QWidget* pnlTop_ = nullptr;
    QWidget* pnlBottom_ = nullptr;
};

}  // namespace korvane
