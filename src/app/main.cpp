#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/settingsfolder.h"
#include "app/setupinstall.h"
#include "app/singleinstance.h"
#include "app/windowpictures.h"
#include "app/windowplacement.h"
#include "core/fonts.h"
#include "core/paths.h"
#include "core/prompt.h"
#include "publish/ftptransfer.h"
#include "widgets/qtprompt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>

#include <cstdio>
#include <exception>

namespace {

using namespace korvane;

QString configFolder() {
    return WithTrailing(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
           QStringLiteral("Norbel/Korvane/");
}

int run(int argc, char* argv[]) {
    // The query commands run without a display.
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    std::optional<ScreenshotRequest> shots;
    std::optional<AgendaRequest> agenda;
    std::optional<PrintRequest> print;
    std::optional<PictureRequest> picture;
    std::optional<UploadRequest> upload;
    {
        QCoreApplication probe(argc, argv);
        const QString folder = ProgramFolder();
        korvane::CommandLine cli(args, folder);
        if (const std::optional<int> code = cli.run(stdout, stderr)) return *code;
        shots = cli.Screenshot();
        agenda = cli.Agenda();
        print = cli.Print();
        picture = cli.Picture();
        upload = cli.Upload();
    }
    // The pictures, the agenda and the pages are made without a display.
    if ((shots || agenda || print || picture || upload) &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // The commands' options are Korvane's own: Qt must not take "--style N" for its widget style.
    int qtArgc = shots || agenda || print || picture || upload ? 1 : argc;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setOrganizationName(QStringLiteral("Norbel"));
    SetApplicationFont();
    const QString programFolder = ProgramFolder();

    // Only read: no folder is made and nothing moves.
    const auto readOnlySettingsFolder = [&] {
        return QFileInfo(programFolder + QStringLiteral("localfol.vlm")).isFile() ? programFolder
                                                                                  : configFolder();
    };
    if (agenda)
        return WriteAgenda(*agenda, programFolder, readOnlySettingsFolder(), stdout, stderr);
    if (print) return RunPrintCommand(*print, programFolder, readOnlySettingsFolder(), stderr);
    if (picture)
        return RunPictureCommand(*picture, programFolder, readOnlySettingsFolder(), stderr);
    if (upload)
        return RunUploadCommand(*upload, readOnlySettingsFolder(), programFolder, stdout, stderr);

    if (shots) {
        ScriptedPrompt quiet;  // no message box may wait for an answer here
        // The pictures neither make folders nor move files: the settings are only read.
        MainWindowPaths paths{programFolder, readOnlySettingsFolder()};
        paths.ReadOnlySettings = true;
        MainWindow window(paths, {}, shots->Small);
        if (window.InitialisationFailed()) return 1;
        window.ShowInfoHook = [] { return false; };  // the reminder is one of the pictures
        window.show();
        if (!shots->Month.isEmpty()) window.GoToMonth(shots->Month);
        if (!SaveWindowPictures(window, shots->Folder)) {
            std::fprintf(stderr, "korvane: %s に保存できません。\n", qUtf8Printable(shots->Folder));
            return 1;
        }
        return 0;
    }

    // "Velmar2Ju.$$$" in the working folder lets the sibling (or a set-up) start a second copy.
    SingleInstance instance(SingleInstance::DefaultKey());
    const bool singleCopy = !QFileInfo(QString::fromUtf16(kSecondCopyMarker)).isFile();
    if (singleCopy && instance.AskRunningCopy()) return 0;

    QtPrompt prompt;
    Prompt::install(&prompt);
    const QRect work = app.primaryScreen() ? app.primaryScreen()->availableGeometry() : QRect();
    const SettingsFolderChoice place = ChooseSettingsFolder(programFolder, configFolder());
    MainWindow window({programFolder, place.Folder, place.FirstRunFlag, place.RunFromCd}, args);
    // Compact only where the normal window, with its title bar and border, would not fit: a
    // small screen, not merely a high scaling factor.
    const QStyle* style = app.style();
    const int border = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    if (NeedsCompactWindow(
            window.sizeHint() +
                QSize(border, border + style->pixelMetric(QStyle::PM_TitleBarHeight)),
            work))
        window.UseCompactLayout();
    prompt.setParent(&window);
    if (window.InitialisationFailed()) {
        Prompt::install(nullptr);
        return 1;
    }
    if (singleCopy)
        instance.Listen([&window] {
            window.showNormal();
            window.raise();
            window.activateWindow();
        });
    window.show();
    // Started by a set-up: this copy runs, so the marker that let it start goes.
    if (const QString marker = qEnvironmentVariable(kRestartMarkerVariable); !marker.isEmpty()) {
        qunsetenv(kRestartMarkerVariable);
        if (QFileInfo(marker).fileName() == QString::fromUtf16(kSecondCopyMarker))
            QFile::remove(marker);
    }
    const int code = app.exec();
    Prompt::install(nullptr);
    return code;
}

}  // namespace

int main(int argc, char* argv[]) {
    const korvane::CurlGlobal curl;  // before any thread
    // Whatever escapes is reported, never a silent abort.
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvane: 予期しないエラーで終了します: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "korvane: 予期しないエラーで終了します。\n");
    }
    return 1;
}
