#include "commandline.h"

#include "calendar/daynumber.h"
#include "calendar/holidayrules.h"
#include "calendar/lunisolar.h"
#include "calendar/textlines.h"
#include "korvane_version.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <exception>

namespace korvane {
namespace {

void write(std::FILE* f, const QString& s) {
    const QByteArray b = s.toUtf8();
    std::fwrite(b.constData(), 1, std::size_t(b.size()), f);
}

// YYYY-MM-DD with a year from 0001, validated as a calendar date (Julian before the reform).
std::optional<std::int32_t> parseDate(const QString& text, QString& error) {
    static const QRegularExpression re(QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) {
        error = "日付は YYYY-MM-DD の形で指定してください: " + text;
        return std::nullopt;
    }
    const std::int32_t y = m.captured(1).toInt();
    const int mo = m.captured(2).toInt();
    const int d = m.captured(3).toInt();
    try {
        if (y < 1 || mo < 1 || mo > 12 || d < 1 || d > 31 ||
            !IsValidDate(y, std::uint8_t(mo), std::uint8_t(d))) {
            error = "存在しない日付です: " + text;
            return std::nullopt;
        }
    } catch (const DayNumberError& e) {
        error = QString::fromUtf8(e.what()) + " (" + text + ")";
        return std::nullopt;
    }
    return EncodeDayNumber(y, std::uint8_t(mo), std::uint8_t(d));
}

constexpr int kMaxYears = 200;

// A name may hold a tab or a line break; in the six-field output it is a space.
QString oneField(QString text) {
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
    return text;
}

bool writeAll(std::FILE* f, const QByteArray& bytes) {
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), f) ==
           std::size_t(bytes.size());
}

int writeFailed(std::FILE* err) {
    const int code = errno;
    write(err, QStringLiteral("korvane: 出力に書き込めません: %1\n")
                   .arg(QString::fromLocal8Bit(std::strerror(code))));
    return 1;
}

// A short text on standard output; 1, after saying so, when it could not be written.
int writeOut(std::FILE* out, std::FILE* err, const QString& text) {
    if (!writeAll(out, text.toUtf8()) || std::fflush(out) != 0 || std::ferror(out))
        return writeFailed(err);
    return 0;
}

}  // namespace

CommandLine::CommandLine(QStringList arguments, QString programFolder)
    : args_(std::move(arguments)), programFolder_(std::move(programFolder)) {}

QString CommandLine::helpText() {
    return QStringLiteral(
        "使い方: korvane [オプション]\n"
        "\n"
        "  --days FROM TO   FROM から TO まで (YYYY-MM-DD、0001 年から、200 年以内) の各日を\n"
        "                   1 行ずつ出力します。タブ区切りの 6 項目です:\n"
        "                   日付、曜日 (1=日 … 7=土)、日の種類 (1=日曜 2=土曜 4=祝日\n"
        "                   8=振替休日 16=記念日 の和)、祝日・記念日名、旧暦の月コード/日、六曜。\n"
        "                   祝日はプログラムと同じフォルダの Hday.dat から読みます。\n"
        "                   旧暦と六曜は 1989-12-28 から 2030-12-24 まで。範囲外は 0/0 と空欄。\n"
        "  --hday FILE      --days で Hday.dat の代わりに FILE を使います。\n"
        "  --screenshot DIR [--month YYYYMM] [--small]\n"
        "                   画面を表示せずに、月・年・設定の各ページと情報ウィンドウを\n"
        "                   DIR に PNG で保存して終了します (設定は書き込みません)。\n"
        "                   --month で最初に表示する月、--small で小さい画面用の配置。\n"
        "  --agenda YYYYMM [/K=フォルダ] [/D=フォルダ] [/D2=フォルダ] [/U=区分] [/S=フォルダ]\n"
        "                   その月の各日を、月の画面と同じ並びで UTF-8 で出力します。\n"
        "                   日ごとに「日付<TAB>日の種類<TAB>祝日・記念日名<TAB>六曜」の行、\n"
        "                   続いてその日の枠に表示される予定と期間をタブで字下げして 1 行ずつ\n"
        "                   ([bold] 太字、[strike] 取消線、[period] 期間のラベル、\n"
        "                   [more] 枠に入りきらない予定あり)。/K= などは Velmar／Tesska が\n"
        "                   Korvane に渡すスイッチと同じです。画面は要りません。\n"
        "  --print LAYOUT --month YYYYMM (--pdf FILE | --png FILE [--dpi N])\n"
        "        [--lines N] [--bw] [--small] [--no-shade] [--rokuyo] [--monday]\n"
        "        [--offset 上,左] [--title TEXT] [--today YYYY-MM-DD] [--no-rules]\n"
        "        [/K= /D= /D2= /U= /S=]\n"
        "                   月のカレンダーを印刷画面と同じ描き方で PDF か PNG にします\n"
        "                   (プリンタも画面も要りません)。LAYOUT は MB5, HB5, MA4W, HA4W,\n"
        "                   MA4, HA4, MA3, HA3, HHagaki (M… 予定入り、H… 白紙、B5 横、\n"
        "                   A4 縦 2 ヶ月、A4 横、A3 横、はがき)、CA4V, CB5V (年カレンダー、\n"
        "                   --month から 12 ヶ月、--no-rules で罫線なし)。--dpi は PNG の解像度\n"
        "                   (既定 300)、--lines は予定行数、--bw 白黒印刷、--small 少し小さく\n"
        "                   印刷、--no-shade 曜日欄の網掛けなし、--rokuyo 六曜記入、\n"
        "                   --monday 月曜始まり、--offset 印刷位置調整 (mm)、--title\n"
        "                   タイトル、--today 作成日付。予定は --agenda と同じファイルから\n"
        "                   読みます。答えの要る問い合わせが出たときは\n"
        "                   それを標準エラーに書いて終了コード 3 で終わります。\n"
        "  --print NA4P|GA4P (--pdf FILE | --png FILE [--dpi N]) [--offset 上,左]\n"
        "                   罫線ノート (NA4P) か方眼紙 (GA4P) を A4 縦で、印刷画面の\n"
        "                   「書類印刷」の設定 (Printers.ini の [Note] と [Graph]) で描きます。\n"
        "  --print Soufu|Fax (--pdf FILE | --png FILE [--dpi N]) [--paper A4|B5]\n"
        "        [--offset 上,左] [--today YYYY-MM-DD]\n"
        "                   送り状 (Soufu) かＦａｘ送信用紙 (Fax) を、印刷画面の設定\n"
        "                   (Printers.ini の [Soufu] と [Fax]) で描きます。--paper の既定は\n"
        "                   保存された用紙、日付は --today (既定は今日) の和暦です。\n"
        "  --picture YYYYMM [--gif FILE] [--png FILE] [--jpg FILE] [--layout]\n"
        "        [--today YYYY-MM-DD] [/K= /D= /D2= /U= /S=]\n"
        "                   「カレンダ画像」の「実行」と同じ月の画像を、画面を表示せずに\n"
        "                   作ります (--layout で広報用のレイアウト画面の画像)。GIF は 256 色 (236 "
        "色＋固定 20 色)、PNG は劣化なし、\n"
        "                   JPEG は品質 90 です。設定は読むだけで書き込みません。\n"
        "  --compose YYYYMM [--style N] [--base FILE] --gif FILE [--png FILE]\n"
        "        [--today YYYY-MM-DD] [/K= /D= /D2= /U= /S=]\n"
        "                   「広報２」の広報カレンダを、保存されたスタイル (--style で 1～5) の\n"
        "                   ベース画像 (--base で別の GIF) に重ねて作ります。GIF の周りの枠は\n"
        "                   透明色です。\n"
        "  --upload FILE [--host HOST[:PORT]] [--user USER] [--folder FOLDER]\n"
        "                   FILE を「カレンダ画像」の FTP 設定のホストへ転送します (TLS が\n"
        "                   使えるホストでは暗号化)。各オプションは保存された設定の代わりに\n"
        "                   使われます。パスワードは環境変数 KORVANE_FTP_PASSWORD があれば\n"
        "                   それを、なければ保存されたものを使います。\n"
        "  --ftp-check [--host HOST[:PORT]] [--user USER] [--folder FOLDER]\n"
        "                   同じ設定で接続とフォルダの移動だけを確かめます。\n"
        "  --version        版を表示します。\n"
        "  --help           この説明を表示します。\n");
}

int CommandLine::usageError(std::FILE* err, const QString& message) {
    write(err, "korvane: " + message + " (korvane --help をご覧ください)\n");
    return 2;
}

std::optional<int> CommandLine::run(std::FILE* out, std::FILE* err) {
    if (args_.isEmpty()) return std::nullopt;
    const QString& first = args_.front();
    if (first == u"--help" || first == u"-h") {
        if (args_.size() != 1) return usageError(err, "--help には引数を付けません。");
        return writeOut(out, err, helpText());
    }
    if (first == u"--version") {
        if (args_.size() != 1) return usageError(err, "--version には引数を付けません。");
        return writeOut(out, err, QStringLiteral("Korvane " KORVANE_VERSION "\n"));
    }
    if (first == u"--days" || first == u"--hday") return days(out, err);
    if (first == u"--screenshot") return screenshot(err);
    if (first == u"--agenda") return agenda(err);
    if (first == u"--print") return print(err);
    if (first == u"--upload" || first == u"--ftp-check") {
        UploadRequest r;
        if (const std::optional<QString> error =
                ParseUploadRequest(args_.mid(1), first == u"--ftp-check", r))
            return usageError(err, *error);
        upload_ = r;
        return std::nullopt;
    }
    if (first == u"--picture" || first == u"--compose") {
        PictureRequest r;
        if (const std::optional<QString> error =
                ParsePictureRequest(args_.mid(1), r, first == u"--compose"))
            return usageError(err, *error);
        picture_ = r;
        return std::nullopt;
    }
    if (first.startsWith(u'-')) return usageError(err, "知らないオプションです: " + first);
    return std::nullopt;
}

std::optional<int> CommandLine::agenda(std::FILE* err) {
    static const QRegularExpression re(QStringLiteral("^([0-9]{4})([0-9]{2})$"));
    const QRegularExpressionMatch m = re.match(args_.size() > 1 ? args_[1] : QString());
    if (!m.hasMatch())
        return usageError(err, "--agenda には年月を YYYYMM の形で指定してください。");
    AgendaRequest r;
    r.Year = m.captured(1).toInt();
    r.Month = m.captured(2).toInt();
    if (r.Year < 1 || r.Month < 1 || r.Month > 12)
        return usageError(err, "存在しない年月です: " + args_[1]);
    for (qsizetype i = 2; i < args_.size(); ++i) {
        const QString& a = args_[i];
        bool known = false;
        for (const char* prefix : {"/K=", "/D=", "/D2=", "/U=", "/S="})
            known = known || a.startsWith(QLatin1String(prefix));
        if (!known) return usageError(err, "--agenda に使えない引数です: " + a);
        r.Switches << a;
    }
    agenda_ = r;
    return std::nullopt;
}

std::optional<int> CommandLine::print(std::FILE* err) {
    PrintRequest r;
    if (const std::optional<QString> error = ParsePrintRequest(args_.mid(1), r))
        return usageError(err, *error);
    print_ = r;
    return std::nullopt;
}

std::optional<int> CommandLine::screenshot(std::FILE* err) {
    ScreenshotRequest r;
    if (args_.size() < 2 || args_[1].startsWith(u"--"))
        return usageError(err, "--screenshot には保存先のフォルダが必要です。");
    r.Folder = args_[1];
    for (qsizetype i = 2; i < args_.size(); ++i) {
        if (args_[i] == u"--small") {
            r.Small = true;
        } else if (args_[i] == u"--month" && i + 1 < args_.size()) {
            static const QRegularExpression re(QStringLiteral("^[0-9]{4}(0[1-9]|1[0-2])$"));
            r.Month = args_[++i];
            if (!re.match(r.Month).hasMatch() || r.Month.left(4).toInt() < 1)
                return usageError(err, "--month は YYYYMM の形で指定してください: " + r.Month);
        } else {
            return usageError(err, "余分な引数があります: " + args_[i]);
        }
    }
    screenshot_ = r;
    return std::nullopt;
}

int CommandLine::days(std::FILE* out, std::FILE* err) {
    QStringList dates;
    QString hday;
    bool hdayGiven = false;
    for (qsizetype i = 0; i < args_.size(); ++i) {
        const QString& a = args_[i];
        if (a == u"--days") {
            if (!dates.isEmpty()) return usageError(err, "--days が二度指定されています。");
            if (i + 2 >= args_.size())
                return usageError(err, "--days には FROM と TO の二つの日付が必要です。");
            dates << args_[i + 1] << args_[i + 2];
            i += 2;
        } else if (a == u"--hday") {
            if (hdayGiven) return usageError(err, "--hday が二度指定されています。");
            if (i + 1 >= args_.size()) return usageError(err, "--hday にはファイル名が必要です。");
            hday = args_[++i];
            hdayGiven = true;
        } else {
            return usageError(err, "余分な引数があります: " + a);
        }
    }
    if (dates.isEmpty()) return usageError(err, "--hday は --days と一緒に使います。");

    QString error;
    const std::optional<std::int32_t> from = parseDate(dates[0], error);
    if (!from) return usageError(err, error);
    const std::optional<std::int32_t> to = parseDate(dates[1], error);
    if (!to) return usageError(err, error);
    if (*from > *to) return usageError(err, "FROM が TO より後になっています。");
    {
        const Ymd a = DecodeYmd(*from);
        // February 29 rolls over to March 1 two hundred years on; that is fine here. A limit in
        // the days dropped at the 1582 reform cannot be checked and is said so.
        std::int32_t limit;
        try {
            limit = EncodeDayNumber(a.y + kMaxYears, a.m, a.d);
        } catch (const DayNumberError&) {
            return usageError(
                err, QStringLiteral("期間の上限 (FROM の %1 年後、%2-%3-%4) は暦の切り替えで"
                                    "存在しない日付です。FROM を変えてください。")
                         .arg(kMaxYears)
                         .arg(a.y + kMaxYears, 4, 10, QChar(u'0'))
                         .arg(a.m, 2, 10, QChar(u'0'))
                         .arg(a.d, 2, 10, QChar(u'0')));
        }
        if (*to >= limit)
            return usageError(err,
                              QStringLiteral("期間は %1 年以内にしてください。").arg(kMaxYears));
    }

    if (!hdayGiven) hday = programFolder_ + "Hday.dat";
    if (hdayGiven && !QFileInfo(hday).isFile())
        return usageError(err, "祝日ファイルがありません: " + hday);
    HolidayRules rules;
    if (QFileInfo(hday).isFile()) {
        QStringList lines;
        if (!LoadTextLines(lines, hday, TextFileKind::HolidayRules)) {
            write(err, "korvane: " + hday + " を読み込めません。\n");
            return 1;
        }
        // A bad line is named and left out; every other rule stays in force.
        for (const RuleLineProblem& p : rules.SetHolidayList(lines))
            write(err, QStringLiteral("korvane: %1 の %2 行目: %3\n")
                           .arg(hday)
                           .arg(p.Line)
                           .arg(p.Message));
    } else {
        write(err, "korvane: " + hday + " がないため、祝日なしで出力します。\n");
    }

    QByteArray buffer;
    buffer.reserve(1 << 16);
    for (std::int32_t jd = *from; jd <= *to; ++jd) {
        std::int32_t y;
        std::uint8_t m, d;
        DecodeDayNumber(jd, y, m, d);
        std::uint8_t code, oldDay;
        LunisolarDateOf(jd, code, oldDay);
        const std::uint8_t rokuyo = RokuyoOf(jd);
        // Concatenated, not arg()-chained: a name may itself hold "%1".
        const QString line = QStringLiteral("%1-%2-%3\t%4\t%5\t")
                                 .arg(y, 4, 10, QChar(u'0'))
                                 .arg(m, 2, 10, QChar(u'0'))
                                 .arg(d, 2, 10, QChar(u'0'))
                                 .arg(WeekdayOf(jd))
                                 .arg(rules.GetDayKind(y, m, d)) +
                             oneField(rules.GetDayNames(y, m, d)) + u'\t' + QString::number(code) +
                             u'/' + QString::number(oldDay) + u'\t' +
                             (rokuyo ? RokuyoNames[rokuyo] : QString()) + u'\n';
        buffer += line.toUtf8();
        if (buffer.size() > (1 << 16) - 64) {
            if (!writeAll(out, buffer)) return writeFailed(err);
            buffer.clear();
        }
    }
    if (!writeAll(out, buffer) || std::fflush(out) != 0 || std::ferror(out))
        return writeFailed(err);
    return 0;
}

}  // namespace korvane
