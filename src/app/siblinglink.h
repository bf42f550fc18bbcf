#pragma once

#include "app/mainsettings.h"
#include "calendar/monthlayout.h"
#include "core/colortext.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace korvane {

class CalendarControl;

// The settings-page options that decide the link, as stored in Printers.ini.
using LinkOptions = PrintersSetSection;

// Where the sibling schedule program keeps its files, and the reading of them. Korvane only reads
// these files. Folders carry a trailing "/"; Windows paths from the sibling (under Wine) are
// turned into Linux paths.
class SiblingLink {
public:
    explicit SiblingLink(QString programFolder) : programFolder_(std::move(programFolder)) {}

    LinkOptions Options;

    QString StartFolder;
    QString DataFolder;
    QString DataFolder2;
    QString SiblingIniFolder;
    std::uint8_t SiblingKind = 0;  // 0 none, 1 Velmar, 2 Tesska
    std::uint8_t DataForm = 0;
    QString MonthDataFolder;
    QString CommonFolder;
    QString StartFolderPath;
    QString SampleMonths;
    ColorValue RokuyoColor = ColorValue(0x484848);
    // Month grid options from the sibling's settings.
    int TabMojiSuu = 2;
    int TabChousei = 150;
    ColorValue ItemColor = ColorValue(0x484848);

    bool IsLinked() const { return SiblingKind != 0 || Options.cbVelmar; }

    // Reads the options from Printers.ini (the current values are the defaults), then resolves
    // the folders and the kind from the command line and the sibling's Velmar.ini.
    void LoadOptions(const QString& printersIni);
    void Resolve(const QStringList& arguments);
    // Holiday and special-day files into the calendar; read errors are reported and the start
    // goes on. False when there is no holiday file.
    bool LoadRuleFiles(CalendarControl& calendar) const;
    // Fills a page for a month (a page that already has lines keeps them).
    void LoadMonthSlot(MonthPage& page, std::int32_t year, std::int32_t month);
    void LoadPeriodFile(QStringList& periods) const;

    static QString MonthFileName(std::int32_t year, std::int32_t month);

private:
    QString programFolder_;
};

}  // namespace korvane
