#pragma once

#include "app/ftpsettings.h"
#include "publish/ftptransfer.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {

// The FTP part of the " カレンダ画像 " sheet: the switch, the host group (hidden until ホスト設定)
// and the connection test, which runs beside the window.
class FtpSettingsBox : public QWidget {
    Q_OBJECT

public:
    explicit FtpSettingsBox(QWidget* parent = nullptr);
    ~FtpSettingsBox() override;

    void Show(const FtpSettings& settings, bool uploadOn);
    void Collect(FtpSettings& settings) const;
    bool UploadOn() const;  // cbFTP
    // Where pictures go: with the switch on and a host and a user name typed; else nothing.
    std::optional<FtpAccount> Account() const;
    // 接続チェック: the result is said when the job ends.
    void CheckConnection();
    bool Checking() const { return check_ && check_->Running(); }

signals:
    void CheckFinished(korvane::FtpOutcome outcome);

private:
    void applySwitch();
    FtpAccount typedAccount() const;

    QCheckBox* cbFTP = nullptr;
    QPushButton* btnHost = nullptr;
    QGroupBox* gbFTP = nullptr;
    QLineEdit* edtFtpServer = nullptr;
    QLineEdit* edtUserID = nullptr;
    QLineEdit* edtPassword = nullptr;
    QLineEdit* edtCurrentDir = nullptr;
    QPushButton* btnChkFTP = nullptr;
    QList<QLabel*> labels_;
    QPointer<FtpJob> check_;
};

}  // namespace korvane
