#pragma once

#include <QString>

namespace korvane {

// The FTP settings of the calendar pictures, kept scrambled in "Korvane.bini" in the program
// folder (readable by its owner only).
struct FtpSettings {
    static constexpr const char* kFileName = "Korvane.bini";
    static constexpr const char* kPlaceholderPassword = "password";

    QString Server;
    QString UserID;
    QString Password = QString::fromLatin1(kPlaceholderPassword);
    QString CurrentDir = QStringLiteral("/");

    // The defaults when there is no file; false when a file is there but cannot be read.
    bool Load(const QString& programFolder);
    // Replaces the file; false when it cannot be written.
    bool Save(const QString& programFolder) const;
};

}  // namespace korvane
