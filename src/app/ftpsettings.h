#pragma once

#include <QString>
#include <array>

namespace korvane {

// The FTP settings of the calendar pictures, kept scrambled in "Korvane.bini" in the settings
// folder, readable by its owner only. A copy an older version left beside the program is read
// when the settings folder has none, and moved there at the next save.
struct FtpSettings {
    static constexpr const char* kFileName = "Korvane.bini";

    QString Server;
    QString UserID;
    // Empty without a file: a word put in the box would be sent to a server as a password.
    QString Password;
    QString CurrentDir = QStringLiteral("/");

    // The defaults when there is no file; false when a file is there but cannot be read.
    bool Load(const QString& settingsFolder, const QString& programFolder);
    // Writes the file when the values differ from those loaded or it is to be moved; false when
    // it cannot be written.
    bool Save(const QString& settingsFolder);

private:
    std::array<QString, 4> values() const { return {Server, UserID, Password, CurrentDir}; }
    QString loadedFrom_;                        // the file the values came from; empty: none
    std::array<QString, 4> stored_ = values();  // the values as that file holds them
};

}  // namespace korvane
