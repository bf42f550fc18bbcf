#include "fminfo.h"

#include "app/utility.h"
#include "core/prompt.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane {
namespace {

const QString kNotConnected = QStringLiteral(
    "インターネットにつながっていません。\r\nインターネットにつながった状態で、\r\n実行してください。\r\n\r\n中止します。");

QString versionNumber() {
    QString v = QString::fromUtf16(kVersionText);
    if (v.startsWith(QStringLiteral("ver"), Qt::CaseInsensitive)) v.remove(0, 3);
    return v;
}

}  // namespace

bool ReminderDue(const QDate& today, int offset) {
    return kReleaseDate.addDays(kReminderDays + offset) < today;
}

int OffsetAfterReminder(const QDate& today, int offset, bool webOpened) {
    const int d = int(kReleaseDate.addDays(kReminderDays + offset).daysTo(today));
    return d + offset + (webOpened ? 60 : 15);
}

void OpenMakerWebPage() {
    if (IsInternetConnected())
        ShellOpen(QString::fromLatin1(kMakerWebPage));
    else
        Prompt::current().message(kNotConnected, QStringLiteral("確認 -Korvane-"),
                                  Prompt::Kind::Information);
}

void ShowFileProperties(const QString& programFile) {
    const QFileInfo f(programFile);
    const QString text =
        QStringLiteral("名前：%1\r\n場所：%2\r\nサイズ：%3 バイト\r\n更新日時：%4\r\n版：%5")
            .arg(f.fileName(), f.absolutePath())
            .arg(f.size())
            .arg(f.lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm")))
            .arg(versionNumber());
    Prompt::current().message(text, QStringLiteral("プロパティ"), Prompt::Kind::Information);
}

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(QStringLiteral("Korvaneのﾊﾞｰｼﾞｮﾝ情報"));
    setFixedSize(367, 250);
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel(QStringLiteral("Korvane"));
    QFont big = product->font();
    big.setPixelSize(28);
    big.setBold(true);
    product->setFont(big);
    layout->addWidget(product, 0, Qt::AlignCenter);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Version :")), 0, 0);
    grid->addWidget(new QLabel(versionNumber()), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Author  :")), 1, 0);
    auto* company = new QLabel(QStringLiteral("Norbel"));
    company->setObjectName(QStringLiteral("lbl_Company"));
    grid->addWidget(company, 1, 1);
    layout->addLayout(grid);
    lblVerKaku_ = new QLabel(QStringLiteral("%1%2%3").arg("12", "12", RightChars("001", 2)));
    lblVerKaku_->setObjectName(QStringLiteral("lblVerKaku"));
    lblVerKaku_->setVisible(false);
    layout->addWidget(lblVerKaku_, 0, Qt::AlignRight);
    auto* close = new QPushButton(QStringLiteral("閉じる"));
    close->setObjectName(QStringLiteral("FramSpeedBtn1"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignCenter);
}

bool TfmAbout::BuildCodeShown() const { return !lblVerKaku_->isHidden(); }

void TfmAbout::keyPressEvent(QKeyEvent* event) {
    const bool ctrlShift = event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
    if (event->key() == Qt::Key_Control || event->key() == Qt::Key_Shift) return;
    if (ctrlShift && event->key() == Qt::Key_V) {
        sawV_ = true;
        return;
    }
    if (ctrlShift && event->key() == Qt::Key_J && sawV_) {
        lblVerKaku_->setVisible(true);
        sawV_ = false;
        return;
    }
    sawV_ = false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

TfmInfo::TfmInfo(const QDate& today, QWidget* parent) : QDialog(parent) {
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
        QStringLiteral(" 日が経過しています。\r\n\r\n"
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
        if (IsInternetConnected()) {
            ShellOpen(QString::fromLatin1(kMakerWebPage));
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

QString TfmInfo::InfoText() const { return lblInfo_->property("sourceText").toString(); }

}  // namespace korvane
