#include "print/monthprintjob.h"

#include "core/prompt.h"
#include "print/engine/printdocument.h"
#include "print/engine/printersetup.h"
#include "print/printhost.h"

#include "fakeprintsystem.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace korvane {
namespace {

using testing::FakePrintSystem;

const QString kAbort = QStringLiteral("印刷を中止しますか？");
const QString kPostcard = QStringLiteral(
    "用紙サイズを「はがき」に設定できませんでした。\r\n手動での設定をお願いいたします。");

class PaperSetUp : public ::testing::Test {
protected:
    ScriptedPrompt prompt;
    FakePrintSystem system;
    PrintDocument doc;

    void SetUp() override {
        FakePrintSystem::Printer office;
        office.name = QStringLiteral("Office");  // A4, A3, B5; no postcard
        system.add(office);
    }
};

TEST_F(PaperSetUp, PapersTheyOfferGiveTheirFactorsSilently) {
    PrinterSetup setup(system);
    EXPECT_EQ(SetUpPaper(setup, doc, true, PaperKind::A4), 100000);
    EXPECT_EQ(SetUpPaper(setup, doc, true, PaperKind::B5), 86500);
    EXPECT_EQ(SetUpPaper(setup, doc, false, PaperKind::A3), 141400);
    EXPECT_TRUE(prompt.entries().empty());
    EXPECT_FALSE(setup.Landscape());
    EXPECT_EQ(setup.PaperNumber(), 8);
    EXPECT_EQ(doc.BoundPrinterSetup(), &setup);
}

TEST_F(PaperSetUp, MissingPostcardAsksAndYesStops) {
    PrinterSetup setup(system);
    prompt.answer(true);  // 中止: はい
    EXPECT_EQ(SetUpPaper(setup, doc, true, PaperKind::Postcard), 0);
    // The set-up dialog comes between the message and the question, and was cancelled.
    ASSERT_EQ(prompt.texts(), (QStringList{kPostcard, QString(), kAbort}));
    EXPECT_EQ(prompt.entries()[0].caption, QStringLiteral("確認 -Korvane-"));
    EXPECT_EQ(prompt.entries()[1].kind, Prompt::Kind::PrinterDialog);
    EXPECT_EQ(prompt.entries()[2].kind, Prompt::Kind::Question);
}

TEST_F(PaperSetUp, GoingOnKeepsThePaperOfTheLayoutNotThePrinters) {
    PrinterSetup setup(system);
    prompt.answer(false);  // 中止: いいえ
    EXPECT_EQ(SetUpPaper(setup, doc, true, PaperKind::Postcard), 47600);
    doc.BeginDoc();
    doc.EndDoc();
    // Recorded on a landscape postcard although the printer kept its A4.
    EXPECT_EQ(doc.RecordedGeometry().PageWidth, 1480);
    EXPECT_EQ(doc.RecordedGeometry().PageHeight, 1000);
    EXPECT_EQ(setup.PaperNumber(), 9);
}

TEST_F(PaperSetUp, AConfirmedDialogGoesOnWithoutTheQuestion) {
    PrinterSetup setup(system);
    prompt.answerPrinter([](PrinterChoice&) { return true; });
    EXPECT_EQ(SetUpPaper(setup, doc, true, PaperKind::Postcard), 47600);
    EXPECT_EQ(prompt.texts(), (QStringList{kPostcard, QString()}));
}

TEST_F(PaperSetUp, OrientationRefusedIsSaid) {
    // No printer: the orientation read-back agrees, so only a fake refusal can show the message;
    // the no-printer target itself takes every paper and both orientations.
    NoPrinterSystem none;
    PrinterSetup setup(none);
    for (const PaperKind paper : {PaperKind::A4, PaperKind::B5, PaperKind::A3, PaperKind::Postcard})
        for (const bool landscape : {false, true})
            EXPECT_EQ(SetUpPaper(setup, doc, landscape, paper), InfoOf(paper).Factor);
    EXPECT_TRUE(prompt.entries().empty());
}

TEST_F(PaperSetUp, JobStopsWithoutPagesWhenTheUserAborts) {
    PrinterSetup setup(system);
    prompt.answer(true);
    MonthJob job;
    job.Kind = FindMonthLayout(QStringLiteral("HHagaki"));
    // Nothing may be asked of the host after an abort.
    struct NoHost : PrintHost {
        std::int32_t ShownYear() const override { throw std::logic_error("asked"); }
        int ShownMonth() const override { throw std::logic_error("asked"); }
        void PreviousMonth() override { throw std::logic_error("asked"); }
        void NextMonth() override { throw std::logic_error("asked"); }
        void GoToMonth(const QString&) override { throw std::logic_error("asked"); }
        bool WeekStartsMonday() const override { throw std::logic_error("asked"); }
        int SiblingKind() const override { throw std::logic_error("asked"); }
        MonthGrid& ShownGrid() override { throw std::logic_error("asked"); }
        bool RokuyoDisplay() const override { throw std::logic_error("asked"); }
        void ApplyRokuyoDisplay(bool) override { throw std::logic_error("asked"); }
    } host;
    EXPECT_FALSE(BuildMonthJob(doc, setup, host, job, nullptr));
    EXPECT_FALSE(doc.IsBuilt());
}

TEST(MonthJobGeometry, MeasuredOnTheDocumentsCanvasAndClamped) {
    NoPrinterSystem none;
    PrinterSetup setup(none);
    PrintDocument doc;
    doc.SetPrinterSetup(&setup);
    MonthJob job;
    job.Kind = FindMonthLayout(QStringLiteral("MA4"));
    job.Lines = 12;   // past the spinner's 7
    job.TopMm = 500;  // past 100 mm
    job.LeftMm = -500;
    const MonthPageGeometry g = MonthJobGeometry(doc, job, kScaleOne);
    EXPECT_EQ(g.Lines, 7);
    EXPECT_EQ(std::pair(g.Top, g.Left), std::pair(270 + 1000, 120 - 1000));
    EXPECT_GT(g.A, 60);
    EXPECT_LT(g.A, 100);
    job.TopMm = -500;  // and the other way
    job.LeftMm = 500;
    const MonthPageGeometry h = MonthJobGeometry(doc, job, kScaleOne);
    EXPECT_EQ(std::pair(h.Top, h.Left), std::pair(270 - 1000, 120 + 1000));
}

}  // namespace
}  // namespace korvane
