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
    prompt.answerPrinter([](PrinterChoice&) { return true; });
    prompt.answerPrinter([](PrinterChoice&) { return false; });
    Prompt& p = Prompt::current();
    PrinterChoice choice;
    EXPECT_TRUE(p.printerDialog("印刷", choice));
    EXPECT_FALSE(p.printerDialog("印刷", choice));
    EXPECT_EQ(p.saveFileName("保存", "", ""), "a.pdf");
    EXPECT_EQ(p.openFileName("開く", "", ""), "b.pdf");
    EXPECT_EQ(p.openFileName("開く", "", ""), "");
    EXPECT_TRUE(p.askYesNo("?", "確認"));
    EXPECT_FALSE(p.askYesNo("?", "確認"));
    EXPECT_EQ(prompt.entries().size(), 7u);
}

// A prompt without a printer dialog says so and cancels; a console shows a question and answers no.
TEST(Prompt, WithoutDialogsItSaysSoAndAnswersNo) {
    struct Listener : ConsolePrompt {
        QStringList said;
        void message(const QString& text, const QString&, Kind) override { said << text; }
    } listener;
    PrinterChoice choice;
    EXPECT_FALSE(listener.printerDialog("印刷", choice));
    EXPECT_FALSE(listener.askYesNo("上書きしますか？", "確認"));
    EXPECT_EQ(listener.said, QStringList({"プリンタの設定画面を開けません．", "上書きしますか？"}));
}

}  // namespace
}  // namespace korvane
