#include "print/printsettings.h"

#include "../golden.h"
#include "core/codec.h"
#include "print/stationery/stationerysettings.h"

#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// Printers.ini's print and stationery sections against their recordings: as a new start writes
// them (every key in its order, the design values), and a file changing every key read and
// written back unchanged, so no key is left out of the reading or the writing.
TEST(PrintersIni, TheSectionsAsWrittenAndReadBack) {
    const auto written = [](const QByteArray& bytes) {
        const IniFile from = IniFile::InMemory(bytes);
        PrintSection print;
        NoteSection note;
        GraphSection graph, stored;
        SoufuSection soufu;
        FaxSection fax;
        print.Read(from);
        note.Read(from);
        graph.Read(from);
        stored.Read(from, QStringLiteral("_1"));
        soufu.Read(from);
        fax.Read(from);
        IniFile out = IniFile::InMemory();
        SaveProblems problems;
        SettingsWriter writer(out, problems);
        print.Write(writer);
        note.Write(writer);
        graph.Write(writer);
        stored.Write(writer, QStringLiteral("_1"));
        soufu.Write(writer);
        fax.Write(writer);
        writer.Commit();
        EXPECT_TRUE(problems.empty());
        return out.Bytes();
    };
    EXPECT_TRUE(testing::MatchesIniRoundTrip("Ini_printers", written));
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
