#include "core/atomicfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>

namespace korvane {
namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

// Files beyond the limit cannot grow, as on a full disk (EFBIG instead of ENOSPC).
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

TEST(AtomicFile, AFailedWriteKeepsTheOldFileAndSaysSo) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Korvane.ini");
    const QByteArray old(79, 'o');
    ASSERT_TRUE(WriteFileAtomically(path, old));
    // Small enough to stay in the write buffer (failing only at the flush), and large.
    for (const qsizetype size : {qsizetype(2000), qsizetype(200000)}) {
        QString error;
        {
            FullDisk full(1000);
            EXPECT_FALSE(WriteFileAtomically(path, QByteArray(size, 'n'), &error)) << size;
        }
        EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EFBIG)))
            << size;  // the reason, named
        EXPECT_EQ(contents(path), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Korvane.ini"});
    }
    // A folder that is not there: said so, nothing made.
    AtomicFile nowhere(dir.filePath("none/x.ini"));
    EXPECT_FALSE(nowhere.Open());
    EXPECT_FALSE(nowhere.ErrorString().isEmpty());
}

TEST(AtomicFile, StreamedWritesAreCheckedToo) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.pdf");
    AtomicFile file(path);
    ASSERT_TRUE(file.Open());
    FullDisk full(1000);
    for (int i = 0; i < 10; ++i) file.Device().write(QByteArray(300, 'x'));
    EXPECT_FALSE(file.Commit());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(AtomicFile, ASecretIsTheOwnersAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Korvane.bini");
    ASSERT_TRUE(WriteFileAtomically(path, "secret", nullptr,
                                    QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(contents(path), "secret");
}

TEST(AtomicFile, AFifoIsWrittenIntoNotReplaced) {
    QTemporaryDir dir;
    const QString path = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QByteArray received;
    std::thread reader([&] {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) received = f.readAll();
    });
    const QByteArray bytes(100000, 'p');
    EXPECT_TRUE(WriteFileAtomically(path, bytes));
    reader.join();
    EXPECT_EQ(received, bytes);
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// "-" is standard output, for a page piped on.
TEST(AtomicFile, ADashIsStandardOutput) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out");
    std::fflush(stdout);
    const int saved = dup(1);
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    dup2(fd, 1);
    ::close(fd);
    const bool ok = WriteFileAtomically("-", "%PDF-1.4 piped");
    std::fflush(stdout);
    dup2(saved, 1);
    ::close(saved);
    EXPECT_TRUE(ok);
    EXPECT_EQ(contents(path), "%PDF-1.4 piped");
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath("-")));
}

}  // namespace
}  // namespace korvane
