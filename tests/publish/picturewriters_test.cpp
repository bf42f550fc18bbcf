#include "publish/picturewriters.h"
#include "../files.h"
#include "publish/picturefiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

// 236 colours that are not among the fixed ones: the GIF keeps every pixel.
TEST(Gif, APictureOfFewColoursComesBackPixelForPixel) {
    QImage picture(236, 3, QImage::Format_RGB32);
    for (int x = 0; x < 236; ++x)
        for (int y = 0; y < 3; ++y) picture.setPixel(x, y, qRgb(x + 1, 250 - x, x % 3 + 9));
    QString error;
    const std::optional<QByteArray> gif = EncodeGif(QuantiseForGif(picture), &error);
    ASSERT_TRUE(gif) << error.toStdString();
    EXPECT_TRUE(gif->startsWith("GIF89a"));
    // The global table of 256 entries follows the 13 bytes of header and screen.
    EXPECT_EQ(quint8(gif->at(10)) & 0x87, 0x87);
    EXPECT_EQ(gif->mid(13 + 9 * 3, 3), QByteArray("\xA6\xCA\xF0"));
    EXPECT_EQ(gif->mid(13 + 246 * 3, 3), QByteArray("\xFF\xFB\xF0"));
    EXPECT_EQ(QImage::fromData(*gif, "GIF").convertToFormat(QImage::Format_RGB32), picture);
}

// Full-resolution colour (every component sampled 1 × 1), quality 90, the picture's size.
TEST(Jpeg, EveryChannelAtFullResolution) {
    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int x = 4; x < 60; x += 2) picture.setPixel(x, 16, qRgb(255, 0, 0));
    const std::optional<QByteArray> jpeg = EncodeJpeg(picture);
    ASSERT_TRUE(jpeg);
    const qsizetype sof = jpeg->indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    const QByteArray frame = jpeg->mid(sof + 2, 17);
    EXPECT_EQ(frame[7], 3);  // components
    for (int c = 0; c < 3; ++c) EXPECT_EQ(frame[9 + 3 * c], 0x11) << c;
    const QImage back = QImage::fromData(*jpeg, "JPEG");
    EXPECT_EQ(back.size(), picture.size());
    EXPECT_GT(qRed(back.pixel(10, 16)) - qGreen(back.pixel(10, 16)), 100);  // still red
}

// A failure says why, writes nothing and leaves what was there.
TEST(PictureFiles, FailuresSayWhyAndKeepTheOldFile) {
    QTemporaryDir dir;
    const QString old = dir.filePath("old.gif");
    ASSERT_TRUE(testing::WriteFile(old, "before"));
    QString error;
    EXPECT_FALSE(SaveGif(old, IndexedPicture{}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testing::ReadFile(old), "before");
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    error.clear();
    EXPECT_FALSE(SaveJpeg(old + "/in-a-file.jpg", picture, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(EncodeJpeg(QImage(), 90, &error));
    EXPECT_TRUE(error.contains("JPEG"));
    EXPECT_TRUE(SaveGif(dir.filePath("new.gif"), QuantiseToCube(picture), &error));
    EXPECT_TRUE(SaveJpeg(dir.filePath("new.jpg"), picture, &error));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);  // no temporary left
}

TEST(PictureNames, NoExtensionAndNoOtherFolder) {
    for (const char* good : {"velmarcg", "今月", "cal 2026"})
        EXPECT_TRUE(IsPlainPictureName(QString::fromUtf8(good))) << good;
    for (const char* bad : {"velmar.gif", ".", "a/b", "../x"})
        EXPECT_FALSE(IsPlainPictureName(QString::fromUtf8(bad))) << bad;
    EXPECT_EQ(PlainPictureNameMessage(), "拡張子を付けてはいけません。");
}

// A save folder is an absolute folder on a medium that is there; quick saves need both fields.
TEST(PictureFolders, ChosenFoldersAndQuickSavePaths) {
    QTemporaryDir dir;
    EXPECT_EQ(CheckSaveFolder(dir.path()).Folder, dir.path() + "/");
    EXPECT_TRUE(CheckSaveFolder(dir.path() + "/").Message.isEmpty());
    EXPECT_EQ(CheckSaveFolder("relative/x").Message, "フォルダ選択エラー\r\n中止します。");
    EXPECT_EQ(CheckSaveFolder(dir.filePath("gone")).Message,
              "メディアがセットされていません。\r\n中止します。");
    EXPECT_TRUE(CheckSaveFolder(dir.filePath("gone")).Folder.isEmpty());
    EXPECT_EQ(QuickSavePath(" /srv/www ", " velmarcg ", ".gif"), "/srv/www/velmarcg.gif");
    EXPECT_EQ(QuickSavePath("/srv/www/", "a", ".jpg"), "/srv/www/a.jpg");
    EXPECT_EQ(QuickSavePath("  ", "a", ".gif"), "");
    EXPECT_EQ(QuickSavePath("/srv", " ", ".gif"), "");
}

}  // namespace
}  // namespace korvane
