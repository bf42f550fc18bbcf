#include "updatereminderdialog.h"

#include "app/utility.h"
#include "core/paths.h"
#include "core/prompt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane {
namespace {

const QString kNotConnected = QStringLiteral(
    "インターネットにつながっていません。\r\nインターネットにつながった状態で、\r\n実行してください"
    "。\r\n\r\n中止します。");

}  // namespace

bool ReminderDue(const QDate& today, int offset) {
    return kReleaseDate.addDays(kReminderDays + offset) < today;
}

int OffsetAfterReminder(const QDate& today, int offset, bool webOpened) {
    const int d = int(kReleaseDate.addDays(kReminderDays + offset).daysTo(today));
    return d + offset + (webOpened ? 60 : 15);
}

QString UsersGuide() { return ProgramFolder() + QStringLiteral("guide/index.html"); }

void OpenMakerWebPage() {
    if (!*kHomePage)
        ShellOpen(UsersGuide());
    else if (IsInternetConnected())
        ShellOpen(QString::fromUtf8(kHomePage));
    else
        Prompt::current().message(kNotConnected, QStringLiteral("確認 -Korvane-"),
                                  Prompt::Kind::Information);
}

UpdateReminderDialog::UpdateReminderDialog(const QDate& today, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmInfo"));
    setWindowTitle(QStringLiteral("バージョンアップ"));
    setFixedSize(409, 302);
    auto* layout = new QVBoxLayout(this);
    auto* version = new QLabel(QString::fromUtf16(kVersionText));
    version->setObjectName(QStringLiteral("lblVersion"));
    layout->addWidget(version);
    const qint64 days = kReleaseDate.daysTo(today);
    const QString text =
        QStringLiteral("　Korvane ") + QString::fromUtf16(kVersionText) +
        QStringLiteral(" が公開されて、") + QString::number(days) +
        QStringLiteral(
            " 日が経過しています。\r\n\r\n"
            "　すでに、次期バージョンが公開されている可能性があります。\r\n"
            "公開されていましたら、是非、新しいバージョンをお試し下さい。\r\n"
            "まだ、公開されていなければ、作者にハッパを掛けてください。\r\n\r\n\r\n"
            "　ちなみに、インターネット接続環境にある場合、\r\n"
            "【 [ Korvane ]公式Ｗｅｂ 】ボタンを押しますと、\r\n"
            "公式ホームページが表示されます。");
    lblInfo_ = new QLabel(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setProperty("sourceText", text);
    layout->addWidget(lblInfo_);
    auto* buttons = new QHBoxLayout;
    auto* web = new QPushButton(QStringLiteral("[ Korvane ]公式Ｗｅｂ"));
    web->setObjectName(QStringLiteral("btnWeb"));
    auto* close = new QPushButton(QStringLiteral("閉じる(&C)"));
    close->setObjectName(QStringLiteral("btnClose"));
    connect(web, &QPushButton::clicked, this, [this] {
        if (!*kHomePage) {
            ShellOpen(UsersGuide());  // no home page: news is not there to be had
        } else if (IsInternetConnected()) {
            ShellOpen(QString::fromUtf8(kHomePage));
            webOpened_ = true;
            accept();
        } else {
            Prompt::current().message(kNotConnected, QStringLiteral("確認 -Korvane-"),
                                      Prompt::Kind::Information);
        }
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(web);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

QString UpdateReminderDialog::InfoText() const {
    return lblInfo_->property("sourceText").toString();
}

}  // namespace korvane
