#include "core/clock.h"
#include "core/prompt.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(ScriptedPrompt, RecordsTextsAndAnswersInOrderThenNo) {
    ScriptedPrompt prompt;
    prompt.answer(true);
    prompt.answer(false);
    EXPECT_TRUE(Prompt::current().askYesNo("保存しますか？", "確認 -Korvane-"));
    EXPECT_FALSE(Prompt::current().askYesNo("二つ目", "確認 -Korvane-"));
    EXPECT_FALSE(Prompt::current().askYesNo("三つ目", "確認 -Korvane-"));
    Prompt::current().message("読込エラー[a.dat]", "確認 -Korvane-", Prompt::Kind::Error);
    EXPECT_EQ(prompt.texts(), QStringList({"保存しますか？", "二つ目", "三つ目", "読込エラー[a.dat]"}));
    EXPECT_EQ(prompt.entries().back().kind, Prompt::Kind::Error);
}

TEST(ScriptedPrompt, FileChoicesComeFromTheQueueThenCancel) {
    ScriptedPrompt prompt;
    prompt.answerName("/tmp/a.gif");
    EXPECT_EQ(Prompt::current().saveFileName("保存", "/tmp", "*.gif"), "/tmp/a.gif");
    EXPECT_EQ(Prompt::current().folderName("フォルダ", "/tmp"), "");
}

TEST(ScriptedPrompt, NestedPromptsRestoreTheOuterOne) {
    ScriptedPrompt outer;
    {
        ScriptedPrompt inner;
        Prompt::current().message("内", "c", Prompt::Kind::Information);
        EXPECT_EQ(inner.texts().size(), 1);
    }
    Prompt::current().message("外", "c", Prompt::Kind::Information);
    EXPECT_EQ(outer.texts(), QStringList{"外"});
}

TEST(FixedClock, StandsStillAndRestoresTheSystemClock) {
    const QDateTime at(QDate(2026, 12, 7), QTime(9, 0));
    {
        FixedClock clock(at);
        EXPECT_EQ(Clock::current().now(), at);
        EXPECT_EQ(Clock::current().today(), QDate(2026, 12, 7));
        clock.set(at.addDays(1));
        EXPECT_EQ(Clock::current().today(), QDate(2026, 12, 8));
    }
    EXPECT_LE(qAbs(Clock::current().now().secsTo(QDateTime::currentDateTime())), 5);
}

}  // namespace
}  // namespace korvane
