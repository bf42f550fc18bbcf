#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <utility>
#include <vector>

class QLineEdit;
class QPushButton;

namespace korvane {

class MonthGrid;

// The month page: the month tabs, the navigation buttons (a second row and the month entry
// hidden), the month grid and the button column. What the controls do is the window's: the
// page signals them.
class MonthPane : public QWidget {
    Q_OBJECT

public:
    explicit MonthPane(QWidget* parent = nullptr);

    MonthGrid& Grid() const { return *grid_; }
    // Tabs one day wide, the selected month's caption blue.
    void SetTabWidth(int width);
    // The captions (replaced only when they differ) and the selected tab; no TabClicked.
    void ShowTabs(const QStringList& captions, int selected);
    int CurrentTab() const;
    // The month entry's text (YYYYMM).
    QString EnteredMonth() const;
    void SetEnteredMonth(const QString& text);
    // btnM16: flat and empty without a caption.
    void SetSampleCaption(const QString& caption);
    // A click on btnM16 flips "表示" and "消去", unless the button is hidden by its option.
    void SampleButtonClicked(bool hidden);
    // No button column; the navigation buttons a third of a day wide so the header fits the
    // grid of a small screen.
    void UseCompactLayout();
    // The grid's panel takes the grid's size.
    void FitGrid();
    // The calendar picture's look: a compact navigation over the grid's right end and the
    // button column's picture captions. Off puts back what on changed; either twice is once.
    void SetPictureLook(bool on);

signals:
    void TabClicked(int index);
    void Step(int months);  // -1, +1, -12, +12
    void MonthEntered(const QString& text);
    void SettingsClicked();
    void PrintClicked();
    void ThisMonthClicked();
    void QuitClicked();
    void SampleClicked();
    void ContextMenuRequested(const QPoint& globalPos);

private:
    void colourTabs();

    class MonthTabBar;
    MonthTabBar* tcMonth_ = nullptr;
    QLineEdit* meNengetu_ = nullptr;
    QWidget* pnlMonth_ = nullptr;
    QWidget* pnlBtn_ = nullptr;
    QWidget* pnlIdou1_ = nullptr;
    MonthGrid* grid_ = nullptr;
    QPushButton* btnM16_ = nullptr;
    QWidget* pnlIdou3_ = nullptr;  // the picture's compact navigation, made when first needed
    std::vector<std::pair<QPushButton*, QString>> savedCaptions_;
    bool pictureLook_ = false;
};

}  // namespace korvane
