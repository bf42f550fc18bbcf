#include "publish/calendarimagewindow.h"

#include "../files.h"
#include "core/prompt.h"
#include "ftpserver.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace korvane {
namespace {

class ImageWindow : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    QPointer<CalendarImageWindow> window;

    void open(const QString& folder, const QString& quickName = QStringLiteral("KorMonth")) {
        QImage picture(120, 80, QImage::Format_RGB32);
        picture.fill(qRgb(250, 250, 240));
        for (int x = 0; x < 120; ++x) picture.setPixel(x, 40, qRgb(x * 2, 0, 255 - x));
        window = new CalendarImageWindow(picture, {folder, quickName, QStringLiteral("Month1")});
        window->show();
    }
    void TearDown() override { delete window; }
    void click(const char* name) {
        window->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    }
    void trigger(const char* name) {
        window->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    }
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

// The dialog proposes the chosen name in the save folder; an existing file is overwritten only
// when the user says so, else the dialog comes again; a cancel says so and keeps the window.
TEST_F(ImageWindow, SaveAsksBeforeOverwritingAndClosesWhenSaved) {
    open(dir.path() + "/");
    EXPECT_EQ(window->findChild<QLabel*>("lblSize")->text(), "120 × 80");
    EXPECT_EQ(window->findChild<QLabel*>("imgSs")->pixmap().size(), QSize(120, 80));
    ASSERT_TRUE(testing::WriteFile(file("old.gif"), "old"));
    prompt.answerName(file("old.gif"));  // exists: No
    click("btnSaveClose");
    ASSERT_EQ(prompt.entries().size(), 4u);
    EXPECT_EQ(prompt.entries()[0].text, file("Month1.gif"));
    EXPECT_EQ(prompt.entries()[1].text, "同名の画像ファイルが存在します。\r\n上書きしますか？");
    EXPECT_EQ(prompt.entries()[3].text, "画像の保存がキャンセルされました。");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(testing::ReadFile(file("old.gif")), "old");

    QSignalSpy closed(window.data(), &CalendarImageWindow::Closed);
    prompt.answerName(file("old.gif"));
    prompt.answer(true);
    trigger("mnSave");
    EXPECT_EQ(closed.count(), 1);
    const QImage saved(file("old.gif"));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(120, 80));
    EXPECT_EQ(QColor(saved.pixel(100, 40)), QColor(200, 0, 155));
}

// Quick saves write the 216-colour GIF and velmar.jpg into the save folder without asking; a
// blank folder asks for the place instead of writing beside the program.
TEST_F(ImageWindow, QuickSavesGoIntoTheSaveFolder) {
    open(" " + dir.path() + " ", " Quick ");
    trigger("gif1");
    trigger("jpg1");
    EXPECT_TRUE(prompt.entries().empty());
    const QImage gif(file("Quick.gif")), jpeg(file("velmar.jpg"));
    ASSERT_FALSE(gif.isNull());
    EXPECT_EQ(QColor(gif.pixel(100, 40)), QColor(204, 0, 153));  // the cube's nearest
    EXPECT_EQ(jpeg.size(), QSize(120, 80));
    delete window;
    open(QString());
    trigger("gif1");
    trigger("jpg1");
    ASSERT_EQ(prompt.entries().size(), 2u);
    EXPECT_EQ(prompt.entries()[0].text, QDir::home().filePath("KorMonth.gif"));
    EXPECT_EQ(prompt.entries()[1].text, QDir::home().filePath("velmar.jpg"));
}

// A place that cannot be written (here a "folder" that is a file, which stops root too): the
// reason is said, the window stays with its picture, and nothing is left behind.
TEST_F(ImageWindow, AFailedSaveIsSaidAndLeavesNothing) {
    ASSERT_TRUE(testing::WriteFile(file("plain")));
    open(dir.path());
    prompt.answerName(file("plain") + "/m.gif");
    click("btnSaveClose");
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(prompt.entries().size(), 2u);
    EXPECT_TRUE(prompt.entries()[1].text.startsWith("画像を保存できませんでした。\r\n" +
                                                    file("plain") + "/m.gif\r\n"));
    EXPECT_GT(prompt.entries()[1].text.size(), 40);  // with the reason
    EXPECT_EQ(prompt.entries()[1].kind, Prompt::Kind::Error);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"plain"});
}

// 保存＆ＦＴＰ転送＆終了 needs an account; it closes only after a committed upload, a failure is
// said and the window stays to try again, and a second press cancels the running upload.
TEST_F(ImageWindow, SaveAndUploadClosesOnlyWhenTheServerHasTheFile) {
    open(dir.path());
    EXPECT_FALSE(window->findChild<QPushButton*>("btnFTP")->isEnabled());
    EXPECT_FALSE(window->findChild<QAction*>("mnFTP")->isEnabled());
    delete window;
    testing::TestFtpServer server;
    if (!server.Running()) GTEST_SKIP() << server.Why().toStdString();
    ASSERT_TRUE(server.MakeFolder("img"));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const auto openWith = [&](const QString& folder) {
        window = new CalendarImageWindow(picture, {dir.path(), "KorMonth", "Month1",
                                                   FtpAccount{server.Host(),
                                                              testing::TestFtpServer::kUser,
                                                              testing::TestFtpServer::kPassword,
                                                              folder,
                                                              {}}});
        window->show();
    };
    openWith("missing");
    auto* button = window->findChild<QPushButton*>("btnFTP");
    prompt.answerName(file("a.gif"));
    button->click();
    EXPECT_EQ(button->text(), "転送中止");
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.entries().size() == std::size_t(2); }, 10000));
    EXPECT_EQ(prompt.entries()[1].text, FtpMessage(FtpOutcome::NoFolder));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(button->text(), "保存＆ＦＴＰ転送＆終了");
    EXPECT_TRUE(button->isEnabled());
    prompt.clear();
    button->click();  // the dialog cancelled: nothing goes
    EXPECT_EQ(prompt.texts().last(),
              "画像の保存がキャンセルされました。\r\nＦＴＰ転送も実行しません。");
    delete window;

    prompt.clear();
    openWith("img");
    button = window->findChild<QPushButton*>("btnFTP");
    server.Pause(true);
    prompt.answerName(file("b.gif"));
    button->click();
    QTest::qWait(300);
    button->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.entries().size() == std::size_t(2); }, 5000));
    EXPECT_EQ(prompt.entries()[1].text, FtpMessage(FtpOutcome::Cancelled));
    EXPECT_TRUE(window->isVisible());
    server.Pause(false);

    prompt.clear();
    QSignalSpy closed(window.data(), &CalendarImageWindow::Closed);
    prompt.answerName(file("KorMonth.gif"));
    window->findChild<QAction*>("mnFTP")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed.count() == 1; }, 10000));
    EXPECT_EQ(prompt.texts().last(), "転送が終了しました。");
    EXPECT_EQ(testing::ReadFile(server.Home() + "/img/KorMonth.gif"),
              testing::ReadFile(file("KorMonth.gif")));
}

TEST_F(ImageWindow, TheQuitEntriesAskTheProgramToEnd) {
    open(dir.path());
    QSignalSpy quit(window.data(), &CalendarImageWindow::QuitRequested);
    trigger("mnQuit");
    trigger("MenuTrayClose");
    EXPECT_EQ(quit.count(), 2);
    QSignalSpy closed(window.data(), &CalendarImageWindow::Closed);
    click("FramSpeedBtn3");
    EXPECT_EQ(closed.count(), 1);
}

}  // namespace
}  // namespace korvane
