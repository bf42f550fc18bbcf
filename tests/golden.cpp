#include "golden.h"

#include "core/codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace korvane::testing {

namespace {

QString differences(const QString& name, const QString& dump) {
    const QString golden = QStringLiteral(KORVANE_GOLDEN_DIR "/%1.txt").arg(name);
    QFile file(golden);
    const QString stored =
        file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    if (stored == dump) return {};
    const bool update = qEnvironmentVariableIsSet("KORVANE_UPDATE_GOLDEN");
    const QString fresh =
        update ? golden : QStringLiteral(KORVANE_BIN_DIR "/../golden-new/%1.txt").arg(name);
    QDir().mkpath(QFileInfo(fresh).absolutePath());
    QFile out(fresh);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(dump.toUtf8()) < 0)
        return QStringLiteral("cannot write %1").arg(fresh);
    out.close();
    if (update) return {};
    QProcess diff;
    diff.start(QStringLiteral("diff"), {QStringLiteral("-u"), golden, fresh});
    diff.waitForFinished(30000);
    QString shown = QString::fromUtf8(diff.readAllStandardOutput());
    if (shown.size() > 20000) shown = shown.left(20000) + QStringLiteral("\n…");
    return QStringLiteral(
               "%1 differs from the recording (new dump: %2; "
               "scripts/update-golden rewrites it):\n%3")
        .arg(golden, fresh, shown);
}

::testing::AssertionResult verdict(const QString& differences) {
    if (differences.isEmpty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differences.toStdString();
}

}  // namespace

::testing::AssertionResult MatchesRecording(const QString& name, const QString& dump) {
    return verdict(differences(name, dump));
}

QByteArray ChangedIni(const QString& name) {
    QFile file(QStringLiteral(KORVANE_GOLDEN_DIR "/%1_changed.txt").arg(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return Cp932::encode(QString::fromUtf8(file.readAll()).replace(u'\n', QStringLiteral("\r\n")))
        .value_or(QByteArray());
}

::testing::AssertionResult MatchesIniRoundTrip(
    const QString& name, const std::function<QByteArray(QByteArray)>& written) {
    const auto text = [](const QByteArray& bytes) {
        return Cp932::decode(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    };
    const QByteArray changed = ChangedIni(name);
    if (changed.isEmpty()) return verdict(name + QStringLiteral("_changed: missing or not CP932"));
    return verdict(differences(name + QStringLiteral("_defaults"), text(written({}))) +
                   differences(name + QStringLiteral("_changed"), text(written(changed))));
}

}  // namespace korvane::testing
