#include "ftpserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <unistd.h>
#include <csignal>

namespace korvane::testing {
namespace {

bool run(const QString& program, const QStringList& args, QString* out = nullptr) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return false;
    if (out) *out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    return true;
}

int freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

}  // namespace

TestFtpServer::TestFtpServer(int tls) {
    if (::geteuid() != 0) {
        why_ = QStringLiteral("pure-ftpd needs root to change to its user");
        return;
    }
    const QString server = QStandardPaths::findExecutable(QStringLiteral("pure-ftpd"),
                                                          {"/usr/sbin", "/usr/local/sbin"});
    if (server.isEmpty()) {
        why_ = QStringLiteral("pure-ftpd is not installed (scripts/setup-deps)");
        return;
    }
    QDir().mkpath(Home());
    if (::chown(QFile::encodeName(Home()).constData(), 65534, 65534) != 0) {
        why_ = QStringLiteral("cannot give the home folder to nobody");
        return;
    }
    // SHA-512, not the default argon2, which takes seconds a login.
    QString hash;
    if (!run(QStringLiteral("openssl"), {"passwd", "-6", QString::fromLatin1(kPassword)}, &hash)) {
        why_ = QStringLiteral("openssl passwd failed");
        return;
    }
    QFile users(dir_.filePath("users.txt"));
    if (!users.open(QIODevice::WriteOnly) ||
        users.write(QStringLiteral("%1:%2:65534:65534::%3/./::::::::::::\n")
                        .arg(QString::fromLatin1(kUser), hash, Home())
                        .toUtf8()) < 0) {
        why_ = QStringLiteral("cannot write the user list");
        return;
    }
    users.close();
    if (!run(QStringLiteral("pure-pw"),
             {"mkdb", dir_.filePath("users.pdb"), "-f", dir_.filePath("users.txt")})) {
        why_ = QStringLiteral("pure-pw mkdb failed");
        return;
    }
    QStringList args{"-S", QString(),
                     "-l", "puredb:" + dir_.filePath("users.pdb"),
                     "-E", "-A",
                     "-j", "-H",
                     "-Y", QString::number(tls)};
    if (tls > 0) {
        if (!run(QStringLiteral("openssl"),
                 {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj",
                  "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout",
                  dir_.filePath("key.pem"), "-out", Certificate()})) {
            why_ = QStringLiteral("openssl req failed");
            return;
        }
        args << "-2" << Certificate() + u',' + dir_.filePath("key.pem");
    }
    for (int attempt = 0; attempt < 5 && pid_ == 0; ++attempt) {
        port_ = freePort();
        args[1] = QStringLiteral("127.0.0.1,%1").arg(port_);
        QStringList passive = args;
        passive << "-p" << QStringLiteral("%1:%2").arg(port_ + 1).arg(port_ + 40);
        QProcess starter;
        qint64 pid = 0;
        // A session of its own, so that Kill ends the sessions with it.
        if (!QProcess::startDetached(QStringLiteral("setsid"), QStringList{server} + passive,
                                     QString(), &pid))
            break;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 3000) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, quint16(port_));
            if (probe.waitForConnected(100)) {
                pid_ = pid;
                break;
            }
            QThread::msleep(20);
        }
        if (pid_ == 0 && pid > 0) ::kill(-pid_t(pid), SIGKILL);
    }
    if (pid_ == 0) why_ = QStringLiteral("pure-ftpd did not start");
}

TestFtpServer::~TestFtpServer() { Kill(); }

bool TestFtpServer::MakeFolder(const QString& relative) const {
    QString path = Home();
    for (const QString& part : relative.split(u'/', Qt::SkipEmptyParts)) {
        path += u'/' + part;
        if (!QDir().mkpath(path) || ::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0)
            return false;
    }
    return true;
}

void TestFtpServer::Kill() {
    if (pid_ <= 0) return;
    ::kill(-pid_t(pid_), SIGKILL);
    pid_ = 0;
    // Gone once its port takes no more connections.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 3000) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, quint16(port_));
        if (!probe.waitForConnected(100)) return;
        QThread::msleep(20);
    }
}

void TestFtpServer::Pause(bool paused) {
    if (pid_ > 0) ::kill(-pid_t(pid_), paused ? SIGSTOP : SIGCONT);
}

int TestFtpServer::Sessions() const {
    QString out;
    if (pid_ <= 0) return 0;
    run(QStringLiteral("pgrep"), {"-c", "-g", QString::number(pid_)}, &out);
    return out.toInt() - 1;
}

}  // namespace korvane::testing
