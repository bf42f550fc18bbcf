#include "printsettings.h"

#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include <algorithm>

namespace korvane {
namespace {
const QString kSection = QStringLiteral("Print");
}

void PrintSection::Read(const IniFile& ini) {
    const IniFile::Hold once(ini);
    const auto b = [&](const char* key, bool& v) { v = ini.ReadBool(kSection, key, v); };
    const auto i = [&](const char* key, int& v, int lo, int hi) {
        v = std::clamp(ini.ReadInteger(kSection, key, v), lo, hi);
    };
    b("cbExTitle", cbExTitle);
    b("cbExDate", cbExDate);
    edtExTitle = ini.ReadString(kSection, "edtExTitle", edtExTitle);
    i("rgExTitle", rgExTitle, 0, 2);
    b("cbSaijitu", cbSaijitu);
    b("cbKinenbi", cbKinenbi);
    b("cbNaiyou", cbNaiyou);
    b("cbUetume", cbUetume);
    b("cbAmikake", cbAmikake);
    i("upDown1", upDown1, -100, 100);
    i("upDown2", upDown2, -100, 100);
    b("cbSmall", cbSmall);
    b("cbNotPrev", cbNotPrev);
    b("cbWB", cbWB);
    b("rbFontM", rbFontM);
    b("rbFontG", rbFontG);
    b("cbKeisen", cbKeisen);
    i("udMB5", udMB5, 3, 7);
    i("udMA4W", udMA4W, 2, 5);
    i("udMA4", udMA4, 3, 7);
    i("udMA3", udMA3, 5, 9);
}

void PrintSection::Write(SettingsWriter& out) const {
    out.Bool(kSection, "cbExTitle", cbExTitle);
    out.Bool(kSection, "cbExDate", cbExDate);
    out.String(kSection, "edtExTitle", edtExTitle);
    out.Integer(kSection, "rgExTitle", rgExTitle);
    out.Bool(kSection, "cbSaijitu", cbSaijitu);
    out.Bool(kSection, "cbKinenbi", cbKinenbi);
    out.Bool(kSection, "cbNaiyou", cbNaiyou);
    out.Bool(kSection, "cbUetume", cbUetume);
    out.Bool(kSection, "cbAmikake", cbAmikake);
    out.Integer(kSection, "upDown1", upDown1);
    out.Integer(kSection, "upDown2", upDown2);
    out.Bool(kSection, "cbSmall", cbSmall);
    out.Bool(kSection, "cbNotPrev", cbNotPrev);
    out.Bool(kSection, "cbWB", cbWB);
    out.Bool(kSection, "rbFontM", rbFontM);
    out.Bool(kSection, "rbFontG", rbFontG);
    out.Bool(kSection, "cbKeisen", cbKeisen);
    out.Integer(kSection, "udMB5", udMB5);
    out.Integer(kSection, "udMA4W", udMA4W);
    out.Integer(kSection, "udMA4", udMA4);
    out.Integer(kSection, "udMA3", udMA3);
}

}  // namespace korvane
