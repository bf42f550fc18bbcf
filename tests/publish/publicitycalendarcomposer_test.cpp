#include "publish/publicitycalendarcomposer.h"

#include "../files.h"
#include "calendar/monthgrid.h"
#include "core/prompt.h"
#include "ftpserver.h"
#include "publish/gifreader.h"
#include "publish/picturewriters.h"
#include "settings/inifile.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace korvane {
namespace {

class Composer : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    MonthGrid grid;
    QString program, settings;
    std::unique_ptr<PublicityCalendarComposer> window;

    void SetUp() override {
        program = dir.path() + "/prog/";
        settings = dir.path() + "/settings/";
        QDir().mkpath(settings);
        grid.resize(100, 60);
        grid.GoToDate(2026, 12, 1);
    }
    void ship(int style, const QByteArray& ini, bool withBase = true) {
        const QString folder = program + QStringLiteral("Pcal/Style%1/").arg(style);
        QDir().mkpath(folder);
        write(folder + "Pcal.ini", ini);
        if (!withBase) return;
        QImage base(888, 642, QImage::Format_RGB32);
        base.fill(qRgb(240, 248, 255));
        for (int y = 300; y < 340; ++y)
            for (int x = 860; x < 880; ++x) base.setPixel(x, y, kPcalBorderColour);
        write(folder + "C888_642_Y.gif", *EncodeGif(QuantiseForGif(base)));
    }
    static void write(const QString& path, const QByteArray& bytes) {
        ASSERT_TRUE(testing::WriteFile(path, bytes));
    }
    void open(std::optional<FtpAccount> upload = {}) {
        window = std::make_unique<PublicityCalendarComposer>(
            PcalContext{program, settings, false, dir.path(), std::move(upload)}, grid);
    }
    QLineEdit* field(const char* name) const {
        return window->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    void chooseStyle(int index) {
        auto* box = window->findChild<QComboBox*>("cbStyle");
        box->setCurrentIndex(index);
        emit box->activated(index);  // as a user's choice
    }
};

// Each style brings its own offsets and keeps the ones typed under it, in the user's copy.
TEST_F(Composer, StylesKeepTheirOwnOffsets) {
    ship(1, "[Pcal]\r\nedtmx=10\r\n");
    ship(3, "[Pcal]\r\nedtmx=30\r\nedtwy2=7\r\n");
    open();
    EXPECT_EQ(field("edtmx")->text(), "10");
    field("edtmx")->setText("11");
    chooseStyle(2);
    EXPECT_EQ(field("edtmx")->text(), "30");
    EXPECT_EQ(field("edtwy2")->text(), "7");
    field("edtmx")->setText("33");
    chooseStyle(0);
    EXPECT_EQ(field("edtmx")->text(), "11");
    EXPECT_EQ(field("edtwy2")->text(), "5");  // all eight were kept when Style1 was left
    chooseStyle(2);
    EXPECT_EQ(field("edtmx")->text(), "33");
    EXPECT_EQ(testing::ReadFile(program + "Pcal/Style1/Pcal.ini"), "[Pcal]\r\nedtmx=10\r\n");
    window->SetStyle(0);  // not the user's: nothing written
    EXPECT_EQ(IniFile(settings + "Pcal/Style1/Pcal.ini").ReadString("Pcal", "edtmx", ""), "11");
}

// Korvane.ini's [Pcal] over the style's file; composing waits for the window to be painted;
// the saved GIF's border is its transparent colour, a border-coloured area of the base is not;
// closing writes both files.
TEST_F(Composer, ComposesOnceShownAndSavesATransparentBorder) {
    ship(2, "[Pcal]\r\nedtmx=10\r\nedtwy2=7\r\n");
    write(settings + "Korvane.ini",
          "[Pcal]\r\ncbStyle=1\r\nedtMx=40\r\nedtSave=mine.gif\r\n"
          "edtBase=c888_642_y.GIF\r\n");
    open();
    EXPECT_EQ(field("edtBase")->text(), "c888_642_y.GIF");  // found in any letter case
    EXPECT_EQ(field("edtmx")->text(), "40");
    EXPECT_EQ(field("edtwy2")->text(), "7");
    EXPECT_FALSE(window->findChild<QPushButton*>("FramSpeedBtn3")->isEnabled());
    QSignalSpy composed(window.get(), &PublicityCalendarComposer::Composed);
    window->show();
    EXPECT_EQ(composed.count(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return composed.count() == 1; }, 5000));
    EXPECT_EQ(window->Picture().size(), QSize(898, 652));

    field("edtmx")->setText("41");
    prompt.answerName(dir.filePath("out.gif"));
    window->findChild<QPushButton*>("btnGifWrite")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(prompt.entries()[0].text, dir.filePath("mine.gif"));
    const QByteArray gif = testing::ReadFile(dir.filePath("out.gif"));
    EXPECT_TRUE(gif.contains(QByteArray("\x21\xF9\x04\x01\0\0", 6) + char(kGifTransparentEntry)));
    const std::optional<QImage> back = DecodeGif(gif);
    ASSERT_TRUE(back);
    EXPECT_EQ(qAlpha(back->pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(back->pixel(897, 400)), 0);
    EXPECT_EQ(back->pixel(870, 320), kPcalBorderColour);
    const IniFile ini(settings + "Korvane.ini");
    EXPECT_EQ(ini.ReadString("Pcal", "edtMx", ""), "41");
    EXPECT_EQ(ini.ReadString("Pcal", "cbStyle", ""), "1");
    EXPECT_EQ(IniFile(settings + "Pcal/Style2/Pcal.ini").ReadString("Pcal", "edtwy2", ""), "7");
}

// No base: the dialog is asked, and a cancel ends quietly; a base that is not a GIF is said; a
// save that fails is said, and the window closes as its button says.
TEST_F(Composer, BaseAndSaveFailuresAreSaid) {
    ship(1, "[Pcal]\r\n", false);
    open();
    EXPECT_FALSE(window->Compose());
    ASSERT_EQ(prompt.entries().size(), 1u);
    EXPECT_EQ(prompt.entries()[0].kind, Prompt::Kind::FileChoice);
    write(dir.filePath("bad.gif"), "GIF89a but no more");
    prompt.answerName(dir.filePath("bad.gif"));
    EXPECT_FALSE(window->Compose());
    EXPECT_TRUE(prompt.texts().last().startsWith("ベース画像を読めませんでした。\r\n" +
                                                 dir.filePath("bad.gif") +
                                                 "\r\nGIF 画像を読めません"));
    window->SetBaseFile(dir.filePath("bad.gif"));
    prompt.clear();
    EXPECT_FALSE(window->Compose());
    EXPECT_EQ(prompt.entries().size(), 1u);  // no dialog for a given file

    ship(1, "[Pcal]\r\n");
    window->SetBaseFile({});
    ASSERT_TRUE(window->Compose());
    window->show();
    prompt.clear();
    prompt.answerName(dir.filePath("missing/out.gif"));
    window->findChild<QPushButton*>("btnGifWrite")->click();
    EXPECT_TRUE(prompt.texts().last().startsWith("画像を保存できませんでした。"));
    EXPECT_FALSE(window->isVisible());
}

// 保存＆ＦＴＰ転送＆閉じる: the saved picture goes up, and the window closes once it is there.
TEST_F(Composer, SaveUploadAndClose) {
    testing::TestFtpServer server;
    if (!server.Running()) GTEST_SKIP() << server.Why().toStdString();
    ship(1, "[Pcal]\r\n");
    open(FtpAccount{
        server.Host(), testing::TestFtpServer::kUser, testing::TestFtpServer::kPassword, "/", {}});
    window->show();
    QSignalSpy composed(window.get(), &PublicityCalendarComposer::Composed);
    window->findChild<QAction*>("mnCreate")->trigger();
    ASSERT_EQ(composed.count(), 1);
    auto* button = window->findChild<QPushButton*>("FramSpeedBtn3");
    prompt.answerName(dir.filePath("pcal1.gif"));
    button->click();
    EXPECT_EQ(button->text(), "転送中止");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 10000));
    EXPECT_EQ(prompt.texts().last(), "転送が終了しました。");
    EXPECT_EQ(testing::ReadFile(server.Home() + "/pcal1.gif"),
              testing::ReadFile(dir.filePath("pcal1.gif")));
}

}  // namespace
}  // namespace korvane
