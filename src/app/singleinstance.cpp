#include "singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace korvane {

SingleInstance::SingleInstance(QString key, QObject* parent) : QObject(parent), key_(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultKey() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = QStringLiteral("user");
    return QStringLiteral("korvane-") + user;
}

bool SingleInstance::AskRunningCopy() {
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(500)) return false;
    socket.write("raise\n");
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen(std::function<void()> onRaise) {
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
