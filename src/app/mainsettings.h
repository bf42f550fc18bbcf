#pragma once

#include "settings/settingswriter.h"

#include <QString>

namespace korvane {

class IniFile;

// The settings files of the main window as plain values, one struct per section. Reading takes
// the current values as the defaults; writing goes key by key in the files' fixed order.

// Korvane.ini [Header]: written for other tools, never read.
struct HeaderSection {
    QString Version = QStringLiteral("Ver1.2.1");
    QString Folder;  // the program folder

    bool operator==(const HeaderSection&) const = default;
};

// Korvane.ini [Option], the title keys: fixed values, never read.
struct TitleOptionSection {
    int cbTColor = 0;
    QString edtTColor = QStringLiteral("clBlack");
    QString edtTCaption;

    bool operator==(const TitleOptionSection&) const = default;
};

// Korvane.ini [Settei].
struct SetteiSection {
    int udCalSize = 1;  // 0 three lines, 1 five lines; stored only, not read
    bool cb24ji = false;
    bool cbShiyouchuu = true;
    int rgYFirstMonth = 0;  // 0 calendar year, 1 business year, 2 from SpHajimariTuki
    int HyoujiIchi = 0;     // 0 centred, 1 where it was at exit
    int fmC21Top = 0;
    int fmC21Left = 0;
    int rgStYoubi = 0;  // 0 Sunday, 1 Monday
    bool visRokuyou = false;
    bool cbToubai = true;
    int SpHajimariTuki = 1;

    bool operator==(const SetteiSection&) const = default;
};

// Korvane.ini [Option], the calendar-picture keys.
struct ImageOptionSection {
    bool cbSs = false;  // cleared at every start
    bool cbSsUse = false;
    bool cbSsDateTime = true;
    QString edtSaveFolder;  // the program folder by default
    QString edtFile1 = QStringLiteral("KorMonth");
    QString edtPRC1 = QStringLiteral("InfoMonth");
    QString edtC1 = QStringLiteral("Month1");
    QString edtC2 = QStringLiteral("Month2");
    QString edtC3 = QStringLiteral("Month3");

    bool operator==(const ImageOptionSection&) const = default;
};

struct KorvaneIni {
    static constexpr const char* kFileName = "Korvane.ini";

    HeaderSection Header;
    TitleOptionSection Title;
    SetteiSection Settei;
    ImageOptionSection Image;

    // Numbers out of their range are brought into it, so none indexes past a choice.
    void Read(const IniFile& ini);
    void Write(SettingsWriter& out) const;
    bool operator==(const KorvaneIni&) const = default;
};

// Printers.ini [Set] and [Print] as far as the main window uses them.
struct PrintersSetSection {
    bool cbPSelect = true;
    bool cbSample = true;    // hide the sample button
    bool cbReadSpl = false;  // do not read sample data
    bool cbVelmar = false;   // use the sibling's data
    QString edtFolder1;      // the sibling's start folder
    bool cbFTP = false;
    bool cbSprite = true;   // no sprite screen
    bool cbUetume = false;  // [Print]: month grid items packed to the top; read only

    void Read(const IniFile& ini);
    void Write(SettingsWriter& out) const;
    bool operator==(const PrintersSetSection&) const = default;
};

}  // namespace korvane
