#include "uploadcommand.h"

#include "app/ftpsettings.h"
#include "publish/ftptransfer.h"

namespace korvane {
namespace {

void say(std::FILE* f, QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    std::fputs(qUtf8Printable(text + u'\n'), f);
}

}  // namespace

std::optional<QString> ParseUploadRequest(const QStringList& args, bool checkOnly,
                                          UploadRequest& r) {
    qsizetype i = 0;
    if (!checkOnly) {
        if (args.isEmpty() || args[0].startsWith(u"--"))
            return QStringLiteral("--upload には転送するファイルが必要です。");
        r.File = args[i++];
    }
    for (; i < args.size(); ++i) {
        const QString& a = args[i];
        std::optional<QString>* target = a == u"--host"     ? &r.Host
                                         : a == u"--user"   ? &r.User
                                         : a == u"--folder" ? &r.Folder
                                                            : nullptr;
        if (!target)
            return QStringLiteral("%1 に使えない引数です: %2")
                .arg(checkOnly ? "--ftp-check" : "--upload", a);
        if (i + 1 >= args.size()) return QStringLiteral("%1 には値が必要です。").arg(a);
        *target = args[++i];
    }
    return std::nullopt;
}

int RunUploadCommand(const UploadRequest& request, const QString& settingsFolder,
                     const QString& programFolder, std::FILE* out, std::FILE* err) {
    FtpSettings stored;
    if (!stored.Load(settingsFolder, programFolder)) {
        say(err, QStringLiteral("korvane: FTP の設定ファイル %1 を読めません。")
                     .arg(settingsFolder + QString::fromLatin1(FtpSettings::kFileName)));
        return 1;
    }
    FtpAccount account{request.Host.value_or(stored.Server),
                       request.User.value_or(stored.UserID),
                       stored.Password,
                       request.Folder.value_or(stored.CurrentDir),
                       {}};
    if (qEnvironmentVariableIsSet("KORVANE_FTP_PASSWORD"))
        account.Password = qEnvironmentVariable("KORVANE_FTP_PASSWORD");
    if (account.Host.trimmed().isEmpty() || account.User.trimmed().isEmpty()) {
        say(err, QStringLiteral("korvane: ホスト名とユーザー名を設定するか、--host と --user で"
                                "指定してください。"));
        return 1;
    }
    const FtpOutcome outcome =
        request.File.isEmpty() ? CheckFtp(account) : UploadByFtp(account, request.File);
    if (outcome != FtpOutcome::Done) {
        say(err, QStringLiteral("korvane: ") + FtpMessage(outcome));
        return 1;
    }
    say(out,
        request.File.isEmpty() ? QStringLiteral("正常に接続できました。") : FtpMessage(outcome));
    return 0;
}

}  // namespace korvane
