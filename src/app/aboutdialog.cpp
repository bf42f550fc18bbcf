#include "aboutdialog.h"

#include "app/utility.h"
#include "core/prompt.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane {
namespace {

QString versionNumber() {
    QString v = QString::fromUtf16(kVersionText);
    if (v.startsWith(QStringLiteral("ver"), Qt::CaseInsensitive)) v.remove(0, 3);
    return v;
}

}  // namespace

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

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
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

bool AboutDialog::BuildCodeShown() const { return !lblVerKaku_->isHidden(); }

void AboutDialog::keyPressEvent(QKeyEvent* event) {
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

}  // namespace korvane
