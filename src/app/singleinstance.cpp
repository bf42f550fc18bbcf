#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <sys/stat.h>
#include <unistd.h>

namespace korvane {
namespace {

// Owned by this user and closed to everyone else.
bool privateFolder(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

// Nothing there yet, or this user's own socket.
bool freeOrOurs(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return true;
    return S_ISSOCK(st.st_mode) && st.st_uid == ::getuid();
}

}  // namespace

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent), key_(std::move(socketPath)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::PrivateFolder(const QString& runtimeDir, const QString& tempDir) {
    if (!runtimeDir.isEmpty() && privateFolder(runtimeDir))
        return QDir(runtimeDir).absolutePath() + u'/';
    if (tempDir.isEmpty()) return {};
    const QString folder =
        QDir(tempDir).absolutePath() + QStringLiteral("/korvane-%1").arg(::getuid());
    // Made owner-only; one that is there already must be ours and closed, else it is not used.
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    return privateFolder(folder) ? folder + u'/' : QString();
}

QString SingleInstance::DefaultKey() {
    const QString folder = PrivateFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
    return folder.isEmpty() ? QString() : folder + QStringLiteral("korvane.sock");
}

bool SingleInstance::AskRunningCopy() {
    if (key_.isEmpty() || !freeOrOurs(key_)) return false;
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(500)) return false;
    socket.write("raise\n");
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen(std::function<void()> onRaise) {
    if (key_.isEmpty() || !freeOrOurs(key_)) return false;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(key_)) {
        // A copy that crashed leaves its socket behind; nobody answered, so take it over.
        QLocalServer::removeServer(key_);
        if (!server_->listen(key_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this, onRaise] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            if (onRaise) onRaise();
        }
    });
    return true;
}

}  // namespace korvane
