#include "print/stationery/stationeryjob.h"

#include "pagedump.h"

#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// Full-width type: every character as wide as the font is high (or half that, where the long
// sentence is to fit on one line).
TextMeasurer fullWidth(int percent = 100) {
    return [percent](const QString& t, int h) { return int(t.size()) * h * percent / 100; };
}
const QDate kToday(2026, 12, 9);

// Each sheet as recorded, against tests/print/golden (scripts/update-golden rewrites them).
struct LetterGolden {
    const char* name;
    std::function<void(PageCanvas&)> record;
};
CoverLetter cover(void (*change)(SoufuSection&), LetterPlace place = {.Today = kToday},
                  int percent = 100) {
    SoufuSection s;
    if (change) change(s);
    return ComputeCoverLetter(s, place, fullWidth(percent));
}
FaxSheet fax(void (*change)(FaxSection&), LetterPlace place = {.Today = kToday}) {
    FaxSection f;
    if (change) change(f);
    return ComputeFaxSheet(f, place, fullWidth());
}
const LetterGolden kLetters[] = {
    {"Soufu_A4", [](PageCanvas& c) { RecordCoverLetter(c, cover(nullptr)); }},
    // The sentence on one line: all from 敬具 down moves up a line.
    {"Soufu_A4_one_line",
     [](PageCanvas& c) { RecordCoverLetter(c, cover(nullptr, {.Today = kToday}, 50)); }},
    {"Soufu_B5_dashed",
     [](PageCanvas& c) {
         RecordCoverLetter(
             c, cover([](SoufuSection& s) { s.cbOTensen = true; }, {PaperKind::B5, 0, 0, kToday}));
     }},
    // The longer recipient line sets the rules' end; the lower is right-aligned.
    {"Soufu_A4_moved_two_recipients",
     [](PageCanvas& c) {
         RecordCoverLetter(c, cover(
                                  [](SoufuSection& s) {
                                      s.cbAtena = false;
                                      s.edtAtena1 = QStringLiteral("山田様");
                                      s.edtAtena2 = QStringLiteral("株式会社　総務部");
                                  },
                                  {PaperKind::A4, -5, 3, kToday}));
     }},
    // One line written: centred between the rules, trimmed, the typed date as typed.
    {"Soufu_A4_one_recipient",
     [](PageCanvas& c) {
         RecordCoverLetter(c, cover([](SoufuSection& s) {
                               s.cbAtena = false;
                               s.edtAtena1 = QStringLiteral("  ");
                               s.edtAtena2 = QStringLiteral("  佐藤様 ");
                               s.cbYMD = false;
                               s.edtYMD = QStringLiteral(" 令和8年12月9日 ");
                           }));
     }},
    {"Fax_A4", [](PageCanvas& c) { RecordFaxSheet(c, fax(nullptr)); }},
    {"Fax_B5_no_lines",
     [](PageCanvas& c) {
         RecordFaxSheet(c, fax(
                               [](FaxSection& f) {
                                   f.cbFKeisen = false;
                                   f.cbFTensen = true;
                                   f.edtFColor = 0x0000FF;
                               },
                               {PaperKind::B5, 0, 0, kToday}));
     }},
    {"Fax_A4_recipient",
     [](PageCanvas& c) {
         RecordFaxSheet(c, fax([](FaxSection& f) {
                            f.cbFAtena = false;
                            f.cbFYMD = false;
                            f.edtFYMD = QStringLiteral("令和8年12月9日");
                        }));
     }},
};

class LetterPages : public ::testing::TestWithParam<LetterGolden> {};
TEST_P(LetterPages, MatchTheRecording) {
    PageRecording page;
    PageCanvas canvas(page);
    GetParam().record(canvas);
    EXPECT_TRUE(
        testing::MatchesRecording(QString::fromLatin1(GetParam().name), testing::DumpPage(page)));
}
INSTANTIATE_TEST_SUITE_P(Letters, LetterPages, ::testing::ValuesIn(kLetters),
                         [](const ::testing::TestParamInfo<LetterGolden>& info) {
                             return std::string(info.param.name);
                         });

TEST(CoverLetter, TheBlankDateInTodaysEra) {
    EXPECT_EQ(BlankEraDate(QDate(2019, 4, 30), 4), "平成    年    月    日");
    EXPECT_EQ(BlankEraDate(QDate(2019, 5, 1), 4), "令和    年    月    日");
}

TEST(Honorific, AskedOnlyForAWrittenRecipientWithoutOne) {
    const std::tuple<bool, const char*, const char*, bool> cases[] = {
        {true, "", "", false},
        {false, "山田様", "", false},
        {false, "", "総務部御中", false},
        {false, "山田", "総務部", true},
        {false, "", "", true},
    };
    for (const auto& [blank, upper, lower, asks] : cases)
        EXPECT_EQ(LacksHonorific(blank, QString::fromUtf8(upper), QString::fromUtf8(lower)), asks)
            << upper << lower;
}

// Every key is recorded with the print settings; here the blank boxes, ticked at every reading,
// and the ranges.
TEST(LetterSettings, TheBlankBoxesStartTickedAndRangesHold) {
    SoufuSection s;
    FaxSection f;
    s.cbAtena = f.cbFAtena = false;
    s.Read(IniFile::InMemory("[Soufu]\r\ncbAtena=0\r\n"));
    f.Read(IniFile::InMemory("[Fax]\r\ncbFAtena=0\r\n"));
    EXPECT_TRUE(s.cbAtena);
    EXPECT_TRUE(f.cbFAtena);
    const IniFile edited = IniFile::InMemory(
        "[Soufu]\r\nrgSYoushi=-1\r\nudOW1=9\r\ncbYMD=0\r\n[Fax]\r\nrgFYoushi=5\r\nudFW1=0\r\n");
    s.Read(edited);
    f.Read(edited);
    EXPECT_EQ(std::tuple(s.rgSYoushi, s.udOW1, s.cbYMD, f.rgFYoushi, f.udFW1),
              std::tuple(0, 5, false, 1, 1));
}

}  // namespace
}  // namespace korvane
