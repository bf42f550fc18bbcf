#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace korvane {

// One running copy per user: a second copy asks the first to come to the front and ends. The
// copies meet at a socket in a folder only this user may enter, never in the shared temporary
// folder under a name another user could take first.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QString socketPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket path: in $XDG_RUNTIME_DIR when it is this user's own folder (mode 0700), else in
    // a folder "korvane-UID" of the temporary folder made owner-only. Empty when neither can be
    // trusted; then every copy runs on its own.
    static QString DefaultKey();
    // The folder for the socket, checked or made: owned by this user, nobody else may enter.
    static QString PrivateFolder(const QString& runtimeDir, const QString& tempDir);

    // True when another copy answered (it has been asked to come to the front).
    bool AskRunningCopy();
    // Becomes the running copy; onRaise runs when a later copy asks. A socket that belongs to
    // another user is never taken over: false.
    bool Listen(std::function<void()> onRaise);

private:
    QString key_;
    QLocalServer* server_ = nullptr;
};

}  // namespace korvane
