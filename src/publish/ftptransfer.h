#pragma once

#include <QObject>
#include <QString>

#include <atomic>

#include <functional>
#include <memory>

class QThread;

namespace korvane {

// Where and as whom a picture goes.
struct FtpAccount {
    QString Host;      // "host" or "host:port"
    QString User;      // any text: never part of a URL
    QString Password;  // the same
    QString Folder;    // from the login folder; a leading "/" is from the server's root
    QString CaFile;    // certificates trusted besides the system's (a private server's own)
};

// How a transfer or a connection test ended.
enum class FtpOutcome {
    Done,
    CannotConnect,  // no server, wrong name or password
    NoFolder,
    Broken,  // the connection went during the transfer
    TimedOut,
    Cancelled,
    Tls,          // the encrypted connection failed
    Certificate,  // the server's certificate did not verify
    LocalFile,    // the file to send cannot be read
};

// The message the window shows for an outcome ("転送が終了しました。" for Done).
QString FtpMessage(FtpOutcome outcome);

// curl's global set-up for the life of the program: one in main(), before any thread.
class CurlGlobal {
public:
    CurlGlobal();
    ~CurlGlobal();
    CurlGlobal(const CurlGlobal&) = delete;
    CurlGlobal& operator=(const CurlGlobal&) = delete;
};

// How long a job waits: to connect, for each answer of the server, and how long a transfer may
// stay below 1 byte/s.
struct FtpLimits {
    int ConnectSeconds = 30;
    int ResponseSeconds = 60;
    int StallSeconds = 60;
};

// Called with the bytes sent so far and the total; answering false cancels the job.
using FtpProgress = std::function<bool(qint64 sent, qint64 total)>;

// FTP jobs over libcurl, explicit TLS where the server offers it (certificates verified).
// Blocking: run them on a worker thread.
// Logs in, changes into the folder and leaves again (QUIT).
FtpOutcome CheckFtp(const FtpAccount& account, const FtpLimits& limits = {},
                    const FtpProgress& progress = {});
// The file into the folder under its bare name: sent as ".NAME.part", then renamed once the
// server holds every byte; a broken transfer's partial file is deleted where the server still
// answers. Missing folders are not made.
FtpOutcome UploadByFtp(const FtpAccount& account, const QString& localPath,
                       const FtpLimits& limits = {}, const FtpProgress& progress = {});

// One job on a thread of its own, never the window's: progress and the end come back as
// signals. Cancel stops it within a tenth of a second; destroying a running job cancels it and
// waits for its end.
class FtpJob : public QObject {
    Q_OBJECT

public:
    // An upload of localPath, or with an empty localPath the connection test.
    FtpJob(FtpAccount account, QString localPath, FtpLimits limits = {}, QObject* parent = nullptr);
    ~FtpJob() override;

    void Start();
    void Cancel() { cancel_ = true; }
    bool Running() const;

signals:
    void Progress(qint64 sent, qint64 total);
    void Finished(korvane::FtpOutcome outcome);

private:
    FtpAccount account_;
    QString localPath_;
    FtpLimits limits_;
    std::atomic_bool cancel_{false};
    std::unique_ptr<QThread> thread_;
};

}  // namespace korvane
