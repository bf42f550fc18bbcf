#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace korvane {

// The settings page (設定) with its sheets 基本, その他, カレンダ画像 and the hidden 管理. The
// window reads and sets the controls; the page itself keeps the link controls in step with
// cbVelmar, chooses the start folder and keeps the sprite marker file.
class SettingsPage : public QWidget {
public:
    explicit SettingsPage(QString programFolder, QWidget* parent = nullptr);

    void ApplyLinkCheckBox();
    void ChooseStartFolder();
    // cbSprite: "sptoff.kvn" in the program folder exists exactly while it is checked.
    void SpriteOptionClicked();

    QTabWidget* PageControl3 = nullptr;
    std::array<QRadioButton*, 2> RadioGroup1{};
    QCheckBox* cbVelmar = nullptr;
    QLabel* lblFolder1 = nullptr;
    QLineEdit* edtFolder1 = nullptr;
    QPushButton* btnFolder1 = nullptr;
    QCheckBox* cbPSelect = nullptr;
    QCheckBox* cbToubai = nullptr;
    QCheckBox* cbRokuyou = nullptr;
    std::array<QLabel*, 5> Diagnostics{};  // lblSmpMonth, lblVelmar1, 4, 2, 3
    std::array<QRadioButton*, 2> rgStYoubi{};
    QCheckBox* cbReadSpl = nullptr;
    QCheckBox* cbSample = nullptr;
    QCheckBox* cbSprite = nullptr;
    QCheckBox* cbShiyouchuu = nullptr;
    QCheckBox* cb24ji = nullptr;
    QSpinBox* udCalSize = nullptr;
    QCheckBox* cbSs = nullptr;
    QCheckBox* cbCalendar = nullptr;
    QPushButton* SetteiClose = nullptr;

    // The window takes the month page's size and this page is laid out within it when shown:
    // a start does not measure every caption of a page nobody sees yet.
    QSize sizeHint() const override { return {}; }
    QSize minimumSizeHint() const override { return {}; }

private:
    void buildManagementPage();

    QString programFolder_;
};

}  // namespace korvane
