#pragma once

#include "core/colortext.h"

#include <QString>

namespace korvane {

class IniFile;
class SettingsWriter;

// Printers.ini [Note], and the note's three line widths that live in [Graph]. Lengths in mm
// (margins) and 0.1 mm (spacing, widths).
struct NoteSection {
    int udNTop = 20, udNBottom = 10, udNLeft = 25, udNRight = 10;
    int udS = 80;    // line spacing
    int udGyo = 32;  // rows, refreshed from the page
    bool cbHead = true;
    ColorValue edtHead = 723967;  // RGB FF0B0B
    ColorValue edtColor = 0x808080;
    QString edtTateK;  // vertical rules: "250,100" is 25 mm in, then 10 mm further
    int udNW1 = 3, udNW2 = 2, udNW3 = 2;

    // Missing keys keep the current values; numbers are kept within their controls' ranges.
    void Read(const IniFile& ini);
    void Write(SettingsWriter& out) const;
    bool operator==(const NoteSection&) const = default;
};

// The graph paper's cells, margins and lines: the window's own [Graph] keys, or with the suffix
// "_1" the set stored by 保存 (which leaves the automatic count out).
struct GraphSection {
    int udGTop = 25, udGBottom = 10, udGLeft = 25, udGRight = 10;
    int udGH = 100, udGV = 100;  // cell width and height, 0.1 mm
    int udGMH = 17, udGMV = 25;  // cells across and down
    bool cbGAuto = true;
    ColorValue edtGColor = 0x808080;
    bool cbGCLine = false;
    int udGW1 = 6, udGW2 = 4, udGW3 = 2;  // frame, rules, centre lines
    int udTateChou = 0;                   // hidden: added to the inner vertical rules

    void Read(const IniFile& ini, const QString& suffix = {});
    void Write(SettingsWriter& out, const QString& suffix = {}) const;
    bool operator==(const GraphSection&) const = default;
};

// Printers.ini [Soufu]: the cover letter. The date and the recipient's blank box are the window's
// state: the date is not stored, and the blank box always starts ticked (it is written only).
struct SoufuSection {
    int rgSYoushi = 0;  // 0 A4, 1 B5
    bool cbYMD = true;  // a blank date to write in
    QString edtYMD;     // the date printed when cbYMD is off
    QString edtAtena1 = QStringLiteral("[空白]のチェックをはずすと記入した物が印刷されます。");
    QString edtAtena2 = QStringLiteral("基本的に<所属>と<名前>を記入。右寄せになります。");
    bool cbAtena = true;  // no recipient printed
    QString edtJuusho = QStringLiteral("<住所>を記入してください。");
    QString edtKaisha = QStringLiteral("<会社名>等を入力してください。");
    QString edtName = QStringLiteral("基本的に<所属>と<名前>を入力してください。");
    QString edtTel = QStringLiteral("基本的に<Tel>と<Fax>番号を市外局番から入力してください。");
    int udOW1 = 2;  // rule width, 0.1 mm
    bool cbOTensen = false;

    void Read(const IniFile& ini);
    void Write(SettingsWriter& out) const;
    bool operator==(const SoufuSection&) const = default;
};

// Printers.ini [Fax]: the fax cover sheet; its date and blank box as the cover letter's.
struct FaxSection {
    int rgFYoushi = 0;
    bool cbFYMD = true;
    QString edtFYMD;
    QString edtFAtena1 = QStringLiteral("基本的に会社名等を入力してください。");
    QString edtFAtena2 = QStringLiteral("基本的に<所属>と<名前>を記入。");
    bool cbFAtena = true;  // not stored
    QString edtFKaisha = QStringLiteral("<会社名>等を入力してください。");
    QString edtFName = QStringLiteral("<所属>と<名前>を入力してください。");
    QString edtFFax = QStringLiteral("Ｆａｘ番号（市外局番から入力）");
    QString edtFTel = QStringLiteral("電話番号（市外局番から入力）");
    bool cbFKeisen = true;  // the message lines
    ColorValue edtFColor = 0x808080;
    int udFW1 = 2;
    bool cbFTensen = false;

    void Read(const IniFile& ini);
    void Write(SettingsWriter& out) const;
    bool operator==(const FaxSection&) const = default;
};

}  // namespace korvane
