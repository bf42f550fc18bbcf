#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace korvane {

// "--upload FILE [--host HOST[:PORT]] [--user USER] [--folder FOLDER]" and "--ftp-check [same]":
// the stored FTP settings, each overridden by its option; the password from KORVANE_FTP_PASSWORD
// when set (a command line is visible to every user), else the stored one.
struct UploadRequest {
    QString File;  // empty: the connection test
    std::optional<QString> Host, User, Folder;
};

// Parses the arguments after "--upload" (checkOnly false) or "--ftp-check"; the usage error's
// text, or nothing.
std::optional<QString> ParseUploadRequest(const QStringList& args, bool checkOnly,
                                          UploadRequest& request);

// 0 after a committed upload or a good connection; 1 with the message on err otherwise.
int RunUploadCommand(const UploadRequest& request, const QString& settingsFolder,
                     const QString& programFolder, std::FILE* out, std::FILE* err);

}  // namespace korvane
