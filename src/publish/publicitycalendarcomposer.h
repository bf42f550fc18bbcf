#pragma once

#include "publish/ftptransfer.h"
#include "publish/publicitycalendar.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {

class MonthGrid;
class PictureUpload;

// What the composer works with besides the month grid.
struct PcalContext {
    QString ProgramFolder;             // the shipped styles under Pcal/
    QString SettingsFolder;            // Korvane.ini [Pcal] and the user's copies of each Pcal.ini
    bool ReadOnlySettings = false;     // read, never written
    QString SaveFolder;                // the save dialog starts there
    std::optional<FtpAccount> Upload;  // none: 保存＆ＦＴＰ転送＆閉じる is disabled
};

// "広報カレンダ": the month grid's picture laid on a style's base picture under a header of
// year and month pictures, saved as a GIF whose border is transparent. Composes once it has
// been painted; closing writes its settings.
class PublicityCalendarComposer : public QDialog {
    Q_OBJECT

public:
    PublicityCalendarComposer(PcalContext context, MonthGrid& grid, QWidget* parent = nullptr);
    ~PublicityCalendarComposer() override;

    // The style as the program sets it (no offsets written): 0 … 4.
    void SetStyle(int index);
    int Style() const;
    // A base picture file to use instead of the style's (the command line's --base).
    void SetBaseFile(const QString& path) { baseFile_ = path; }
    // The base picture to be read: that file, else the style's edtBase (any letter case); empty
    // when there is none (composing then asks for one).
    QString BasePath() const;

    // Composes into Picture(); false when there is no base picture (cancelled, or unreadable:
    // then said).
    bool Compose();
    const QImage& Picture() const { return picture_; }
    // The picture as GIF with its border transparent; the reason when it cannot be written.
    bool WriteGif(const QString& path, QString* error = nullptr) const;

    enum class Outcome { Saved, Cancelled, Failed };
    // The save dialog, then the GIF; a failure has been said.
    Outcome Save();
    bool Uploading() const;
    // The offset fields as typed.
    PcalOffsetTexts Offsets() const;

    void done(int result) override;

signals:
    void Composed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void styleChosen(int index);
    void readStyle();
    void saveAndClose();
    void saveAndUpload();
    void writeSettings();
    QString styleFolder() const;
    std::optional<QImage> basePicture();
    QImage headerPicture(const QString& name) const;

    PcalContext context_;
    MonthGrid& grid_;
    QString baseFile_;
    int style_ = 0;
    bool composeOwed_ = true;
    QImage picture_;
    QString savedPath_;
    QComboBox* cbStyle_ = nullptr;
    QLineEdit* edtSave_ = nullptr;
    QLineEdit* edtBase_ = nullptr;
    std::array<QLineEdit*, 8> offsets_{};
    QLabel* image_ = nullptr;
    QPushButton* btnUpload_ = nullptr;
    PictureUpload* upload_ = nullptr;
};

}  // namespace korvane
