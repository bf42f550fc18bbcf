#include "stationerysettings.h"

#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include <algorithm>

namespace korvane {
namespace {

const QString kNote = QStringLiteral("Note");
const QString kGraph = QStringLiteral("Graph");
const QString kSoufu = QStringLiteral("Soufu");
const QString kFax = QStringLiteral("Fax");

// A reader of one section whose numbers stay within their controls' ranges.
struct SectionReader {
    const IniFile& ini;
    const QString& section;
    QString suffix;
    void number(const char* key, int& v, int lo, int hi) const {
        v = std::clamp(ini.ReadInteger(section, QLatin1String(key) + suffix, v), lo, hi);
    }
    void truth(const char* key, bool& v) const {
        v = ini.ReadBool(section, QLatin1String(key) + suffix, v);
    }
    void text(const char* key, QString& v) const {
        v = ini.ReadString(section, QLatin1String(key) + suffix, v);
    }
    void colour(const char* key, ColorValue& v) const {
        v = StringToColor(ini.ReadString(section, QLatin1String(key) + suffix, ColorToString(v)),
                          v);
    }
};

}  // namespace

void NoteSection::Read(const IniFile& ini) {
    const IniFile::Hold once(ini);
    const SectionReader r{ini, kNote};
    r.number("udNTop", udNTop, 0, 150);
    r.number("udNBottom", udNBottom, 0, 200);
    r.number("udNLeft", udNLeft, 0, 150);
    r.number("udNRight", udNRight, 0, 150);
    r.number("udS", udS, 10, 200);
    r.number("udGyo", udGyo, 1, 99);
    r.truth("cbHead", cbHead);
    r.colour("edtHead", edtHead);
    r.colour("edtColor", edtColor);
    r.text("edtTateK", edtTateK);
    const SectionReader widths{ini, kGraph};
    widths.number("udNW1", udNW1, 1, 9);
    widths.number("udNW2", udNW2, 1, 9);
    widths.number("udNW3", udNW3, 1, 9);
}

void NoteSection::Write(SettingsWriter& out) const {
    out.Integer(kNote, "udNTop", udNTop);
    out.Integer(kNote, "udNBottom", udNBottom);
    out.Integer(kNote, "udNLeft", udNLeft);
    out.Integer(kNote, "udNRight", udNRight);
    out.Integer(kNote, "udS", udS);
    out.Integer(kNote, "udGyo", udGyo);
    out.Bool(kNote, "cbHead", cbHead);
    out.String(kNote, "edtHead", ColorToString(edtHead));
    out.String(kNote, "edtColor", ColorToString(edtColor));
    out.String(kNote, "edtTateK", edtTateK);
    out.Integer(kGraph, "udNW1", udNW1);
    out.Integer(kGraph, "udNW2", udNW2);
    out.Integer(kGraph, "udNW3", udNW3);
}

void GraphSection::Read(const IniFile& ini, const QString& suffix) {
    const IniFile::Hold once(ini);
    const SectionReader r{ini, kGraph, suffix};
    r.number("udGTop", udGTop, 0, 150);
    r.number("udGBottom", udGBottom, 0, 200);
    r.number("udGLeft", udGLeft, 0, 150);
    r.number("udGRight", udGRight, 0, 150);
    r.number("udGH", udGH, 8, 1700);
    r.number("udGV", udGV, 8, 25000);
    r.number("udGMH", udGMH, 1, 200);
    r.number("udGMV", udGMV, 1, 270);
    if (suffix.isEmpty()) r.truth("cbGAuto", cbGAuto);
    r.colour("edtGColor", edtGColor);
    r.truth("cbGCLine", cbGCLine);
    r.number("udGW1", udGW1, 1, 9);
    r.number("udGW2", udGW2, 1, 9);
    r.number("udGW3", udGW3, 1, 9);
}

void GraphSection::Write(SettingsWriter& out, const QString& suffix) const {
    const auto key = [&](const char* name) { return QLatin1String(name) + suffix; };
    out.Integer(kGraph, key("udGTop"), udGTop);
    out.Integer(kGraph, key("udGBottom"), udGBottom);
    out.Integer(kGraph, key("udGLeft"), udGLeft);
    out.Integer(kGraph, key("udGRight"), udGRight);
    out.Integer(kGraph, key("udGH"), udGH);
    out.Integer(kGraph, key("udGV"), udGV);
    out.Integer(kGraph, key("udGMH"), udGMH);
    out.Integer(kGraph, key("udGMV"), udGMV);
    if (suffix.isEmpty()) out.Bool(kGraph, key("cbGAuto"), cbGAuto);
    out.String(kGraph, key("edtGColor"), ColorToString(edtGColor));
    out.Bool(kGraph, key("cbGCLine"), cbGCLine);
    out.Integer(kGraph, key("udGW1"), udGW1);
    out.Integer(kGraph, key("udGW2"), udGW2);
    out.Integer(kGraph, key("udGW3"), udGW3);
}

// The blank boxes of the recipient start ticked whatever was written.
void SoufuSection::Read(const IniFile& ini) {
    const IniFile::Hold once(ini);
    const SectionReader r{ini, kSoufu};
    r.number("rgSYoushi", rgSYoushi, 0, 1);
    r.truth("cbYMD", cbYMD);
    r.text("edtAtena1", edtAtena1);
    r.text("edtAtena2", edtAtena2);
    cbAtena = true;
    r.text("edtJuusho", edtJuusho);
    r.text("edtKaisha", edtKaisha);
    r.text("edtName", edtName);
    r.text("edtTel", edtTel);
    r.number("udOW1", udOW1, 1, 5);
    r.truth("cbOTensen", cbOTensen);
}

void SoufuSection::Write(SettingsWriter& out) const {
    out.Integer(kSoufu, "rgSYoushi", rgSYoushi);
    out.Bool(kSoufu, "cbYMD", cbYMD);
    out.String(kSoufu, "edtAtena1", edtAtena1);
    out.String(kSoufu, "edtAtena2", edtAtena2);
    out.Bool(kSoufu, "cbAtena", cbAtena);
    out.String(kSoufu, "edtJuusho", edtJuusho);
    out.String(kSoufu, "edtKaisha", edtKaisha);
    out.String(kSoufu, "edtName", edtName);
    out.String(kSoufu, "edtTel", edtTel);
    out.Integer(kSoufu, "udOW1", udOW1);
    out.Bool(kSoufu, "cbOTensen", cbOTensen);
}

void FaxSection::Read(const IniFile& ini) {
    const IniFile::Hold once(ini);
    const SectionReader r{ini, kFax};
    r.number("rgFYoushi", rgFYoushi, 0, 1);
    r.truth("cbFYMD", cbFYMD);
    r.text("edtFAtena1", edtFAtena1);
    r.text("edtFAtena2", edtFAtena2);
    cbFAtena = true;
    r.text("edtFKaisha", edtFKaisha);
    r.text("edtFName", edtFName);
    r.text("edtFFax", edtFFax);
    r.text("edtFTel", edtFTel);
    r.truth("cbFKeisen", cbFKeisen);
    r.colour("edtFColor", edtFColor);
    r.number("udFW1", udFW1, 1, 5);
    r.truth("cbFTensen", cbFTensen);
}

void FaxSection::Write(SettingsWriter& out) const {
    out.Integer(kFax, "rgFYoushi", rgFYoushi);
    out.Bool(kFax, "cbFYMD", cbFYMD);
    out.String(kFax, "edtFAtena1", edtFAtena1);
    out.String(kFax, "edtFAtena2", edtFAtena2);
    out.String(kFax, "edtFKaisha", edtFKaisha);
    out.String(kFax, "edtFName", edtFName);
    out.String(kFax, "edtFFax", edtFFax);
    out.String(kFax, "edtFTel", edtFTel);
    out.Bool(kFax, "cbFKeisen", cbFKeisen);
    out.String(kFax, "edtFColor", ColorToString(edtFColor));
    out.Integer(kFax, "udFW1", udFW1);
    out.Bool(kFax, "cbFTensen", cbFTensen);
}

}  // namespace korvane
