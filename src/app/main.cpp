#include "app/commandline.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Korvane"));
    QCoreApplication::setOrganizationName(QStringLiteral("Norbel"));

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const QString folder = QDir(QCoreApplication::applicationDirPath()).absolutePath() + "/";
    korvane::CommandLine cli(args, folder);
    if (const std::optional<int> code = cli.run(stdout, stderr)) return *code;

    // The calendar window is not part of this build yet; say so instead of pretending.
    std::fputs("korvane: 画面はまだありません。使い方は korvane --help をご覧ください。\n", stderr);
    return 1;
}
