#include "picturecommand.h"

#include "app/mainwindow.h"
#include "app/streamprompt.h"
#include "core/atomicfile.h"
#include "core/clock.h"
#include "publish/picturewriters.h"
#include "publish/publicitycalendarcomposer.h"
#include "publish/quantiser.h"

#include <QBuffer>
#include <QRegularExpression>

#include <memory>

namespace korvane {

std::optional<QString> ParsePictureRequest(const QStringList& args, PictureRequest& r,
                                           bool compose) {
    const QString command = compose ? QStringLiteral("--compose") : QStringLiteral("--picture");
    r.Compose = compose;
    static const QRegularExpression month(QStringLiteral("^([0-9]{4})(0[1-9]|1[0-2])$"));
    const QRegularExpressionMatch m = month.match(args.value(0));
    if (!m.hasMatch() || m.captured(1).toInt() < 1)
        return QStringLiteral("%1 の次には年月を YYYYMM の形で指定してください。").arg(command);
    r.Year = m.captured(1).toInt();
    r.Month = m.captured(2).toInt();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString a = args[i];
        const QString value = i + 1 < args.size() ? args[i + 1] : QString();
        if (compose && a == u"--style") {
            bool ok = false;
            r.Style = value.toInt(&ok);
            if (!ok || r.Style < 1 || r.Style > kPcalStyles)
                return QStringLiteral("--style には 1 から %1 のスタイル番号を指定してください。")
                    .arg(kPcalStyles);
            ++i;
        } else if (compose && a == u"--base") {
            if (value.isEmpty()) return QStringLiteral("--base には GIF ファイルが必要です。");
            r.Base = value;
            ++i;
        } else if (a == u"--gif" || a == u"--png" || (!compose && a == u"--jpg")) {
            if (value.isEmpty()) return QStringLiteral("%1 には出力ファイルが必要です。").arg(a);
            (a == u"--gif" ? r.Gif : a == u"--png" ? r.Png : r.Jpg) = value;
            ++i;
        } else if (!compose && a == u"--layout") {
            r.Layout = true;
        } else if (a == u"--today") {
            r.Today = QDate::fromString(value, Qt::ISODate);
            if (!r.Today.isValid())
                return QStringLiteral("--today は YYYY-MM-DD の形で指定してください。");
            ++i;
        } else if (a.startsWith(u"/K=") || a.startsWith(u"/D=") || a.startsWith(u"/D2=") ||
                   a.startsWith(u"/U=") || a.startsWith(u"/S=")) {
            r.Switches << a;
        } else {
            return QStringLiteral("%1 に使えない引数です: %2").arg(command, a);
        }
    }
    if (compose && r.Gif.isEmpty()) return QStringLiteral("--compose には --gif が必要です。");
    if (r.Gif.isEmpty() && r.Png.isEmpty() && r.Jpg.isEmpty())
        return QStringLiteral("--picture には --gif, --png, --jpg の少なくとも一つが必要です。");
    return std::nullopt;
}

int RunPictureCommand(const PictureRequest& request, const QString& programFolder,
                      const QString& settingsFolder, std::FILE* err) {
    ErrorStreamPrompt prompt(err);
    PromptScope scope(&prompt);
    std::unique_ptr<FixedClock> clock;
    if (request.Today.isValid())
        clock =
            std::make_unique<FixedClock>(QDateTime(request.Today, Clock::current().now().time()));
    // The settings are only read: nothing is made or moved.
    MainWindowPaths paths{programFolder, settingsFolder};
    paths.ReadOnlySettings = true;
    MainWindow window(paths, request.Switches);
    if (window.InitialisationFailed()) return 1;
    window.ShowInfoHook = [] { return false; };
    window.show();
    window.GoToMonth(QStringLiteral("%1%2")
                         .arg(request.Year, 4, 10, QChar(u'0'))
                         .arg(request.Month, 2, 10, QChar(u'0')));
    bool ok = true;
    const auto failed = [&](const QString& path, const QString& why) {
        std::fprintf(err, "korvane: %s に保存できません: %s\n", qUtf8Printable(path),
                     qUtf8Printable(why));
        ok = false;
    };
    QString error;
    QImage picture;
    if (request.Compose) {
        PcalContext context = window.PublicityContext();
        context.ReadOnlySettings = true;
        PublicityCalendarComposer composer(context, window.ShownGrid());
        if (request.Style > 0) composer.SetStyle(request.Style - 1);
        composer.SetBaseFile(request.Base);
        if (composer.BasePath().isEmpty()) {
            std::fprintf(err,
                         "korvane: スタイル %d のベース画像がありません (--base で指定できます)\n",
                         composer.Style() + 1);
            return 1;
        }
        if (!composer.Compose()) return 1;  // said
        if (!composer.WriteGif(request.Gif, &error)) failed(request.Gif, error);
        picture = composer.Picture();
    } else {
        picture = (request.Layout ? window.CaptureLayoutPicture() : window.CaptureMonthPicture())
                      .convertToFormat(QImage::Format_RGB32);
        if (!request.Gif.isEmpty() && !SaveGif(request.Gif, QuantiseForGif(picture), &error))
            failed(request.Gif, error);
    }
    if (!request.Jpg.isEmpty() && !SaveJpeg(request.Jpg, picture, &error))
        failed(request.Jpg, error);
    if (!request.Png.isEmpty()) {
        QBuffer png;  // the writer opens it
        if (!picture.save(&png, "PNG"))
            failed(request.Png, QStringLiteral("PNG にできません。"));
        else if (!WriteFileAtomically(request.Png, png.data(), &error))
            failed(request.Png, error);
    }
    return ok ? 0 : 1;
}

}  // namespace korvane
