#pragma once

#include "publish/ftptransfer.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QPushButton;

namespace korvane {

// The save dialog of a picture window: proposes name in folder (the home folder when blank) and
// opens again while the chosen file exists and the user will not overwrite it. Empty: cancelled.
QString AskPictureSavePath(const QString& folder, const QString& name, const QString& filter);
// Says that the picture could not be written to path, and why.
void SayPictureNotSaved(const QString& path, const QString& why, const QString& caption);

// A picture window's upload: one at a time, beside the window. While it runs the button and the
// menu entry that start it read "転送中止" (a press then cancels it); its end is said, and the
// window hears it.
class PictureUpload : public QObject {
    Q_OBJECT

public:
    PictureUpload(QPushButton* button, QAction* entry, QObject* parent);
    ~PictureUpload() override;  // a running upload is cancelled and waited for

    bool Running() const;
    void Start(const FtpAccount& account, const QString& path);
    void Cancel();
    // Cancels a running upload and waits for it; nothing is said (the window is going).
    void Stop();

signals:
    // After the outcome has been said.
    void Finished(FtpOutcome outcome);

private:
    void setCaption(const QString& caption);
    QPushButton* button_;
    QAction* entry_;
    QString caption_;
    QPointer<FtpJob> job_;
};

}  // namespace korvane
