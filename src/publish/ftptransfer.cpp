#include "ftptransfer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace korvane {
namespace {

struct HandleFree {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }  // says QUIT to a server still there
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
    void operator()(char* s) const { curl_free(s); }
    void operator()(std::FILE* f) const { std::fclose(f); }
};
template <class T>
using Owned = std::unique_ptr<T, HandleFree>;

// The address of folder (and of name in it, when given), each part escaped; a folder with a
// leading "/" starts at the server's root ("%2F"), any other at the login folder.
std::optional<std::string> urlOf(const FtpAccount& account, const QString& name) {
    static const QRegularExpression withPort(QStringLiteral("^(.*):([0-9]{1,5})$"));
    const QString host = account.Host.trimmed();
    const QRegularExpressionMatch m = withPort.match(host);
    Owned<CURLU> url(curl_url());
    Owned<CURL> escaper(curl_easy_init());
    if (!url || !escaper || host.isEmpty()) return std::nullopt;
    const auto escaped = [&](const QString& part) {
        const QByteArray utf8 = part.toUtf8();
        Owned<char> e(curl_easy_escape(escaper.get(), utf8.constData(), int(utf8.size())));
        return std::string(e ? e.get() : "");
    };
    const QString folder = account.Folder.trimmed();
    std::string path = folder.startsWith(u'/') ? "/%2F" : "/";
    for (const QString& part : folder.split(u'/', Qt::SkipEmptyParts)) path += escaped(part) + '/';
    if (!name.isEmpty()) path += escaped(name);
    const QByteArray hostName = (m.hasMatch() ? m.captured(1) : host).toUtf8();
    if (curl_url_set(url.get(), CURLUPART_SCHEME, "ftp", 0) != CURLUE_OK ||
        curl_url_set(url.get(), CURLUPART_HOST, hostName.constData(), 0) != CURLUE_OK ||
        (m.hasMatch() && curl_url_set(url.get(), CURLUPART_PORT,
                                      m.captured(2).toLatin1().constData(), 0) != CURLUE_OK) ||
        curl_url_set(url.get(), CURLUPART_PATH, path.c_str(), 0) != CURLUE_OK)
        return std::nullopt;
    char* out = nullptr;
    if (curl_url_get(url.get(), CURLUPART_URL, &out, 0) != CURLUE_OK) return std::nullopt;
    Owned<char> text(out);
    return std::string(text.get());
}

// Runs the handle, asking progress every tenth of a second at most (also while connecting,
// where curl itself calls no progress function); false from it ends the job as cancelled.
CURLcode perform(CURL* h, const FtpProgress& progress, qint64 total) {
    struct MultiFree {
        void operator()(CURLM* m) const { curl_multi_cleanup(m); }
    };
    std::unique_ptr<CURLM, MultiFree> multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), h) != CURLM_OK) return CURLE_OUT_OF_MEMORY;
    CURLcode result = CURLE_OK;
    for (int running = 1; running;) {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            result = CURLE_OUT_OF_MEMORY;
            break;
        }
        curl_off_t sent = 0;
        curl_easy_getinfo(h, CURLINFO_SIZE_UPLOAD_T, &sent);
        if (progress && !progress(qint64(sent), total)) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        if (running) curl_multi_poll(multi.get(), nullptr, 0, 100, nullptr);
        int left = 0;
        while (const CURLMsg* m = curl_multi_info_read(multi.get(), &left))
            if (m->msg == CURLMSG_DONE) result = m->data.result;
    }
    curl_multi_remove_handle(multi.get(), h);
    return result;
}

// A handle for the account: its names as options (never in the address), the limits, TLS.
Owned<CURL> handleFor(const FtpAccount& account, const std::string& url, const FtpLimits& limits) {
    Owned<CURL> h(curl_easy_init());
    if (!h) return h;
    const QByteArray user = account.User.toUtf8(), password = account.Password.toUtf8();
    curl_easy_setopt(h.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(h.get(), CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(h.get(), CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(h.get(), CURLOPT_USE_SSL, long(CURLUSESSL_TRY));
    if (!account.CaFile.isEmpty())
        curl_easy_setopt(h.get(), CURLOPT_CAINFO, QFile::encodeName(account.CaFile).constData());
    curl_easy_setopt(h.get(), CURLOPT_CONNECTTIMEOUT, long(limits.ConnectSeconds));
    curl_easy_setopt(h.get(), CURLOPT_SERVER_RESPONSE_TIMEOUT, long(limits.ResponseSeconds));
    curl_easy_setopt(h.get(), CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h.get(), CURLOPT_LOW_SPEED_TIME, long(limits.StallSeconds));
    curl_easy_setopt(h.get(), CURLOPT_NOSIGNAL, 1L);
    return h;
}

FtpOutcome outcomeOf(CURLcode code) {
    switch (code) {
        case CURLE_OK:
            return FtpOutcome::Done;
        case CURLE_REMOTE_ACCESS_DENIED:  // the folder change was refused
        case CURLE_REMOTE_FILE_NOT_FOUND:
            return FtpOutcome::NoFolder;
        case CURLE_OPERATION_TIMEDOUT:
            return FtpOutcome::TimedOut;
        case CURLE_ABORTED_BY_CALLBACK:
            return FtpOutcome::Cancelled;
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CACERT_BADFILE:  // no certificates to check against: nothing is trusted
            return FtpOutcome::Certificate;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_USE_SSL_FAILED:
            return FtpOutcome::Tls;
        case CURLE_READ_ERROR:
            return FtpOutcome::LocalFile;
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_PARTIAL_FILE:
        case CURLE_UPLOAD_FAILED:
        case CURLE_QUOTE_ERROR:  // the rename
        case CURLE_GOT_NOTHING:
            return FtpOutcome::Broken;
        default:  // no host, refused, wrong login, and the server's other answers
            return FtpOutcome::CannotConnect;
    }
}

// Keeps curl's option texts alive for the handle's life.
struct Commands {
    Owned<curl_slist> list;
    void add(const QString& command) {
        list.reset(curl_slist_append(list.release(), command.toUtf8().constData()));
    }
};

}  // namespace

QString FtpMessage(FtpOutcome outcome) {
    switch (outcome) {
        case FtpOutcome::Done:
            return QStringLiteral("転送が終了しました。");
        case FtpOutcome::CannotConnect:
            return QStringLiteral(
                "ホストに接続できません。\r\n「ホスト名」、「ユーザー名」、「パスワード」をチェ"
                "ックしてください。");
        case FtpOutcome::NoFolder:
            return QStringLiteral(
                "ホストのフォルダに移動できません。\r\n「ホストのフォルダ」をチェックしてくださ"
                "い。");
        case FtpOutcome::Broken:
            return QStringLiteral(
                "転送の途中で接続が切れました。\r\nホストのファイルは元のままです。もう一度、実行"
                "してください。");
        case FtpOutcome::TimedOut:
            return QStringLiteral(
                "ホストが応答しません（時間切れ）。\r\nしばらくしてから、もう一度、実行してくださ"
                "い。");
        case FtpOutcome::Cancelled:
            return QStringLiteral("ＦＴＰ転送を中止しました。");
        case FtpOutcome::Tls:
            return QStringLiteral(
                "ホストと暗号化（TLS）の接続ができません。\r\nホストの設定をチェックしてください"
                "。");
        case FtpOutcome::Certificate:
            return QStringLiteral(
                "ホストの証明書を確認できません。\r\n安全のため、接続を中止しました。");
        case FtpOutcome::LocalFile:
            return QStringLiteral("転送する画像ファイルを読めません。");
    }
    return {};
}

CurlGlobal::CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
CurlGlobal::~CurlGlobal() { curl_global_cleanup(); }

FtpOutcome CheckFtp(const FtpAccount& account, const FtpLimits& limits,
                    const FtpProgress& progress) {
    const std::optional<std::string> url = urlOf(account, QString());
    if (!url) return FtpOutcome::CannotConnect;
    Owned<CURL> h = handleFor(account, *url, limits);
    if (!h) return FtpOutcome::CannotConnect;
    curl_easy_setopt(h.get(), CURLOPT_NOBODY, 1L);  // into the folder, nothing listed
    return outcomeOf(perform(h.get(), progress, 0));
}

FtpOutcome UploadByFtp(const FtpAccount& account, const QString& localPath, const FtpLimits& limits,
                       const FtpProgress& progress) {
    const QString name = QFileInfo(localPath).fileName().trimmed();
    const QString part = u'.' + name + QStringLiteral(".part");
    Owned<std::FILE> file(std::fopen(QFile::encodeName(localPath).constData(), "rb"));
    if (!file || name.isEmpty()) return FtpOutcome::LocalFile;
    const qint64 size = QFileInfo(localPath).size();
    const std::optional<std::string> url = urlOf(account, part);
    if (!url) return FtpOutcome::CannotConnect;
    Owned<CURL> h = handleFor(account, *url, limits);
    if (!h) return FtpOutcome::CannotConnect;
    Commands rename;
    rename.add(QStringLiteral("RNFR ") + part);
    rename.add(QStringLiteral("RNTO ") + name);
    curl_easy_setopt(h.get(), CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h.get(), CURLOPT_READDATA, file.get());
    curl_easy_setopt(h.get(), CURLOPT_INFILESIZE_LARGE, curl_off_t(size));
    curl_easy_setopt(h.get(), CURLOPT_POSTQUOTE, rename.list.get());
    const CURLcode code = perform(h.get(), progress, size);
    curl_off_t sent = -1;
    curl_easy_getinfo(h.get(), CURLINFO_SIZE_UPLOAD_T, &sent);
    FtpOutcome outcome = outcomeOf(code);
    if (outcome == FtpOutcome::Done && qint64(sent) != size) outcome = FtpOutcome::Broken;
    // Nothing can have reached the server before the first byte (and a cancel is to be quick).
    if (outcome == FtpOutcome::Done || outcome == FtpOutcome::CannotConnect ||
        outcome == FtpOutcome::NoFolder || sent <= 0)
        return outcome;
    // What reached the server stays under the temporary name only: remove it where possible.
    const std::optional<std::string> folder = urlOf(account, QString());
    Owned<CURL> cleanup = handleFor(account, *folder, FtpLimits{2, 2, 2});
    if (!cleanup) return outcome;
    Commands remove;  // after the folder change, where the temporary file is
    remove.add(QStringLiteral("DELE ") + part);
    curl_easy_setopt(cleanup.get(), CURLOPT_NOBODY, 1L);
    curl_easy_setopt(cleanup.get(), CURLOPT_POSTQUOTE, remove.list.get());
    perform(cleanup.get(), {}, 0);
    return outcome;
}

FtpJob::FtpJob(FtpAccount account, QString localPath, FtpLimits limits, QObject* parent)
    : QObject(parent),
      account_(std::move(account)),
      localPath_(std::move(localPath)),
      limits_(limits) {}

FtpJob::~FtpJob() {
    cancel_ = true;
    if (thread_) thread_->wait();  // the job looks at the flag every tenth of a second
}

bool FtpJob::Running() const { return thread_ && !thread_->isFinished(); }

void FtpJob::Start() {
    if (thread_) return;
    thread_.reset(QThread::create([this] {
        QElapsedTimer shown;
        qint64 last = -1;
        const FtpProgress progress = [&](qint64 sent, qint64 total) {
            // Queued to the window's thread: ten a second are enough to watch.
            if (total > 0 && sent != last &&
                (sent == total || !shown.isValid() || shown.elapsed() >= 100)) {
                emit Progress(sent, total);
                shown.start();
                last = sent;
            }
            return !cancel_;
        };
        const FtpOutcome outcome = localPath_.isEmpty()
                                       ? CheckFtp(account_, limits_, progress)
                                       : UploadByFtp(account_, localPath_, limits_, progress);
        emit Finished(outcome);
    }));
    thread_->start();
}

}  // namespace korvane
