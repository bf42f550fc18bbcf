#include "mainsettings.h"

#include "settings/inifile.h"

#include <algorithm>

namespace korvane {
namespace {

int readClamped(const IniFile& ini, const char* section, const char* key, int def, int lo, int hi) {
    return std::clamp(ini.ReadInteger(section, key, def), lo, hi);
}

}  // namespace

void KorvaneIni::Read(const IniFile& ini) {
    const IniFile::Hold once(ini);
    SetteiSection& s = Settei;
    s.cb24ji = ini.ReadBool("Settei", "cb24ji", s.cb24ji);
    s.cbShiyouchuu = ini.ReadBool("Settei", "cbShiyouchuu", s.cbShiyouchuu);
    s.rgYFirstMonth = readClamped(ini, "Settei", "rgYFirstMonth", s.rgYFirstMonth, 0, 2);
    s.HyoujiIchi = readClamped(ini, "Settei", "HyoujiIchi", s.HyoujiIchi, 0, 1);
    s.fmC21Top = ini.ReadInteger("Settei", "fmC21Top", s.fmC21Top);
    s.fmC21Left = ini.ReadInteger("Settei", "fmC21Left", s.fmC21Left);
    s.rgStYoubi = readClamped(ini, "Settei", "rgStYoubi", s.rgStYoubi, 0, 1);
    s.visRokuyou = ini.ReadBool("Settei", "visRokuyou", s.visRokuyou);
    s.cbToubai = ini.ReadBool("Settei", "cbToubai", s.cbToubai);
    s.SpHajimariTuki = readClamped(ini, "Settei", "SpHajimariTuki", s.SpHajimariTuki, 1, 12);

    ImageOptionSection& o = Image;
    o.cbSs = false;
    o.cbSsUse = ini.ReadBool("Option", "cbSsUse", o.cbSsUse);
    o.cbSsDateTime = ini.ReadBool("Option", "cbSsDateTime", o.cbSsDateTime);
    o.edtSaveFolder = ini.ReadString("Option", "edtSaveFolder", o.edtSaveFolder);
    o.edtFile1 = ini.ReadString("Option", "edtFile1", o.edtFile1);
    o.edtPRC1 = ini.ReadString("Option", "edtPRC1", o.edtPRC1);
    o.edtC1 = ini.ReadString("Option", "edtC1", o.edtC1);
    o.edtC2 = ini.ReadString("Option", "edtC2", o.edtC2);
    o.edtC3 = ini.ReadString("Option", "edtC3", o.edtC3);
}

void KorvaneIni::Write(SettingsWriter& out) const {
    out.String("Header", "Version", Header.Version);
    out.String("Header", "Folder", Header.Folder);
    out.Integer("Option", "cbTColor", Title.cbTColor);
    out.String("Option", "edtTColor", Title.edtTColor);
    out.String("Option", "edtTCaption", Title.edtTCaption);
    const SetteiSection& s = Settei;
    out.Integer("Settei", "udCalSize", s.udCalSize);
    out.Bool("Settei", "cb24ji", s.cb24ji);
    out.Bool("Settei", "cbShiyouchuu", s.cbShiyouchuu);
    out.Integer("Settei", "rgYFirstMonth", s.rgYFirstMonth);
    out.Integer("Settei", "HyoujiIchi", s.HyoujiIchi);
    out.Integer("Settei", "fmC21Top", s.fmC21Top);
    out.Integer("Settei", "fmC21Left", s.fmC21Left);
    out.Integer("Settei", "rgStYoubi", s.rgStYoubi);
    out.Bool("Settei", "visRokuyou", s.visRokuyou);
    out.Bool("Settei", "cbToubai", s.cbToubai);
    out.Integer("Settei", "SpHajimariTuki", s.SpHajimariTuki);
    const ImageOptionSection& o = Image;
    out.Bool("Option", "cbSs", o.cbSs);
    out.Bool("Option", "cbSsUse", o.cbSsUse);
    out.Bool("Option", "cbSsDateTime", o.cbSsDateTime);
    out.String("Option", "edtSaveFolder", o.edtSaveFolder);
    out.String("Option", "edtFile1", o.edtFile1);
    out.String("Option", "edtPRC1", o.edtPRC1);
    out.String("Option", "edtC1", o.edtC1);
    out.String("Option", "edtC2", o.edtC2);
    out.String("Option", "edtC3", o.edtC3);
}

void PrintersSetSection::Read(const IniFile& ini) {
    const IniFile::Hold once(ini);
    cbPSelect = ini.ReadBool("Set", "cbPSelect", cbPSelect);
    cbSample = ini.ReadBool("Set", "cbSample", cbSample);
    cbReadSpl = ini.ReadBool("Set", "cbReadSpl", cbReadSpl);
    cbVelmar = ini.ReadBool("Set", "cbVelmar", cbVelmar);
    edtFolder1 = ini.ReadString("Set", "edtFolder1", edtFolder1);
    cbFTP = ini.ReadBool("Set", "cbFTP", cbFTP);
    cbSprite = ini.ReadBool("Set", "cbSprite", cbSprite);
    cbUetume = ini.ReadBool("Print", "cbUetume", false);
}

void PrintersSetSection::Write(SettingsWriter& out) const {
    out.Bool("Set", "cbPSelect", cbPSelect);
    out.Bool("Set", "cbSample", cbSample);
    out.Bool("Set", "cbReadSpl", cbReadSpl);
    out.Bool("Set", "cbVelmar", cbVelmar);
    out.String("Set", "edtFolder1", edtFolder1);
    out.Bool("Set", "cbFTP", cbFTP);
    out.Bool("Set", "cbSprite", cbSprite);
}

}  // namespace korvane
