#include "siblinglink.h"

#include "calendar/calendarcontrol.h"
#include "calendar/textlines.h"
#include "core/paths.h"
#include "core/prompt.h"
#include "settings/inifile.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

namespace korvane {
namespace {

const QString kCaption = QStringLiteral("確認 -Korvane-");

// A folder given by the sibling: a Linux path with a trailing "/".
QString folderFrom(const QString& text) { return WithTrailing(FromWindowsPath(text.trimmed())); }

QString withExtension(const QString& name, const QString& ext) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot < 0 ? name : name.left(dot)) + ext;
}

bool loadLines(const QString& folder, const QString& name, QStringList& lines,
               TextFileKind kind = TextFileKind::Cp932) {
    const QString path = FindFile(folder, name);
    if (path.isEmpty()) return false;
    LoadTextLines(lines, path, kind);
    return true;
}

}  // namespace

QString SiblingLink::MonthFileName(std::int32_t year, std::int32_t month) {
    return QStringLiteral("Ca%1%2.vlm")
        .arg(year, 4, 10, QChar(u'0'))
        .arg(month, 2, 10, QChar(u'0'));
}

void SiblingLink::LoadOptions(const QString& printersIni) {
    const IniFile ini(printersIni);
    Options.Read(ini);
}

void SiblingLink::Resolve(const QStringList& arguments) {
    DataFolder.clear();
    DataFolder2.clear();
    SiblingIniFolder.clear();
    StartFolder =
        Options.edtFolder1.trimmed().isEmpty() ? programFolder_ : folderFrom(Options.edtFolder1);
    SiblingKind = 0;
    for (const QString& a : arguments) {
        // Paths are taken whole: Linux knows no 254-character limit.
        if (a.startsWith(u"/K="))
            StartFolder = folderFrom(a.mid(3));
        else if (a.startsWith(u"/D2="))
            DataFolder2 = folderFrom(a.mid(4));
        else if (a.startsWith(u"/D="))
            DataFolder = folderFrom(a.mid(3));
        else if (a.startsWith(u"/U="))
            SiblingKind = a.size() > 3 && a[3].isDigit() && a[3].unicode() < 0x80
                              ? std::uint8_t(a[3].unicode() - u'0')
                              : 0;
        else if (a.startsWith(u"/S="))
            SiblingIniFolder = folderFrom(a.mid(3));
    }
    if (SiblingIniFolder.isEmpty()) SiblingIniFolder = StartFolder;

    const QString velmarIni = FindFile(SiblingIniFolder, QStringLiteral("Velmar.ini"));
    if (!velmarIni.isEmpty()) {
        const IniFile ini(velmarIni);
        DataForm = std::uint8_t(ini.ReadInteger("Set2", "yDataForm", 1));
        if (DataFolder.isEmpty()) DataFolder = ini.ReadString("Settei", "edFolder", QString());
        TabMojiSuu = std::clamp(ini.ReadInteger("NbMCal", "TabToSp", 2), 0, 255);
        TabChousei = std::clamp(ini.ReadInteger("NbMCal", "TabAdj", 150), 0, 255);
        ItemColor = StringToColor(ini.ReadString("Option", "edtCYotei", "$00484848"), ItemColor);
        RokuyoColor =
            StringToColor(ini.ReadString("Option", "edtCRokuyo", "$00484848"), RokuyoColor);
    }
    DataFolder = DataFolder.trimmed().isEmpty() ? StartFolder : folderFrom(DataFolder);

    if (!DataFolder2.isEmpty()) {
        MonthDataFolder = DataFolder2;
        CommonFolder = ParentFolder(MonthDataFolder);
        StartFolderPath = WithTrailing(StartFolder);
    } else if (DataForm == 2) {
        MonthDataFolder = DataFolder + QStringLiteral("Data/Files1/");
        CommonFolder = DataFolder + QStringLiteral("Data/");
        StartFolderPath = WithTrailing(StartFolder);
    } else {
        MonthDataFolder = DataFolder;
        CommonFolder = DataFolder;
        StartFolderPath = StartFolder;
    }

    if (SiblingKind == 0 && Options.cbVelmar && QFileInfo(StartFolder).isDir()) {
        if (FileExistsIn(StartFolder, QStringLiteral("Velmar.exe"))) SiblingKind = 1;
        if (FileExistsIn(StartFolder, QStringLiteral("Tesska.exe"))) SiblingKind = 2;
    }
}

bool SiblingLink::LoadRuleFiles(CalendarControl& calendar) const {
    // A bad rule line is reported; the rules read before it stay and the start goes on.
    auto apply = [&](bool holidays, const QStringList& lines) {
        const RuleLineProblems problems =
            holidays ? calendar.SetHolidayList(lines) : calendar.SetSpecialDayList(lines);
        if (!problems.empty())
            Prompt::current().message(
                holidays ? QStringLiteral("祭日ファイル読込ミス\r\n処理は続けます。")
                         : QStringLiteral("スペシャルDayファイル読込ミス\r\n処理は続けます。"),
                kCaption, Prompt::Kind::Information);
    };
    QStringList lines;
    const bool holidays =
        loadLines(StartFolderPath, QStringLiteral("Hday.dat"), lines, TextFileKind::HolidayRules);
    if (holidays) apply(true, lines);
    if (SiblingKind != 0 && loadLines(CommonFolder, QStringLiteral("Sday.vlm"), lines))
        apply(false, lines);
    if (calendar.SpecialDayList().isEmpty() &&
        loadLines(CommonFolder, QStringLiteral("Sday.smp"), lines))
        apply(false, lines);
    if (!IsLinked() && Options.cbReadSpl) calendar.SetSpecialDayList({});
    return holidays;
}

void SiblingLink::LoadMonthSlot(MonthPage& page, std::int32_t year, std::int32_t month) {
    if (!IsLinked() && Options.cbReadSpl) return;
    page.Year = year;
    page.Month = month;
    if (page.Lines.isEmpty()) {
        const QString name = MonthFileName(year, month);
        if (loadLines(MonthDataFolder, name, page.Lines)) {
        } else if (!Options.cbReadSpl &&
                   loadLines(MonthDataFolder, withExtension(name, ".smp"), page.Lines)) {
            const QString ym =
                QStringLiteral("%1%2").arg(year, 4, 10, QChar(u'0')).arg(month, 2, 10, QChar(u'0'));
            if (!SampleMonths.contains(ym)) SampleMonths += u',' + ym;
        } else {
            // An item on day 0: on no day, but the month is known to have been looked at.
            page.Lines = {QStringLiteral(" 0,0,9,%1/%2").arg(year, 4).arg(month, 2)};
        }
    }
    page.Count = std::int32_t(page.Lines.size());
}

void SiblingLink::LoadPeriodFile(QStringList& periods) const {
    if (!loadLines(MonthDataFolder, QStringLiteral("CaFromTo.vlm"), periods) && !Options.cbReadSpl)
        loadLines(MonthDataFolder, QStringLiteral("CaFromTo.smp"), periods);
    if (!IsLinked() && Options.cbReadSpl) periods.clear();
}

}  // namespace korvane
