#include "stationerysettings.h"

#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include <algorithm>

namespace korvane {
namespace {

const QString kNote = QStringLiteral("Note");
const QString kGraph = QStringLiteral("Graph");

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
    edtTateK = ini.ReadString(kNote, "edtTateK", edtTateK);
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

}  // namespace korvane
