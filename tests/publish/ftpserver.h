#pragma once

#include <QString>
#include <QTemporaryDir>

namespace korvane::testing {

// pure-ftpd on loopback with one user, "u@example.com" with the password "p@ss:w/d#%", chrooted
// to Home(). Needs root (the server changes to the user's id); Why() says why it is not running.
class TestFtpServer {
public:
    static constexpr const char* kUser = "u@example.com";
    static constexpr const char* kPassword = "p@ss:w/d#%";

    // tls: pure-ftpd's -Y (0 none, 1 offered, 2 required), with a self-signed certificate.
    explicit TestFtpServer(int tls = 0);
    ~TestFtpServer();
    TestFtpServer(const TestFtpServer&) = delete;
    TestFtpServer& operator=(const TestFtpServer&) = delete;

    bool Running() const { return pid_ > 0; }
    const QString& Why() const { return why_; }
    QString Host() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    QString Home() const { return dir_.filePath(QStringLiteral("home")); }
    QString Certificate() const { return dir_.filePath(QStringLiteral("cert.pem")); }
    // A folder in the user's home that the user can write into.
    bool MakeFolder(const QString& relative) const;
    // Ends the server and every session at once, as a crash would.
    void Kill();
    // Stops or resumes every process of the server (a server that no longer answers).
    void Pause(bool paused);
    // Sessions still open (one process each besides the server's own).
    int Sessions() const;

private:
    QTemporaryDir dir_;
    QString why_;
    qint64 pid_ = 0;
    int port_ = 0;
};

}  // namespace korvane::testing
