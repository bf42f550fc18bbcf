#pragma once

#include <QImage>
#include <QMainWindow>
#include <QString>

#include "publish/ftptransfer.h"

#include <optional>

class QAction;
class QLabel;
class QPushButton;

namespace korvane {

class PictureUpload;

// Where the picture window saves: the settings of the " カレンダ画像 " sheet.
struct PictureSaveSettings {
    QString SaveFolder;   // edtSaveFolder: the dialog starts there; quick saves write there
    QString QuickName;    // edtFile1: the quick GIF's name
    QString CaptureName;  // the name the menu entry chose; the dialog proposes it with ".gif"
    std::optional<FtpAccount> Upload;  // none: 保存＆ＦＴＰ転送＆終了 is disabled
};

// "Korvaneカレンダ画像": the captured calendar, shown at its size, saved as GIF (or quickly as a
// 216-colour GIF or a JPEG). Closing it, by any button or menu, signals Closed.
class CalendarImageWindow : public QMainWindow {
    Q_OBJECT

public:
    CalendarImageWindow(QImage picture, PictureSaveSettings settings, QWidget* parent = nullptr);

    enum class Outcome { Saved, Cancelled, Failed };
    // The save dialog (again while the user will not overwrite), then the GIF of 236 colours
    // between the fixed ones. A failure has been said when this answers Failed.
    Outcome SaveCalendarImage();
    // 保存＆終了: closes after a save; a cancelled save says so, and the window stays.
    void SaveAndClose();
    // 保存＆ＦＴＰ転送＆終了: saves, then uploads beside the window; closes only once the server
    // holds the whole file. A press while the upload runs (the button reads "転送中止") cancels
    // it; a failure is said and the window stays.
    void SaveAndUpload();
    bool Uploading() const;

    // 保存(.gif), 保存(.jpg): straight into the save folder, the dialog when it or the name is
    // blank.
    Outcome QuickSaveGif();
    Outcome QuickSaveJpeg();

    const QImage& Picture() const { return picture_; }
    // The last file written; empty before.
    const QString& SavedPath() const { return savedPath_; }

signals:
    void Closed();
    // Korvaneの終了, アプリの終了: the program is to end, the main window closing as usual.
    void QuitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Format { Gif, QuickGif, Jpeg };
    Outcome saveThroughDialog(const QString& proposedName, Format format);
    Outcome write(const QString& path, Format format);
    void fitToPicture();

    QImage picture_;
    PictureSaveSettings settings_;
    QString savedPath_;
    QLabel* lblSize_ = nullptr;
    QPushButton* btnFTP_ = nullptr;
    QAction* mnFTP_ = nullptr;
    PictureUpload* upload_ = nullptr;
};

}  // namespace korvane
