#include "widgets/qtprompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace korvane {
namespace {

// Presses a button of the message box once it is up.
void whenBoxShows(const std::function<void(QMessageBox*)>& act) {
    QTimer::singleShot(0, [act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                act(box);
                return;
            }
        }
        ADD_FAILURE() << "no message box";
    });
}

QPushButton* buttonWithText(QMessageBox* box, const QString& text) {
    for (QAbstractButton* b : box->buttons())
        if (b->text() == text) return qobject_cast<QPushButton*>(b);
    return nullptr;
}

TEST(QtPrompt, YesNoButtonsAreJapaneseAndAnswerTruly) {
    QtPrompt prompt;
    QString shownText, shownCaption;
    whenBoxShows([&](QMessageBox* box) {
        shownText = box->text();
        shownCaption = box->windowTitle();
        ASSERT_NE(buttonWithText(box, "いいえ(&N)"), nullptr);
        buttonWithText(box, "はい(&Y)")->click();
    });
    EXPECT_TRUE(prompt.askYesNo("一行目\r\n二行目", "確認 -Korvane-"));
    EXPECT_EQ(shownText, "一行目\n二行目");
    EXPECT_EQ(shownCaption, "確認 -Korvane-");

    whenBoxShows([&](QMessageBox* box) { buttonWithText(box, "いいえ(&N)")->click(); });
    EXPECT_FALSE(prompt.askYesNo("消しますか？", "確認 -Korvane-"));

    // A destructive question puts the default on No.
    bool defaultIsNo = false;
    whenBoxShows([&](QMessageBox* box) {
        defaultIsNo = box->defaultButton() == buttonWithText(box, "いいえ(&N)");
        box->defaultButton()->click();
    });
    EXPECT_FALSE(prompt.askYesNo("削除しますか？", "確認", true));
    EXPECT_TRUE(defaultIsNo);

    // Closing the box with Escape means "no".
    whenBoxShows([&](QMessageBox* box) { box->reject(); });
    EXPECT_FALSE(prompt.askYesNo("消しますか？", "確認 -Korvane-"));
}

}  // namespace
}  // namespace korvane
