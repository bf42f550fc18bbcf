#include "widgets/qtprompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
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

TEST(QtPrompt, ThePrinterDialogFollowsThePrinterAndGivesBackTheChoice) {
    QtPrompt prompt;
    PrinterChoice choice;
    choice.printers = {"Office", "Label"};
    choice.printer = "Office";
    choice.papers = {"A4", "A3"};
    choice.paper = "A3";
    choice.printerChanged = [](PrinterChoice& c) {
        c.papers = {"Label 62mm"};
        c.paper = "Label 62mm";
        c.sources = {"Roll"};
    };
    QStringList papersShown;
    QTimer::singleShot(0, [&] {
        QDialog* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "PrinterDialog" && w->isVisible())
                dialog = qobject_cast<QDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        auto* paper = dialog->findChild<QComboBox*>("cbPaper");
        EXPECT_EQ(paper->currentText(), "A3");
        auto* source = dialog->findChild<QComboBox*>("cbSource");
        EXPECT_FALSE(source->isEnabled());  // nothing to choose on this printer
        dialog->findChild<QComboBox*>("cbPrinter")->setCurrentText("Label");
        EXPECT_TRUE(source->isEnabled());
        for (int i = 0; i < paper->count(); ++i) papersShown << paper->itemText(i);
        for (auto* r : dialog->findChildren<QRadioButton*>())
            if (r->text() == "横") r->setChecked(true);
        for (auto* c : dialog->findChildren<QCheckBox*>())
            if (c->text() == "両面印刷") c->setChecked(true);
        dialog->accept();
    });
    EXPECT_TRUE(prompt.printerDialog("プリンタの設定", choice));
    EXPECT_EQ(papersShown, QStringList{"Label 62mm"});
    EXPECT_EQ(choice.printer, "Label");
    EXPECT_EQ(choice.paper, "Label 62mm");
    EXPECT_EQ(choice.source, "Roll");
    EXPECT_TRUE(choice.landscape);
    EXPECT_TRUE(choice.duplex);
}

// The print dialog's page range: its bounds and start come from the document, the two ends are
// given back in order, and a dialog without a printer list leaves the printer as it was.
TEST(QtPrompt, ThePageRangeComesBackInOrder) {
    QtPrompt prompt;
    PrinterChoice choice;
    choice.printer = "Office";
    choice.rangeOffered = true;
    choice.allPages = true;
    choice.minPage = 1;
    choice.maxPage = 5;
    choice.fromPage = 2;
    choice.toPage = 4;
    int toMax = 0, toValue = 0;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(w); d && d->objectName() == "PrinterDialog") {
                auto* to = d->findChild<QSpinBox*>("spToPage");
                toMax = to->maximum();
                toValue = to->value();
                d->findChild<QRadioButton*>("rbPages")->setChecked(true);
                d->findChild<QSpinBox*>("spFromPage")->setValue(5);
                d->accept();
            }
    });
    ASSERT_TRUE(prompt.printerDialog("印刷", choice));
    EXPECT_EQ(std::pair(toMax, toValue), std::pair(5, 4));
    EXPECT_EQ(std::pair(choice.fromPage, choice.toPage), std::pair(4, 5));
    EXPECT_FALSE(choice.allPages);
    EXPECT_EQ(choice.printer, "Office");
    // A message has its OK button.
    bool ok = false;
    whenBoxShows([&](QMessageBox* box) {
        QPushButton* b = buttonWithText(box, "OK");
        ok = b != nullptr;
        box->done(0);
    });
    prompt.message("終わりました。", "確認", Prompt::Kind::Information);
    EXPECT_TRUE(ok);
}

}  // namespace
}  // namespace korvane
