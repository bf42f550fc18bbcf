#include "publish/ftptransfer.h"

#include "../files.h"
#include "ftpserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

namespace korvane {
namespace {

using testing::TestFtpServer;

class Ftp : public ::testing::Test {
protected:
    QTemporaryDir local;
    std::unique_ptr<TestFtpServer> server;

    void start(int tls = 0) {
        server = std::make_unique<TestFtpServer>(tls);
        if (!server->Running()) GTEST_SKIP() << server->Why().toStdString();
    }
    FtpAccount account(const QString& folder = QStringLiteral("/")) const {
        return {server->Host(), TestFtpServer::kUser, TestFtpServer::kPassword, folder, {}};
    }
    // A picture-sized file of known bytes.
    QString picture(const QString& name, int bytes = 200000) {
        QByteArray data(bytes, '\0');
        for (int i = 0; i < bytes; ++i) data[i] = char(i * 7 % 251);
        EXPECT_TRUE(testing::WriteFile(local.filePath(name), data));
        return local.filePath(name);
    }
    QByteArray onServer(const QString& path) const {
        return testing::ReadFile(server->Home() + u'/' + path);
    }
    QStringList serverFolder(const QString& path) const {
        return QDir(server->Home() + u'/' + path)
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

// A relative folder is from the login folder, a leading "/" from the root (here the same, the
// user being chrooted): neither doubles; the file lands whole under its bare name, nothing else.
TEST_F(Ftp, TheFileLandsWholeInItsFolder) {
    start();
    ASSERT_TRUE(server->MakeFolder("htdocs/img"));
    const QString file = picture("KorMonth.gif");
    for (const QString folder : {"htdocs/img", "/htdocs/img/", " htdocs//img "}) {
        QFile::remove(server->Home() + "/htdocs/img/KorMonth.gif");
        EXPECT_EQ(UploadByFtp(account(folder), file), FtpOutcome::Done) << folder.toStdString();
        EXPECT_EQ(onServer("htdocs/img/KorMonth.gif"), testing::ReadFile(file))
            << folder.toStdString();
        EXPECT_EQ(serverFolder("htdocs/img"), QStringList{"KorMonth.gif"});
    }
    const QString japanese = picture("今月 の予定.gif", 10);
    EXPECT_EQ(UploadByFtp(account(), japanese), FtpOutcome::Done);
    EXPECT_EQ(onServer("今月 の予定.gif"), testing::ReadFile(japanese));
}

// Each fault its own outcome; a folder is never made, nothing lands under a final name.
TEST_F(Ftp, FaultsAreToldApart) {
    start();
    const QString file = picture("KorMonth.gif");
    FtpAccount wrong = account();
    wrong.Password = "password";
    EXPECT_EQ(CheckFtp(wrong), FtpOutcome::CannotConnect);
    EXPECT_EQ(UploadByFtp(account("missing/img"), file), FtpOutcome::NoFolder);
    EXPECT_EQ(CheckFtp(account("missing")), FtpOutcome::NoFolder);
    EXPECT_FALSE(QFileInfo::exists(server->Home() + "/missing"));
    EXPECT_EQ(UploadByFtp(account(), local.filePath("gone.gif")), FtpOutcome::LocalFile);
    EXPECT_EQ(UploadByFtp(account(), picture("big.gif", 8 << 20), {},
                          [](qint64 sent, qint64) { return sent == 0; }),
              FtpOutcome::Cancelled);
    EXPECT_TRUE(serverFolder({}).isEmpty());  // the part sent is gone too

    // The check logs in and out: no session stays open.
    EXPECT_EQ(CheckFtp(account()), FtpOutcome::Done);
    QElapsedTimer t;
    t.start();
    while (server->Sessions() > 0 && t.elapsed() < 2000) QThread::msleep(20);
    EXPECT_EQ(server->Sessions(), 0);

    // A server that stops answering in the middle; then one that is gone.
    bool paused = false;
    EXPECT_EQ(UploadByFtp(account(), file, {2, 2, 2},
                          [&](qint64 sent, qint64) {
                              if (sent > 0 && !paused) server->Pause(paused = true);
                              return true;
                          }),
              FtpOutcome::TimedOut);
    server->Pause(false);
    EXPECT_EQ(onServer("KorMonth.gif"), "(none)");
    server->Kill();
    EXPECT_EQ(CheckFtp(account()), FtpOutcome::CannotConnect);
}

// A server dying during the upload leaves no file under the final name.
TEST_F(Ftp, AServerKilledMidwayLeavesNoFinalFile) {
    start();
    const QString file = picture("KorMonth.gif", 4 << 20);
    EXPECT_EQ(UploadByFtp(account(), file, {},
                          [&](qint64 sent, qint64) {
                              if (sent > 0) server->Kill();
                              return true;
                          }),
              FtpOutcome::Broken);
    EXPECT_EQ(onServer("KorMonth.gif"), "(none)");
}

// TLS where offered, the certificate verified: a self-signed one is refused with its own
// outcome; trusted, it carries the upload, also where the server insists on TLS.
TEST_F(Ftp, TlsWithTheCertificateVerified) {
    for (const int tls : {1, 2}) {
        start(tls);
        const QString file = picture("KorMonth.gif", 1000);
        EXPECT_EQ(CheckFtp(account()), FtpOutcome::Certificate) << tls;
        FtpAccount none = account();  // a machine without certificates trusts nothing
        none.CaFile = local.filePath("none.pem");
        EXPECT_EQ(CheckFtp(none), FtpOutcome::Certificate) << tls;
        FtpAccount trusted = account();
        trusted.CaFile = server->Certificate();
        EXPECT_EQ(UploadByFtp(trusted, file), FtpOutcome::Done) << tls;
        EXPECT_EQ(onServer("KorMonth.gif"), testing::ReadFile(file)) << tls;
    }
}

// The job runs beside the event loop: one waiting on a server that does not answer is cancelled
// within a second while a timer of the window keeps firing; a finished job reports its outcome
// and its progress.
TEST_F(Ftp, JobsRunBesideTheEventLoop) {
    start();
    const QString file = picture("KorMonth.gif", 1 << 20);
    { const FtpJob never(account(), file); }  // one never started goes quietly
    auto job = std::make_unique<FtpJob>(account(), file);
    QSignalSpy finished(job.get(), &FtpJob::Finished);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(50);
    server->Pause(true);
    job->Start();
    EXPECT_TRUE(job->Running());
    QTest::qWait(500);
    job->Cancel();
    QElapsedTimer cancelled;
    cancelled.start();
    // The spy hears the worker's thread at once: the signal may come before a wait would start.
    while (finished.isEmpty() && cancelled.elapsed() < 3000) QTest::qWait(10);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_LT(cancelled.elapsed(), 1000);
    EXPECT_EQ(finished[0][0].value<FtpOutcome>(), FtpOutcome::Cancelled);
    EXPECT_GT(ticks, 5);
    server->Pause(false);

    job = std::make_unique<FtpJob>(account(), file);
    QSignalSpy done(job.get(), &FtpJob::Finished), progress(job.get(), &FtpJob::Progress);
    job->Start();
    ASSERT_TRUE(done.count() > 0 || done.wait(10000));
    EXPECT_EQ(done[0][0].value<FtpOutcome>(), FtpOutcome::Done);
    ASSERT_GT(progress.count(), 0);
    EXPECT_EQ(progress.last()[1].toLongLong(), 1 << 20);
}

TEST(FtpMessages, EachOutcomeHasItsOwnText) {
    QStringList texts;
    for (int o = int(FtpOutcome::Done); o <= int(FtpOutcome::LocalFile); ++o)
        texts << FtpMessage(FtpOutcome(o));
    texts.removeDuplicates();
    EXPECT_EQ(texts.size(), int(FtpOutcome::LocalFile) + 1);
    EXPECT_EQ(FtpMessage(FtpOutcome::Done), "転送が終了しました。");
}

}  // namespace
}  // namespace korvane
