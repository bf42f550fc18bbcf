#pragma once

#include "settings/inifile.h"

#include <QString>
#include <QStringList>

#include <map>

namespace korvane {

// What a save could not store: reason -> the keys it kept from being written.
using SaveProblems = std::map<QString, QStringList>;

// Writes key by key: a value the file cannot take keeps its stored text and is noted with the
// reason; every other key is still saved. The keys are changed in memory and written to the file
// at Commit(), in one go.
class SettingsWriter {
public:
    SettingsWriter(IniFile& ini, SaveProblems& problems)
        : ini_(ini), problems_(problems), hold_(ini) {}
    // Writes the file; when it cannot, the reason is noted against the file's name.
    void Commit() {
        try {
            hold_.Commit();
        } catch (const std::exception& e) {
            problems_[QString::fromUtf8(e.what())] << ini_.FileName().section(u'/', -1);
        }
    }
    void String(const QString& section, const QString& key, const QString& value) {
        try {
            ini_.WriteString(section, key, value);
        } catch (const std::exception& e) {
            problems_[QString::fromUtf8(e.what())] << key;
        }
    }
    void Integer(const QString& section, const QString& key, int value) {
        String(section, key, QString::number(value));
    }
    void Bool(const QString& section, const QString& key, bool value) {
        String(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
    }

private:
    IniFile& ini_;
    SaveProblems& problems_;
    IniFile::Hold hold_;
};

}  // namespace korvane
