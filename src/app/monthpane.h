#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;
class QTabBar;

namespace korvane {

class MonthGrid;

// The month page: the month tabs, the navigation buttons (a second row and the month entry
// hidden), the month grid and the button column. What the controls do is the window's: it sets
// the actions below.
class MonthPane : public QWidget {
public:
    explicit MonthPane(QWidget* parent = nullptr);

    // Tabs one day wide, the selected month's caption blue.
    void SetTabWidth(int width);
    void ColourTabs();
    // btnM16: flat and empty without a caption.
    void SetSampleCaption(const QString& caption);
    // A click on btnM16 flips "表示" and "消去", unless the button is hidden by its option.
    void SampleButtonClicked(bool hidden);

    QTabBar* tcMonth = nullptr;
    QLineEdit* meNengetu = nullptr;
    QWidget* pnlMonth = nullptr;
    MonthGrid* Grid = nullptr;
    QPushButton* btnM1 = nullptr;
    QPushButton* btnM5 = nullptr;
    QPushButton* btnM9 = nullptr;
    QPushButton* btnM12 = nullptr;
    QPushButton* btnM16 = nullptr;

    // While set, a change of tab is not taken as the user's.
    bool TabSignalsMuted = false;
    std::function<void()> TabClicked;
    std::function<void(int months)> Step;
    std::function<void()> MonthEntered;

private:
    class MonthTabBar;
    MonthTabBar* tcMonth_ = nullptr;
};

}  // namespace korvane
