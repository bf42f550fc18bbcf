// The picture upload's speed: a 10 MB file to a pure-ftpd on loopback through Korvane's upload
// and through `curl -T` of the same file to the same server, median of 5 runs each.
//   upload_bench      (as root: the server changes to its own user)
#include "../tests/publish/ftpserver.h"
#include "publish/ftptransfer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(const std::function<bool()>& step) {
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        if (!step()) return -1;
        runs.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    using namespace korvane;
    QCoreApplication app(argc, argv);
    const CurlGlobal curl;
    testing::TestFtpServer server;
    if (!server.Running()) {
        std::fprintf(stderr, "upload_bench: %s\n", qUtf8Printable(server.Why()));
        return 1;
    }
    const QString file = server.Home() + QStringLiteral("/../upload.bin");
    QFile data(file);
    QByteArray block(1 << 20, '\0');
    for (int i = 0; i < block.size(); ++i) block[i] = char(i * 13 % 251);
    if (!data.open(QIODevice::WriteOnly)) return 1;
    for (int i = 0; i < 10; ++i) data.write(block);
    data.close();
    const FtpAccount account{server.Host(),
                             testing::TestFtpServer::kUser,
                             testing::TestFtpServer::kPassword,
                             QStringLiteral("/"),
                             {}};
    const double ours = medianMs([&] { return UploadByFtp(account, file) == FtpOutcome::Done; });
    const double tool = medianMs([&] {
        return QProcess::execute(QStringLiteral("curl"),
                                 {"-sS", "-T", file, "--user",
                                  QStringLiteral("%1:%2").arg(testing::TestFtpServer::kUser,
                                                              testing::TestFtpServer::kPassword),
                                  QStringLiteral("ftp://%1/upload2.bin").arg(server.Host())}) == 0;
    });
    std::printf(
        "10 MB to loopback: Korvane %.1f ms (%.0f MB/s), curl -T %.1f ms (%.0f MB/s); "
        "Korvane at %.0f %% of curl's speed\n",
        ours, 10000.0 / ours, tool, 10000.0 / tool, 100.0 * tool / ours);
    return ours > 0 && tool > 0 ? 0 : 1;
}
