#include "mainwindowfixture.h"

#include "../publish/ftpserver.h"
#include "app/ftpsettings.h"
#include "app/uploadcommand.h"
#include "testsupport.h"

#include "app/picturecommand.h"

#include "../files.h"
#include "calendar/monthgrid.h"
#include "core/qtcolor.h"
#include "publish/calendarimagewindow.h"
#include "publish/ftptransfer.h"
#include "publish/gifreader.h"
#include "publish/publicitycalendarcomposer.h"
#include "settings/inifile.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace korvane {
namespace {

// The texts a label or button showed each time it was painted.
class PaintedText : public QObject {
public:
    explicit PaintedText(QWidget* w) { w->installEventFilter(this); }
    QStringList texts;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Paint) return false;
        if (auto* label = qobject_cast<QLabel*>(o)) texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(o)) texts << button->text();
        return false;
    }
};

int pixelsOf(const QImage& image, ColorValue colour) {
    const QRgb wanted = ToQColor(colour).rgb();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == wanted;
    return n;
}

using PictureTest = MainWindowTest;

// The picture shows the dressed month; afterwards the window is exactly as it was.
TEST_F(PictureTest, TakenDressedAndPutBack) {
    open(2026, 12, 9);
    window->show();
    const auto state = [this] {
        return std::tuple(window->windowTitle(), find<QLabel>("pnlClock")->text(),
                          find<QLabel>("pnlFolder")->isVisible(), window->Grid()->IsToDay(),
                          find<QPushButton>("btnM1")->text(), find<QPushButton>("btnM12")->text(),
                          find<QWidget>("pnlIdou1")->isVisible(), window->CaptureHidden());
    };
    const auto before = state();
    PaintedText clock(find<QLabel>("pnlClock")), settings(find<QPushButton>("btnM1")),
        quit(find<QPushButton>("btnM12"));
    const QImage picture = window->CaptureMonthPicture();
    EXPECT_EQ(clock.texts, QStringList{"2026 年 12 月"});
    EXPECT_EQ(settings.texts, QStringList{"年月"});
    EXPECT_EQ(quit.texts, QStringList{"常駐"});
    EXPECT_EQ(state(), before);
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), window->size());
    EXPECT_EQ(pixelsOf(picture, MonthGrid::kTodayColor), 0);
    EXPECT_GT(pixelsOf(window->grab().toImage(), MonthGrid::kTodayColor), 100);

    find<QCheckBox>("cbSsDateTime")->setChecked(false);
    window->CaptureMonthPicture();
    EXPECT_EQ(clock.texts.last(), "2026/12/9 (水)  15 : 5 更新");
    EXPECT_EQ(state(), before);
}

// 実行 takes the picture into its window and hides this one until that closes; with the option
// off the menu is disabled and Ctrl+G does nothing.
TEST_F(PictureTest, TheMenuFollowsTheOptionAndTheWindowComesBack) {
    open(2026, 12, 9);
    window->show();
    auto* pictures = find<QMenu>("mnSs");
    EXPECT_FALSE(pictures->menuAction()->isEnabled());
    find<QAction>("mnSs4")->trigger();
    EXPECT_EQ(window->ImageWindow(), nullptr);
    find<QCheckBox>("cbSsUse")->click();
    EXPECT_TRUE(pictures->menuAction()->isEnabled());
    find<QLineEdit>("edtFile1")->setText("Web");
    find<QAction>("mnSs4")->trigger();
    CalendarImageWindow* shown = window->ImageWindow();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_FALSE(window->isVisible());
    prompt.answerName({});
    shown->findChild<QAction*>("mnSave")->trigger();
    EXPECT_TRUE(prompt.entries()[0].text.endsWith("/Web.gif"));
    shown->findChild<QAction*>("mnClose")->trigger();
    EXPECT_TRUE(window->isVisible());
    // Quitting from the picture window closes this one the usual way: the settings are saved.
    find<QAction>("mnSs4")->trigger();
    window->ImageWindow()->findChild<QAction*>("MenuTrayClose")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(IniFile(dir.filePath("settings/Korvane.ini")).ReadString("Option", "edtFile1", ""),
              "Web");
}

// The layout-window entries work beside korvane.777 only; 翌月 takes next month from today under
// its own name.
TEST_F(PictureTest, TheLayoutEntriesNeedTheMarker) {
    open(2026, 12, 9);
    window->show();
    find<QAction>("mnC2")->trigger();
    EXPECT_EQ(prompt.texts(),
              QStringList{"この機能は開発中で、使うことが出来ません。\r\n申し訳ございません。"});
    EXPECT_EQ(window->ImageWindow(), nullptr);
    ASSERT_TRUE(testing::WriteFile(dir.filePath("prog/korvane.777")));
    window->StepMonth(-12);
    find<QAction>("mnC2")->trigger();
    ASSERT_NE(window->ImageWindow(), nullptr);
    EXPECT_EQ(window->Grid()->Year() * 100 + window->Grid()->Month(), 202701);
    EXPECT_EQ(window->ImageWindow()->Picture().deviceIndependentSize().toSize(), QSize(829, 614));
    prompt.answerName({});
    window->ImageWindow()->SaveCalendarImage();
    EXPECT_TRUE(prompt.entries().back().text.endsWith("/Month2.gif"));
    find<QAction>("mnC3")->trigger();
    EXPECT_EQ(window->Grid()->Month(), 2);  // 翌々月; 広報カレンダ keeps the month shown
    find<QAction>("mnC1")->trigger();       // 当月, from any month shown
    EXPECT_EQ(window->Grid()->Month(), 12);
}

// The FTP switch greys the group's controls and hides the group; the connection test runs
// beside the window and says how it went; the values go to Korvane.bini; the upload button
// follows them.
TEST_F(PictureTest, TheFtpGroupAndTheConnectionTest) {
    testing::TestFtpServer server;
    if (!server.Running()) GTEST_SKIP() << server.Why().toStdString();
    QDir().mkpath(dir.filePath("settings"));
    IniFile(dir.filePath("settings/Printers.ini")).WriteString("Set", "cbFTP", "1");
    open(2026, 12, 9);
    window->OpenSettings();
    auto* group = find<QWidget>("gbFTP");
    auto* host = find<QPushButton>("btnHost");
    EXPECT_TRUE(host->isEnabled());                         // the stored switch applied at start
    EXPECT_EQ(find<QLineEdit>("edtPassword")->text(), "");  // no word of ours is ever sent
    EXPECT_TRUE(group->isHidden());
    host->click();
    EXPECT_FALSE(group->isHidden());
    find<QLineEdit>("edtFtpServer")->setText(server.Host());
    find<QLineEdit>("edtUserID")->setText(testing::TestFtpServer::kUser);
    find<QLineEdit>("edtPassword")->setText(testing::TestFtpServer::kPassword);
    find<QLineEdit>("edtCurrentDir")->setText("nowhere");
    auto* check = find<QPushButton>("btnChkFTP");
    check->click();
    EXPECT_FALSE(check->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.texts().size() == 1; }, 10000));
    EXPECT_EQ(prompt.texts()[0], FtpMessage(FtpOutcome::NoFolder));
    EXPECT_TRUE(check->isEnabled());
    find<QLineEdit>("edtCurrentDir")->setText("/");
    check->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.texts().size() == 2; }, 10000));
    EXPECT_EQ(prompt.texts()[1], "正常に接続できました。");
    // A finished check leaves no connection behind.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->findChildren<FtpJob*>().isEmpty(); }, 2000));
    find<QCheckBox>("cbFTP")->click();
    EXPECT_TRUE(group->isHidden());
    EXPECT_FALSE(check->isEnabled());
    EXPECT_FALSE(host->isEnabled());
    find<QCheckBox>("cbSsUse")->click();
    find<QAction>("mnSs4")->trigger();
    EXPECT_FALSE(window->ImageWindow()->findChild<QPushButton*>("btnFTP")->isEnabled());
    window->ImageWindow()->close();
    find<QCheckBox>("cbFTP")->click();
    ASSERT_TRUE(window->SaveAllSettings());
    FtpSettings stored;
    ASSERT_TRUE(stored.Load(dir.filePath("settings/"), dir.filePath("prog/")));
    EXPECT_EQ(stored.UserID, testing::TestFtpServer::kUser);
    find<QAction>("mnSs4")->trigger();
    EXPECT_TRUE(window->ImageWindow()->findChild<QPushButton*>("btnFTP")->isEnabled());
}

// The command line: the stored settings, each replaced by its option, the password from the
// environment; 0 only for a committed upload, else the message.
TEST(UploadCommand, StoredSettingsOptionsAndThePasswordFromTheEnvironment) {
    testing::TestFtpServer server;
    if (!server.Running()) GTEST_SKIP() << server.Why().toStdString();
    ASSERT_TRUE(server.MakeFolder("img"));
    QTemporaryDir dir;
    const QString settings = dir.path() + u'/';
    FtpSettings ftp;
    ftp.Load(settings, settings);
    ftp.Server = "ftp.invalid";
    ftp.UserID = testing::TestFtpServer::kUser;
    ftp.Password = "stored";
    ftp.CurrentDir = "img";
    ASSERT_TRUE(ftp.Save(settings));
    ASSERT_TRUE(testing::WriteFile(dir.filePath("KorMonth.gif"), "GIF89a"));
    const auto run = [&](const QStringList& args, bool check = false) {
        UploadRequest r;
        EXPECT_FALSE(ParseUploadRequest(args, check, r));
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int code = RunUploadCommand(r, settings, settings, out, err);
        return std::tuple(code, testing::ReadAndClose(out), testing::ReadAndClose(err));
    };
    qputenv("KORVANE_FTP_PASSWORD", testing::TestFtpServer::kPassword);
    EXPECT_EQ(run({dir.filePath("KorMonth.gif"), "--host", server.Host()}),
              std::tuple(0, QString("転送が終了しました。\n"), QString()));
    EXPECT_EQ(testing::ReadFile(server.Home() + "/img/KorMonth.gif"), "GIF89a");
    EXPECT_EQ(std::get<2>(run({"--host", server.Host(), "--folder", "none"}, true)),
              "korvane: " + FtpMessage(FtpOutcome::NoFolder).replace("\r\n", " ") + "\n");
    qunsetenv("KORVANE_FTP_PASSWORD");  // the stored one is wrong
    EXPECT_EQ(std::get<0>(run({"--host", server.Host()}, true)), 1);
    const auto [code, out, err] = run({"--host", " ", "--user", "u"}, true);
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(err.startsWith("korvane: ホスト名とユーザー名を設定するか"));
}

// The GIF keeps the PNG's picture within 55 dB; the JPEG has its size; a file that cannot be
// written is named and the command fails.
TEST(PictureCommand, TheMonthAsGifPngAndJpeg) {
    QTemporaryDir dir;
    PictureRequest r;
    ASSERT_FALSE(ParsePictureRequest(
        {"202612", "--gif", dir.filePath("m.gif"), "--png", dir.filePath("m.png"), "--jpg",
         dir.filePath("m.jpg"), "--today", "2026-12-09"},
        r));
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(
        RunPictureCommand(r, QCoreApplication::applicationDirPath() + u'/', dir.path() + u'/', err),
        0);
    std::fclose(err);
    const QImage png(dir.filePath("m.png")), gif(dir.filePath("m.gif")),
        jpeg(dir.filePath("m.jpg"));
    ASSERT_FALSE(png.isNull());
    ASSERT_EQ(gif.size(), png.size());
    EXPECT_EQ(jpeg.size(), png.size());
    double squares = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            const QRgb a = png.pixel(x, y), b = gif.pixel(x, y);
            for (const int d : {qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b)})
                squares += d * d;
        }
    const double mse = squares / (3.0 * png.width() * png.height());
    EXPECT_GT(10 * std::log10(255.0 * 255.0 / mse), 55.0);

    const QString layoutFile = r.Png;
    r = {};
    ASSERT_FALSE(
        ParsePictureRequest({"202612", "--layout", "--png", layoutFile, "/U=1", "/S=x"}, r));
    EXPECT_EQ(std::tuple(r.Year, r.Month, r.Switches.size()), std::tuple(2026, 12, qsizetype(2)));
    err = std::tmpfile();
    EXPECT_EQ(
        RunPictureCommand(r, QCoreApplication::applicationDirPath() + u'/', dir.path() + u'/', err),
        0);
    std::fclose(err);
    EXPECT_EQ(QImage(r.Png).size(), QSize(829, 614));
    // Only read: the settings folder stays as it was.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({"m.gif", "m.jpg", "m.png"}));

    r.Png.clear();
    r.Gif = dir.filePath("m.png/m.gif");
    err = std::tmpfile();
    EXPECT_EQ(
        RunPictureCommand(r, QCoreApplication::applicationDirPath() + u'/', dir.path() + u'/', err),
        1);
    std::rewind(err);
    char line[512] = {};
    std::fgets(line, sizeof line, err);
    std::fclose(err);
    EXPECT_TRUE(QString::fromUtf8(line).startsWith("korvane: " + r.Gif + " に保存できません"))
        << line;
}

// The five shipped styles, each its own picture with a transparent border; a base given that
// cannot be read ends with its reason; the usage errors.
TEST(PictureCommand, ComposeInEachShippedStyle) {
    QTemporaryDir dir;
    const QString program = QCoreApplication::applicationDirPath() + u'/';
    QSet<QRgb> bands;
    for (int style = 1; style <= 5; ++style) {
        PictureRequest r;
        const QString gif = dir.filePath(QStringLiteral("s%1.gif").arg(style));
        ASSERT_FALSE(ParsePictureRequest(
            {"202612", "--style", QString::number(style), "--gif", gif, "--today", "2026-12-09"}, r,
            true));
        std::FILE* err = std::tmpfile();
        ASSERT_EQ(RunPictureCommand(r, program, dir.path() + u'/', err), 0)
            << testing::ReadAndClose(err).toStdString();
        const std::optional<QImage> picture = DecodeGif(testing::ReadFile(gif));
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->size(), QSize(898, 652));
        EXPECT_EQ(qAlpha(picture->pixel(0, 651)), 0);
        EXPECT_EQ(qAlpha(picture->pixel(449, 326)), 255);
        bands.insert(picture->pixel(300, 10));
    }
    EXPECT_EQ(bands.size(), 5);

    PictureRequest r;
    ASSERT_FALSE(ParsePictureRequest(
        {"202612", "--base", dir.filePath("none.gif"), "--gif", dir.filePath("x.gif")}, r, true));
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(RunPictureCommand(r, program, dir.path() + u'/', err), 1);
    EXPECT_TRUE(testing::ReadAndClose(err).contains("ベース画像を読めませんでした。"));

    const struct {
        QStringList args;
        const char* error;
    } wrong[] = {{{"202612", "--style", "6", "--gif", "x"}, "--style には 1 から 5"},
                 {{"202612", "--style", "2"}, "--compose には --gif が必要です。"},
                 {{"202612", "--jpg", "x", "--gif", "y"}, "--compose に使えない引数です: --jpg"},
                 {{"202612", "--gif", "y", "--base"}, "--base には GIF ファイルが必要です。"},
                 {{"2026", "--gif", "y"}, "--compose の次には年月を"}};
    for (const auto& w : wrong) {
        PictureRequest ignored;
        const std::optional<QString> error = ParsePictureRequest(w.args, ignored, true);
        ASSERT_TRUE(error) << w.error;
        EXPECT_TRUE(error->startsWith(QString::fromUtf8(w.error))) << error->toStdString();
    }
}

// 広報２ opens the composer over the month shown, modal.
TEST_F(PictureTest, ThePublicityEntryOpensTheComposer) {
    open(2026, 12, 9);
    QString caption;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        if (auto* w = qobject_cast<PublicityCalendarComposer*>(QApplication::activeModalWidget())) {
            caption = w->objectName() + u' ' + w->windowTitle();
            modal = w->isModal();
            w->close();
        }
    });
    find<QAction>("mnPRC2")->trigger();
    EXPECT_EQ(caption, "fmPcal 広報カレンダ");
    EXPECT_TRUE(modal);
}

}  // namespace
}  // namespace korvane
