#include "print/printsettings.h"

#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// Every key comes back as written: none is left out of the reading or the writing.
TEST(PrintSection, EveryKeyRoundTrips) {
    PrintSection changed;
    changed.cbExTitle = false;
    changed.cbExDate = false;
    changed.edtExTitle = QStringLiteral("社内行事");
    changed.rgExTitle = 0;
    changed.cbSaijitu = false;
    changed.cbKinenbi = false;
    changed.cbNaiyou = false;
    changed.cbUetume = true;
    changed.cbAmikake = false;
    changed.upDown1 = -7;
    changed.upDown2 = 9;
    changed.cbSmall = true;
    changed.cbNotPrev = true;
    changed.cbWB = true;
    changed.rbFontM = true;
    changed.rbFontG = false;
    changed.cbKeisen = false;
    changed.udMB5 = 7;
    changed.udMA4W = 5;
    changed.udMA4 = 3;
    changed.udMA3 = 9;
    IniFile ini = IniFile::InMemory();
    SaveProblems problems;
    SettingsWriter out(ini, problems);
    changed.Write(out);
    out.Commit();
    EXPECT_TRUE(problems.empty());
    PrintSection read;
    read.Read(ini);
    EXPECT_EQ(read, changed);
    // Nothing stored: the design values stay.
    PrintSection fresh;
    fresh.Read(IniFile::InMemory());
    EXPECT_EQ(fresh, PrintSection());
}

TEST(PrintSection, NumbersAreKeptInTheirRanges) {
    const struct {
        const char* key;
        int stored;
        int PrintSection::*field;
        int expected;
    } table[] = {
        {"rgExTitle", -1, &PrintSection::rgExTitle, 0},
        {"rgExTitle", 3, &PrintSection::rgExTitle, 2},
        {"upDown1", 101, &PrintSection::upDown1, 100},
        {"upDown2", -101, &PrintSection::upDown2, -100},
        {"udMB5", 2, &PrintSection::udMB5, 3},
        {"udMB5", 8, &PrintSection::udMB5, 7},
        {"udMA4W", 1, &PrintSection::udMA4W, 2},
        {"udMA4W", 6, &PrintSection::udMA4W, 5},
        {"udMA4", 0, &PrintSection::udMA4, 3},
        {"udMA4", 99, &PrintSection::udMA4, 7},
        {"udMA3", 4, &PrintSection::udMA3, 5},
        {"udMA3", 10, &PrintSection::udMA3, 9},
    };
    for (const auto& row : table) {
        IniFile ini = IniFile::InMemory();
        ini.WriteInteger(QStringLiteral("Print"), QString::fromLatin1(row.key), row.stored);
        PrintSection s;
        s.Read(ini);
        EXPECT_EQ(s.*row.field, row.expected) << row.key << "=" << row.stored;
    }
}

}  // namespace
}  // namespace korvane
