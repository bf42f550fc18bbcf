#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <optional>

namespace korvane {

// "--picture YYYYMM [--gif FILE] [--png FILE] [--jpg FILE] [--layout]": the calendar picture of
// a month made without a display, as 実行 of the カレンダ画像 menu takes it (with --layout, as
// its 今月 entry takes the layout window).
struct PictureRequest {
    std::int32_t Year = 0;
    int Month = 0;
    QString Gif, Png, Jpg;
    bool Layout = false;  // the layout window's picture instead of the main window's
    // "--compose YYYYMM [--style N] [--base FILE] --gif FILE [--png FILE]": the publicity
    // calendar of 広報２ instead, in the stored style or style N (1–5), on FILE as its base.
    bool Compose = false;
    int Style = 0;  // 0: the stored one
    QString Base;
    QDate Today;           // invalid: today
    QStringList Switches;  // the sibling's switches, as for the agenda
};

// Parses the arguments after "--picture" (or "--compose"); answers the usage error's text, or
// nothing.
std::optional<QString> ParsePictureRequest(const QStringList& args, PictureRequest& request,
                                           bool compose = false);

// Makes the files: 0 all written, 1 the window could not start or a file could not be written
// (said on err). Needs a QApplication.
int RunPictureCommand(const PictureRequest& request, const QString& programFolder,
                      const QString& settingsFolder, std::FILE* err);

}  // namespace korvane
