#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <QHash>

#include <array>
#include <map>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace korvane {

struct KorvaneIni;
struct FtpSettings;
struct FtpAccount;
class FtpSettingsBox;
struct PrintersSetSection;

// The settings page (設定) with its sheets 基本, その他, カレンダ画像 and the hidden 管理. It
// shows and collects the options of Korvane.ini and Printers.ini and signals the clicks whose
// effect is the window's; itself it keeps the link controls in step with cbVelmar, chooses the
// start folder and keeps the sprite marker file.
class SettingsPage : public QWidget {
    Q_OBJECT

public:
    explicit SettingsPage(QString programFolder, QWidget* parent = nullptr);

    // Printers.ini [Set]: the link, sample and printer options.
    void ShowOptions(const PrintersSetSection& set);
    void CollectOptions(PrintersSetSection& set) const;
    // Korvane.ini [Settei] and the screenshot flag; the rokuyō box is ShowRokuyo's, the year
    // page's keys are the year page's.
    void ShowSettings(const KorvaneIni& ini);
    void CollectSettings(KorvaneIni& ini) const;

    bool LinkOn() const;             // cbVelmar
    bool ItemsInFixedPitch() const;  // cbToubai
    bool ShowsRokuyo() const;        // cbRokuyou
    void ShowRokuyo(bool on);
    bool WeekStartsMonday() const;    // rgStYoubi
    bool SampleButtonHidden() const;  // cbSample
    bool ShowsStartFolder() const;    // cbShiyouchuu
    bool Clock24() const;             // cb24ji
    bool KeepsPlace() const;          // RadioGroup1: where it was at exit
    bool CalendarForms() const;       // cbCalendar
    bool PicturesOn() const;          // cbSsUse
    bool PictureShowsMonth() const;   // cbSsDateTime
    // Korvane.bini's values in the FTP group; the switch cbFTP is one of the options.
    void ShowFtp(const FtpSettings& ftp);
    void CollectFtp(FtpSettings& ftp) const;
    // Where a picture is uploaded: cbFTP on, a host and a user typed; else nothing.
    std::optional<FtpAccount> UploadAccount() const;
    // cbSs on the management sheet, as the hidden switch sets it.
    void SetScreenshotFlag(bool on);

    // The five lines [Ctrl]+[Home] shows on the first sheet: the sample months, then the
    // folders and the sibling's kind.
    void SetDiagnostic(int line, const QString& text);
    // True when the first sheet was showing and the lines are now shown.
    bool RevealDiagnostics();
    // Small screens: no picture sheet, and the window always centred.
    void UseCompactLayout();

    void ApplyLinkCheckBox();
    void ChooseStartFolder();
    // btnSaveFolder: a folder on a medium that is there, with its trailing "/".
    void ChooseSaveFolder();
    // A picture name the user typed with "." or "/" is refused and goes back to its last text.
    void PictureNameEdited(QLineEdit* edit);
    // cbSprite: "sptoff.kvn" in the program folder exists exactly while it is checked.
    void SpriteOptionClicked();

    // The window takes the month page's size and this page is laid out within it when shown:
    // a start does not measure every caption of a page nobody sees yet.
    QSize sizeHint() const override { return {}; }
    QSize minimumSizeHint() const override { return {}; }

signals:
    void LinkToggled();
    void ItemFontClicked();
    void RokuyoClicked(bool on);
    void WeekStartClicked();
    void SampleOptionClicked();
    void StartFolderClicked();
    void ClockClicked();
    void PicturesClicked();
    void CloseClicked();

private:
    void buildManagementPage();
    void buildPicturePage();

    QString programFolder_;
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
    QCheckBox* cbSsUse = nullptr;
    QCheckBox* cbSsDateTime = nullptr;
    QLineEdit* edtSaveFolder = nullptr;
    FtpSettingsBox* ftp_ = nullptr;
    std::map<std::string, QLineEdit*> pictureNames_;
    QHash<QString, QString> validNames_;
};

}  // namespace korvane
