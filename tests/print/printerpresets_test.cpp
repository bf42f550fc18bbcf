#include "print/printerpresets.h"

#include "../files.h"
#include "../golden.h"
#include "core/codec.h"
#include "core/prompt.h"
#include "fakeprintsystem.h"
#include "print/engine/printdocument.h"
#include "print/engine/printersetup.h"
#include "print/engine/progresswindow.h"
#include "settings/inifile.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace korvane {
namespace {

using testing::FakePrintSystem;

class PresetsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    FakePrintSystem system;
    std::unique_ptr<PrinterSetup> setup;
    PrintDocument doc;
    ProgressWindow progress;
    std::unique_ptr<PrinterPresetsPage> page;

    void SetUp() override {
        // CUPS queues often start on Letter; the presets say Ａ４.
        system.add({.name = "Office",
                    .papers = {QPageSize(QPageSize::Letter), QPageSize(QPageSize::A4),
                               QPageSize(QPageSize::A3)},
                    .defaultPaper = QPageSize(QPageSize::Letter)});
        system.add({.name = "Label",
                    .papers = {QPageSize(QPageSize::A4), QPageSize(QPageSize::Postcard)}});
    }
    QString ini() const { return dir.filePath("Printers.ini"); }
    // A new start of the print window's presets on the same file.
    PrinterPresetsPage& start() {
        page.reset();
        setup = std::make_unique<PrinterSetup>(system);
        setup->Select();
        page = std::make_unique<PrinterPresetsPage>(*setup, doc, progress, ini());
        page->Start();
        return *page;
    }
    template <typename T>
    T* child(const char* name) const {
        T* w = page->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void saveCaptions() {
        SaveProblems problems;
        page->SaveCaptions(problems);
        EXPECT_TRUE(problems.empty());
    }
};

TEST_F(PresetsTest, TheFirstStartMakesTwoA4PresetsFromTheDefaultPrinter) {
    PrinterPresetsPage& p = start();
    EXPECT_EQ(doc.BoundPrinterSetup(), setup.get());  // the preview prints with the presets
    EXPECT_EQ(p.Selected(), 0);
    EXPECT_EQ(p.Caption(0), QStringLiteral("Ａ４　縦"));
    EXPECT_EQ(p.Caption(1), QStringLiteral("Ａ４  横"));
    for (int i = 2; i < 10; ++i) EXPECT_EQ(p.Caption(i), "") << i;
    EXPECT_EQ(setup->Current().Printer, "Office");
    EXPECT_EQ(setup->PaperNumber(), 9);
    EXPECT_FALSE(setup->Landscape());
    // The selection, ten captions and the two snapshots.
    EXPECT_TRUE(testing::MatchesRecording(
        "Ini_presets_first_start", Cp932::decode(testing::ReadFile(ini())).replace("\r\n", "\n")));

    p.SelectPreset(1);
    EXPECT_TRUE(setup->Landscape());
    EXPECT_EQ(setup->PaperNumber(), 9);
    EXPECT_TRUE(child<QPushButton>("btnPr1")->styleSheet().contains("#C8FFFF"));
    EXPECT_FALSE(child<QPushButton>("btnPr0")->styleSheet().contains("#C8FFFF"));
    // A preset never registered keeps the choice as it is.
    p.SelectPreset(5);
    EXPECT_EQ(p.Selected(), 5);
    EXPECT_TRUE(setup->Landscape());
    EXPECT_EQ(setup->Current().Printer, "Office");
}

TEST_F(PresetsTest, ARegisteredPresetComesBackAfterARestart) {
    start().SelectPreset(3);
    // Reading and registering each show three steps, then the progress window goes.
    std::vector<std::pair<QString, int>> steps;
    QObject::connect(progress.findChild<QProgressBar*>(), &QProgressBar::valueChanged, [&](int v) {
        if (v > 0) steps.emplace_back(progress.Text(), v);
    });
    page->OpenEditor();
    const QString reading = QStringLiteral("プリンタ設定読込中");
    EXPECT_EQ(steps,
              (std::vector<std::pair<QString, int>>{{reading, 30}, {reading, 60}, {reading, 100}}));
    EXPECT_FALSE(progress.isVisible());
    steps.clear();
    EXPECT_TRUE(page->Editing());
    EXPECT_TRUE(page->ShutterOpen());
    EXPECT_FALSE(child<QPushButton>("btnPSetClose")->isEnabled());
    EXPECT_EQ(child<QComboBox>("cbPrinters")->currentText(), "Office");
    auto* printers = child<QComboBox>("cbPrinters");
    printers->setCurrentIndex(printers->findText("Label"));
    auto* papers = child<QComboBox>("cbPapers");
    ASSERT_EQ(papers->count(), 2);  // the Label printer's own
    papers->setCurrentIndex(papers->findText("Postcard"));
    child<QRadioButton>("rbYoko")->setChecked(true);
    child<QLineEdit>("edtMeishou")->setText(QStringLiteral("はがき横"));
    ASSERT_TRUE(page->Register());
    const QString setting = QStringLiteral("プリンタ設定中");
    EXPECT_EQ(steps,
              (std::vector<std::pair<QString, int>>{{setting, 30}, {setting, 60}, {setting, 100}}));
    EXPECT_FALSE(progress.isVisible());
    EXPECT_FALSE(page->Editing());
    EXPECT_FALSE(page->ShutterOpen());
    EXPECT_TRUE(child<QPushButton>("btnPSetClose")->isEnabled());
    EXPECT_EQ(page->Caption(3), QStringLiteral("はがき横"));
    // The snapshot is written at once; the captions and the selection when the window closes.
    EXPECT_FALSE(IniFile(ini()).ReadString("Printer", "btnC3", {}).contains("はがき"));
    saveCaptions();

    page->SelectPreset(0);
    EXPECT_EQ(setup->Current().Printer, "Office");
    page->SelectPreset(3);
    saveCaptions();
    start();
    EXPECT_EQ(page->Selected(), 3);
    EXPECT_EQ(page->Caption(3), QStringLiteral("はがき横"));
    EXPECT_EQ(setup->Current().Printer, "Label");
    EXPECT_EQ(setup->PaperNumber(), 43);
    EXPECT_TRUE(setup->Landscape());
}

// The editor opens on the preset's own paper, the printer's first and last alike.
TEST_F(PresetsTest, TheEditorOpensOnTheCaption) {
    start();
    page->OpenEditor();
    EXPECT_EQ(page->focusWidget(), child<QLineEdit>("edtMeishou"));  // the caption is typed first
}

TEST_F(PresetsTest, TheEditorShowsThePresetsPaper) {
    start();
    for (const QPageSize::PageSizeId paper : {QPageSize::Letter, QPageSize::A3}) {
        ASSERT_TRUE(setup->SetPaperName(QPageSize(paper).name()));
        page->OpenEditor();
        EXPECT_EQ(child<QComboBox>("cbPapers")->currentText(), QPageSize(paper).name());
        EXPECT_EQ(child<QComboBox>("cbPrinters")->count(), 2);  // each opening lists them anew
        page->CancelEdit();
    }
}

TEST_F(PresetsTest, CancelGoesBackToThePresetsPrinter) {
    start();
    page->OpenEditor();
    auto* printers = child<QComboBox>("cbPrinters");
    printers->setCurrentIndex(printers->findText("Label"));
    EXPECT_EQ(setup->Current().Printer, "Label");
    printers->setCurrentIndex(0);  // and back to the first
    EXPECT_EQ(setup->Current().Printer, "Office");
    printers->setCurrentIndex(printers->findText("Label"));
    child<QPushButton>("btnPCancel")->click();
    EXPECT_FALSE(page->Editing());
    EXPECT_FALSE(page->ShutterOpen());
    EXPECT_EQ(setup->Current().Printer, "Office");
    EXPECT_EQ(setup->PaperNumber(), 9);
}

TEST_F(PresetsTest, APrinterNoLongerInstalledShowsAndTakesTheFirstEntry) {
    system.add({.name = "Gone"});
    start();
    page->OpenEditor();
    auto* printers = child<QComboBox>("cbPrinters");
    printers->setCurrentIndex(printers->findText("Gone"));
    ASSERT_TRUE(page->Register());
    saveCaptions();
    system.printers.pop_back();
    start();
    page->OpenEditor();
    printers = child<QComboBox>("cbPrinters");
    EXPECT_EQ(printers->currentIndex(), 0);
    EXPECT_EQ(printers->currentText(), "Office");
    EXPECT_EQ(setup->PrinterName(), printers->currentText());
}

TEST_F(PresetsTest, TheCloseButtonLeavesAndASelectionIsNotReentered) {
    start();
    QSignalSpy closed(page.get(), &PrinterPresetsPage::Closed);
    child<QPushButton>("btnPSetClose")->click();
    EXPECT_EQ(closed.count(), 1);
    // A selection running is not interrupted by another one from its own change event.
    int changes = 0;
    auto reenter = QObject::connect(page.get(), &PrinterPresetsPage::Changed, [&] {
        ++changes;
        page->SelectPreset(7);
    });
    child<QPushButton>("btnPr2")->click();
    EXPECT_EQ(page->Selected(), 2);
    EXPECT_EQ(changes, 1);
    // A preset chosen while editing ends the edit and shuts the editor away.
    QObject::disconnect(reenter);
    page->OpenEditor();
    child<QPushButton>("btnPr4")->click();
    EXPECT_FALSE(page->Editing());
    EXPECT_FALSE(page->ShutterOpen());
    EXPECT_TRUE(child<QPushButton>("btnPSetClose")->isEnabled());
}

TEST_F(PresetsTest, AStoredSelectionOutsideTheButtonsIsClamped) {
    start();
    for (const auto& [stored, selected] : {std::pair{"42", 9}, {"-5", 0}, {"x", 0}, {"7", 7}}) {
        IniFile(ini()).WriteString("Printer", "vBtn", stored);
        EXPECT_EQ(start().Selected(), selected) << stored;
    }
    // Every caption is read back, the first and the last too.
    IniFile(ini()).WriteString("Printer", "btnC0", QStringLiteral("普通紙"));
    IniFile(ini()).WriteString("Printer", "btnC9", QStringLiteral("封筒"));
    start();
    EXPECT_EQ(page->Caption(0), QStringLiteral("普通紙"));
    EXPECT_EQ(page->Caption(9), QStringLiteral("封筒"));
}

TEST_F(PresetsTest, APaperTheDriverRefusesKeepsTheEditorOpen) {
    start();
    page->OpenEditor();
    child<QComboBox>("cbPapers")->setCurrentIndex(child<QComboBox>("cbPapers")->findText("A3"));
    system.printers[0].papers.removeLast();  // gone before the registration
    const QByteArray before = IniFile(ini()).ReadString("Printer", "Printer0_d0", {}).toLatin1();
    EXPECT_FALSE(page->Register());
    EXPECT_EQ(prompt.texts().back(), "用紙が設定できませんでした。");
    EXPECT_FALSE(progress.isVisible());
    EXPECT_TRUE(page->Editing());
    EXPECT_EQ(IniFile(ini()).ReadString("Printer", "Printer0_d0", {}).toLatin1(), before);
}

TEST_F(PresetsTest, AfterThePropertiesOnlyRegisteringCloses) {
    start();
    page->OpenEditor();
    child<QLineEdit>("edtMeishou")->setText(QStringLiteral("高画質"));
    prompt.answerPrinter([](PrinterChoice& c) {
        c.landscape = true;
        return true;
    });
    child<QPushButton>("btnProp")->click();
    EXPECT_TRUE(child<QPushButton>("btnPCancel")->isHidden());
    EXPECT_EQ(child<QPushButton>("btnSet")->text(), "閉じる");
    EXPECT_EQ(child<QLineEdit>("edtMeishou")->text(), QStringLiteral("高画質"));
    EXPECT_TRUE(child<QRadioButton>("rbYoko")->isChecked());  // re-read from the printer
    // Opening the editor again brings the cancel button back.
    page->OpenEditor();
    EXPECT_FALSE(child<QPushButton>("btnPCancel")->isHidden());
    EXPECT_EQ(child<QPushButton>("btnSet")->text(), "登録実行");
}

TEST_F(PresetsTest, AFailingPropertiesDialogSaysSoAndChangesNothing) {
    start();
    page->OpenEditor();
    prompt.answerPrinter([](PrinterChoice& c) -> bool {
        c.landscape = true;
        throw std::runtime_error("driver gone");
    });
    child<QPushButton>("btnProp")->click();
    ASSERT_FALSE(prompt.texts().isEmpty());
    EXPECT_EQ(prompt.texts().back(), "詳細設定エラー");
    EXPECT_FALSE(progress.isVisible());
    EXPECT_FALSE(setup->Landscape());
    EXPECT_FALSE(child<QPushButton>("btnPCancel")->isHidden());  // the edit goes on as it was
}

TEST_F(PresetsTest, ARegistrationThatCannotBeWrittenSaysSoAndGoesBack) {
    start().SelectPreset(2);
    page->OpenEditor();
    auto* printers = child<QComboBox>("cbPrinters");
    printers->setCurrentIndex(printers->findText("Label"));
    // The settings file has become something that cannot be written.
    ASSERT_TRUE(QFile::remove(ini()));
    ASSERT_TRUE(QDir().mkdir(ini()));
    page->Register();
    ASSERT_FALSE(prompt.texts().isEmpty());
    EXPECT_TRUE(prompt.texts().back().startsWith("プリンタ設定を保存できませんでした。\r\n"))
        << prompt.texts().back().toStdString();
    EXPECT_FALSE(page->Editing());
    EXPECT_FALSE(page->ShutterOpen());
    EXPECT_TRUE(child<QPushButton>("btnPSetClose")->isEnabled());
}

// A first start on a file that cannot be written says so for each thing it could not keep:
// both presets and their captions.
TEST_F(PresetsTest, AFirstStartThatCannotWriteSaysSo) {
    if (!QFileInfo(QStringLiteral("/proc/self")).exists()) GTEST_SKIP() << "no /proc";
    setup = std::make_unique<PrinterSetup>(system);
    page = std::make_unique<PrinterPresetsPage>(*setup, doc, progress,
                                                QStringLiteral("/proc/korvane/Printers.ini"));
    page->Start();
    EXPECT_EQ(prompt.texts().filter("プリンタ設定を保存できませんでした。").size(), 3);
}

TEST_F(PresetsTest, ReadOnlySettingsWriteNothing) {
    setup = std::make_unique<PrinterSetup>(system);
    page = std::make_unique<PrinterPresetsPage>(*setup, doc, progress, ini());
    page->ReadOnly = true;
    page->Start();
    page->OpenEditor();
    EXPECT_TRUE(page->Register());
    saveCaptions();
    EXPECT_FALSE(QFile::exists(ini()));
    EXPECT_EQ(page->Caption(0), QStringLiteral("Ａ４　縦"));
}

}  // namespace
}  // namespace korvane
