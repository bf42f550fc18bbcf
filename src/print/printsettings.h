#pragma once

#include <QString>

namespace korvane {

class IniFile;
class SettingsWriter;

// Printers.ini [Print]: the print window's calendar options, in the order they are stored.
struct PrintSection {
    bool cbExTitle = true;
    bool cbExDate = true;
    QString edtExTitle = QStringLiteral("予定表");
    int rgExTitle = 1;  // 0 年月, 1 年月+タイトル, 2 タイトルのみ
    bool cbSaijitu = true;
    bool cbKinenbi = true;
    bool cbNaiyou = true;
    bool cbUetume = false;
    bool cbAmikake = true;
    int upDown1 = 0;  // top adjustment, mm
    int upDown2 = 0;  // left adjustment, mm
    bool cbSmall = false;
    bool cbNotPrev = false;
    bool cbWB = false;
    bool rbFontM = false;
    bool rbFontG = true;
    bool cbKeisen = true;
    int udMB5 = 5;
    int udMA4W = 3;
    int udMA4 = 5;
    int udMA3 = 7;

    // Missing keys keep the current values; numbers are kept within their controls' ranges.
    void Read(const IniFile& ini);
    void Write(SettingsWriter& out) const;
    bool operator==(const PrintSection&) const = default;
};

}  // namespace korvane
