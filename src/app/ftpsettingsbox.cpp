#include "ftpsettingsbox.h"

#include "app/widgetnames.h"
#include "core/prompt.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane {

FtpSettingsBox::FtpSettingsBox(QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    cbFTP = Named(new QCheckBox(QStringLiteral("ＦＴＰ転送を行う")), "cbFTP");
    connect(cbFTP, &QCheckBox::clicked, this, &FtpSettingsBox::applySwitch);
    btnHost = Named(new QPushButton(QStringLiteral("ホスト設定")), "btnHost");
    connect(btnHost, &QPushButton::clicked, this, [this] { gbFTP->setVisible(gbFTP->isHidden()); });
    row->addWidget(cbFTP);
    row->addWidget(btnHost);
    row->addStretch(1);
    outer->addLayout(row);

    gbFTP = Named(new QGroupBox(QStringLiteral(" ＦＴＰ転送 ")), "gbFTP");
    auto* grid = new QGridLayout(gbFTP);
    const auto field = [&](const char* name, const char16_t* caption, int r) {
        auto* label = new QLabel(QString::fromUtf16(caption));
        auto* edit = Named(new QLineEdit, name);
        labels_ << label;
        grid->addWidget(label, r, 0);
        grid->addWidget(edit, r, 1);
        return edit;
    };
    edtFtpServer = field("edtFtpServer", u"ホスト名（アドレス）", 0);
    edtUserID = field("edtUserID", u"ユーザー名", 1);
    edtPassword = field("edtPassword", u"パスワード", 2);
    edtPassword->setEchoMode(QLineEdit::Password);
    edtCurrentDir = field("edtCurrentDir", u"ホストのフォルダ", 3);
    btnChkFTP = Named(new QPushButton(QStringLiteral("接続チェック")), "btnChkFTP");
    connect(btnChkFTP, &QPushButton::clicked, this, &FtpSettingsBox::CheckConnection);
    grid->addWidget(btnChkFTP, 4, 1, Qt::AlignRight);
    outer->addWidget(gbFTP);
    applySwitch();  // off: the group starts hidden
}

FtpSettingsBox::~FtpSettingsBox() { delete check_; }  // cancels a running test and waits

void FtpSettingsBox::Show(const FtpSettings& settings, bool uploadOn) {
    edtFtpServer->setText(settings.Server);
    edtUserID->setText(settings.UserID);
    edtPassword->setText(settings.Password);
    edtCurrentDir->setText(settings.CurrentDir);
    cbFTP->setChecked(uploadOn);
    applySwitch();
}

void FtpSettingsBox::Collect(FtpSettings& settings) const {
    settings.Server = edtFtpServer->text();
    settings.UserID = edtUserID->text();
    settings.Password = edtPassword->text();
    settings.CurrentDir = edtCurrentDir->text();
}

bool FtpSettingsBox::UploadOn() const { return cbFTP->isChecked(); }

FtpAccount FtpSettingsBox::typedAccount() const {
    return {
        edtFtpServer->text(), edtUserID->text(), edtPassword->text(), edtCurrentDir->text(), {}};
}

std::optional<FtpAccount> FtpSettingsBox::Account() const {
    if (!UploadOn() || edtFtpServer->text().trimmed().isEmpty() ||
        edtUserID->text().trimmed().isEmpty())
        return std::nullopt;
    return typedAccount();
}

// Off: the group goes, the buttons and labels grey; the fields stay editable in grey text.
void FtpSettingsBox::applySwitch() {
    const bool on = cbFTP->isChecked();
    if (!on) gbFTP->hide();
    btnHost->setEnabled(on);
    btnChkFTP->setEnabled(on && !Checking());
    for (QLabel* l : labels_) l->setEnabled(on);
    for (QLineEdit* e : {edtFtpServer, edtUserID, edtPassword, edtCurrentDir}) {
        QPalette p = e->palette();
        p.setColor(QPalette::Text,
                   on ? palette().color(QPalette::WindowText) : QColor(0xC0, 0xC0, 0xC0));
        e->setPalette(p);
    }
}

void FtpSettingsBox::CheckConnection() {
    if (Checking()) return;
    btnChkFTP->setEnabled(false);
    check_ = new FtpJob(typedAccount(), QString(), {}, this);
    connect(check_, &FtpJob::Finished, this, [this](FtpOutcome outcome) {
        check_->deleteLater();
        btnChkFTP->setEnabled(cbFTP->isChecked());
        Prompt::current().message(
            outcome == FtpOutcome::Done ? QStringLiteral("正常に接続できました。")
                                        : FtpMessage(outcome),
            QStringLiteral("確認 -Korvane-"),
            outcome == FtpOutcome::Done ? Prompt::Kind::Information : Prompt::Kind::Warning);
        emit CheckFinished(outcome);
    });
    check_->Start();
}

}  // namespace korvane
