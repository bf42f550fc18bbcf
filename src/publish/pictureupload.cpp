#include "pictureupload.h"

#include "core/prompt.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace korvane {

QString AskPictureSavePath(const QString& folder, const QString& name, const QString& filter) {
    const QString start =
        QDir(folder.trimmed().isEmpty() ? QDir::homePath() : folder.trimmed()).filePath(name);
    Prompt& prompt = Prompt::current();
    for (;;) {
        const QString path =
            prompt.saveFileName(QStringLiteral("名前を付けて保存"), start, filter, false);
        if (path.isEmpty() || !QFileInfo::exists(path) ||
            prompt.askYesNo(QStringLiteral("同名の画像ファイルが存在します。\r\n上書きしますか？"),
                            QStringLiteral("Korvane")))
            return path;
    }
}

void SayPictureNotSaved(const QString& path, const QString& why, const QString& caption) {
    Prompt::current().message(
        QStringLiteral("画像を保存できませんでした。\r\n%1\r\n%2").arg(path, why), caption,
        Prompt::Kind::Error);
}

PictureUpload::PictureUpload(QPushButton* button, QAction* entry, QObject* parent)
    : QObject(parent), button_(button), entry_(entry), caption_(button->text()) {}

PictureUpload::~PictureUpload() { delete job_; }

bool PictureUpload::Running() const { return job_ && job_->Running(); }

void PictureUpload::Cancel() {
    if (job_) job_->Cancel();  // its end is said as any other
}

void PictureUpload::Stop() { delete job_; }

void PictureUpload::Start(const FtpAccount& account, const QString& path) {
    if (Running()) return;  // a finished one may still wait for its deletion
    job_ = new FtpJob(account, path, {}, this);
    connect(job_, &FtpJob::Finished, this, [this](FtpOutcome outcome) {
        job_->deleteLater();  // the pointer empties itself
        setCaption(caption_);
        Prompt::current().message(
            FtpMessage(outcome), QStringLiteral("Korvane"),
            outcome == FtpOutcome::Done ? Prompt::Kind::Information : Prompt::Kind::Warning);
        emit Finished(outcome);
    });
    setCaption(QStringLiteral("転送中止"));
    job_->Start();
}

void PictureUpload::setCaption(const QString& caption) {
    button_->setText(caption);
    if (entry_) entry_->setText(caption);
}

}  // namespace korvane
