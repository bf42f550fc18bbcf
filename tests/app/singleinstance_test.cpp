#include "app/singleinstance.h"
#include "../files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace korvane {
namespace {

mode_t modeOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 0777;
}

TEST(SingleInstance, MeetsOnlyInAFolderNobodyElseMayEnter) {
    QTemporaryDir runtime, temp;
    ::chmod(QFile::encodeName(runtime.path()).constData(), 0700);
    EXPECT_EQ(SingleInstance::PrivateFolder(runtime.path(), temp.path()), runtime.path() + "/");
    // A runtime folder others may enter is not used: an owner-only folder of our own instead.
    ::chmod(QFile::encodeName(runtime.path()).constData(), 0755);
    const QString own = temp.path() + QStringLiteral("/korvane-%1/").arg(::getuid());
    EXPECT_EQ(SingleInstance::PrivateFolder(runtime.path(), temp.path()), own);
    EXPECT_EQ(modeOf(own), 0700u);
    EXPECT_EQ(SingleInstance::PrivateFolder(QString(), temp.path()), own);
    // One that someone opened up is not trusted at all.
    ::chmod(QFile::encodeName(own).constData(), 0777);
    EXPECT_EQ(SingleInstance::PrivateFolder(QString(), temp.path()), QString());
}

TEST(SingleInstance, SecondCopyRaisesTheFirst) {
    QTemporaryDir dir;
    const QString key = dir.filePath("korvane.sock");
    SingleInstance first(key);
    int raised = 0;
    ASSERT_TRUE(first.Listen([&] { ++raised; }));
    SingleInstance second(key);
    EXPECT_TRUE(second.AskRunningCopy());
    QElapsedTimer t;
    t.start();
    while (raised == 0 && t.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(raised, 1);
}

// Whatever stands at the socket's name and is not this user's socket is left alone: no copy
// talks to it and none takes it over.
TEST(SingleInstance, AStrangersSocketIsRefused) {
    QTemporaryDir dir;
    const QString key = dir.filePath("korvane.sock");
    ASSERT_TRUE(testing::WriteFile(key, "not a socket"));
    SingleInstance copy(key);
    EXPECT_FALSE(copy.AskRunningCopy());
    EXPECT_FALSE(copy.Listen({}));
    EXPECT_TRUE(QFile::exists(key));
    if (::getuid() == 0) {
        // A real socket that belongs to somebody else.
        QFile::remove(key);
        QLocalServer other;
        ASSERT_TRUE(other.listen(key));
        ASSERT_EQ(::chown(QFile::encodeName(key).constData(), 65534, 65534), 0);
        SingleInstance mine(key);
        EXPECT_FALSE(mine.AskRunningCopy());
        EXPECT_FALSE(mine.Listen({}));
    }
    EXPECT_FALSE(SingleInstance(QString()).Listen({}));
}

// A copy that crashed leaves its socket behind: nobody answers there, and the next copy takes it.
TEST(SingleInstance, AStaleSocketIsTakenOver) {
    QTemporaryDir dir;
    const QString key = dir.filePath("korvane.sock");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, QFile::encodeName(key).constData(), sizeof addr.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    SingleInstance next(key);
    EXPECT_FALSE(next.AskRunningCopy());
    EXPECT_TRUE(next.Listen({}));
}

}  // namespace
}  // namespace korvane
