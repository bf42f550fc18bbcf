#include "core/prompt.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// The scripted answers come in the order given, each once; then the user cancels.
TEST(ScriptedPrompt, AnswersInTurnThenCancels) {
    ScriptedPrompt prompt;
    prompt.answerName("a.pdf");
    prompt.answerName("b.pdf");
    prompt.answer(true);
    Prompt& p = Prompt::current();
    EXPECT_EQ(p.saveFileName("保存", "", ""), "a.pdf");
    EXPECT_EQ(p.openFileName("開く", "", ""), "b.pdf");
    EXPECT_EQ(p.openFileName("開く", "", ""), "");
    EXPECT_TRUE(p.askYesNo("?", "確認"));
    EXPECT_FALSE(p.askYesNo("?", "確認"));
    EXPECT_EQ(prompt.entries().size(), 5u);
}

}  // namespace
}  // namespace korvane
