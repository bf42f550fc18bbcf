#pragma once

#include "app/agenda.h"
#include "app/picturecommand.h"
#include "app/printcommand.h"
#include "app/uploadcommand.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace korvane {

// "--screenshot DIR [--month YYYYMM] [--small]": render the windows to PNG files and end.
struct ScreenshotRequest {
    QString Folder;
    QString Month;  // YYYYMM, empty for the current month
    bool Small = false;
};

// The query commands of the command line, run without a window. run() answers the exit code, or
// nothing when the arguments ask for the window.
class CommandLine {
public:
    // programFolder ends with "/"; the shipped Hday.dat is looked for there.
    CommandLine(QStringList arguments, QString programFolder);

    std::optional<int> run(std::FILE* out, std::FILE* err);

    static QString helpText();
    // Set by run() when the arguments ask for the window pictures.
    const std::optional<ScreenshotRequest>& Screenshot() const { return screenshot_; }
    // Set by run() for "--agenda".
    const std::optional<AgendaRequest>& Agenda() const { return agenda_; }
    // Set by run() for "--print".
    const std::optional<PrintRequest>& Print() const { return print_; }
    // Set by run() for "--picture".
    const std::optional<PictureRequest>& Picture() const { return picture_; }
    // Set by run() for "--upload" and "--ftp-check".
    const std::optional<UploadRequest>& Upload() const { return upload_; }

private:
    int days(std::FILE* out, std::FILE* err);
    int usageError(std::FILE* err, const QString& message);
    std::optional<int> screenshot(std::FILE* err);
    std::optional<int> agenda(std::FILE* err);
    std::optional<int> print(std::FILE* err);

    QStringList args_;
    QString programFolder_;
    std::optional<ScreenshotRequest> screenshot_;
    std::optional<AgendaRequest> agenda_;
    std::optional<PrintRequest> print_;
    std::optional<PictureRequest> picture_;
    std::optional<UploadRequest> upload_;
};

}  // namespace korvane
