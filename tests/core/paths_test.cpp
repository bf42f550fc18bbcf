#include "core/paths.h"
#include "../files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(Paths, TrailingDelimiters) {
    EXPECT_EQ(WithTrailing(""), "");
    EXPECT_EQ(WithTrailing("   "), "");
    EXPECT_EQ(WithTrailing(" /data "), "/data/");
    EXPECT_EQ(WithTrailing("/data/"), "/data/");
    EXPECT_EQ(WithTrailing("C:\\Data", u'\\'), "C:\\Data\\");
    EXPECT_EQ(WithoutTrailing("/data/"), "/data");
    EXPECT_EQ(WithoutTrailing("/data//"), "/data/");  // one delimiter only
    EXPECT_EQ(ParentFolder("/x/Data/Files1/"), "/x/Data/");
    EXPECT_EQ(ParentFolder("/x/Data/Files1"), "/x/Data/");
    EXPECT_EQ(ParentFolder("/usr/"), "/");
}

TEST(Paths, WindowsPathsUnderWine) {
    qputenv("WINEPREFIX", "/home/u/.wine");
    EXPECT_EQ(FromWindowsPath("Z:\\home\\u\\Velmar\\"), "/home/u/Velmar/");
    EXPECT_EQ(FromWindowsPath("z:\\"), "/");
    EXPECT_EQ(FromWindowsPath("C:\\Velmar\\"), "/home/u/.wine/dosdevices/c:/Velmar/");
    EXPECT_EQ(FromWindowsPath("D:\\Sched\\"), "/home/u/.wine/dosdevices/d:/Sched/");
    EXPECT_EQ(FromWindowsPath("/already/linux/"), "/already/linux/");
    EXPECT_EQ(FromWindowsPath("Data\\Files1\\"), "Data/Files1/");
    qunsetenv("WINEPREFIX");
}

TEST(Paths, FindFileExactlyThenIgnoringCase) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QFile(folder + "HDAY.DAT").open(QIODevice::WriteOnly);
    QFile(folder + "Ca200612.vlm").open(QIODevice::WriteOnly);
    QFile(folder + "ca200612.VLM").open(QIODevice::WriteOnly);
    QFile(folder + "hday.DAT").open(QIODevice::WriteOnly);
    QFile(folder + "Hday.DAT").open(QIODevice::WriteOnly);
    EXPECT_EQ(FindFile(folder, "Hday.dat"), folder + "HDAY.DAT");  // of several, the first by name
    EXPECT_EQ(FindFile(folder, "Ca200612.vlm"), folder + "Ca200612.vlm");  // exact wins
    EXPECT_EQ(FindFile(folder, "Sday.vlm"), "");
    EXPECT_FALSE(FileExistsIn(folder + "missing/", "Hday.dat"));
    QDir().mkdir(folder + "sub.dat");
    EXPECT_EQ(FindFile(folder, "sub.dat"), "");  // folders are no files

    // Through folders too: each part as FindFile finds names; a file is no folder.
    QDir().mkpath(folder + "pcal/STYLE1/headimg");
    QDir().mkpath(folder + "pcal/Style2");
    QFile(folder + "pcal/STYLE1/headimg/m12.BMP").open(QIODevice::WriteOnly);
    EXPECT_EQ(FindPath(folder, "Pcal/Style1/HeadImg/M12.bmp"),
              folder + "pcal/STYLE1/headimg/m12.BMP");
    EXPECT_EQ(FindPath(folder, "Pcal/Style1/HeadImg/M11.bmp"), "");
    EXPECT_EQ(FindPath(folder, "Pcal/Style2/HeadImg/M12.bmp"), "");
    EXPECT_EQ(FindPath(folder, "HDAY.DAT/x"), "");
    EXPECT_EQ(FindPath(folder, "hday.dat"), folder + "HDAY.DAT");
}

// The data beside the executable first (a build, a per-user set-up), then an installed copy's
// ../share/korvane/.
TEST(Paths, TheProgramFolderOfABuildAndOfAnInstalledCopy) {
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    ASSERT_TRUE(QDir().mkpath(root + "usr/bin") && QDir().mkpath(root + "usr/share/korvane"));
    EXPECT_EQ(ProgramFolderOf(root + "usr/bin"), root + "usr/bin/");
    ASSERT_TRUE(testing::WriteFile(root + "usr/share/korvane/Hday.dat"));
    EXPECT_EQ(ProgramFolderOf(root + "usr/bin/"), root + "usr/share/korvane/");
    ASSERT_TRUE(testing::WriteFile(root + "usr/bin/hday.DAT"));
    EXPECT_EQ(ProgramFolderOf(root + "usr/bin"), root + "usr/bin/");
}

}  // namespace
}  // namespace korvane
