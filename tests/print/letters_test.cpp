#include "print/stationery/stationeryjob.h"

#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using Span = std::pair<int, int>;
Span span(const SheetText& t) { return {t.Top, t.Bottom}; }
std::vector<int> ys(const std::vector<SheetRule>& rules) {
    std::vector<int> out;
    for (const SheetRule& r : rules) out.push_back(r.Line.y1());
    return out;
}
std::vector<int> every(int first, int step, int count) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i) out.push_back(first + step * i);
    return out;
}

// Full-width type: every character as wide as the font is high (or half that, where the long
// sentence is to fit on one line).
TextMeasurer fullWidth(int percent = 100) {
    return [percent](const QString& t, int h) { return int(t.size()) * h * percent / 100; };
}
const QDate kToday(2026, 12, 9);

TEST(CoverLetter, A4DefaultsWithABlankRecipient) {
    const CoverLetter l = ComputeCoverLetter(SoufuSection(), {.Today = kToday}, fullWidth());
    EXPECT_EQ(l.Date.Text, "令和      年      月      日");
    EXPECT_EQ(std::tuple(l.Date.Left, l.Date.Top, l.Date.Right, l.Date.Bottom),
              std::tuple(1899 - 23 * 35, 200, 1899, 235));
    EXPECT_TRUE(l.Recipient.empty());
    for (const SheetRule& r : l.RecipientRules)
        EXPECT_EQ(std::tuple(r.Line.x1(), r.Line.x2(), r.Width, r.Colour),
                  std::tuple(250, 909, 3, ColorValue(0)));
    EXPECT_EQ(ys({l.RecipientRules.begin(), l.RecipientRules.end()}), (std::vector{335, 485}));
    const std::vector<Span> sender{span(l.Sender[0]), span(l.Sender[1]), span(l.Sender[2]),
                                   span(l.Sender[3])};
    EXPECT_EQ(sender, (std::vector<Span>{{535, 567}, {577, 615}, {625, 657}, {667, 697}}));
    EXPECT_EQ(l.Sender[1].Text, "<会社名>等を入力してください。");
    EXPECT_EQ(l.Sender[3].Align, TextAlign::RightBottom);
    EXPECT_EQ(span(l.Title), Span(797, 857));
    ASSERT_EQ(l.Body.size(), 5u);  // the sentence split in two, then 敬具
    EXPECT_EQ(span(l.Body[0]), Span(957, 992));
    EXPECT_EQ(span(l.Body[1]), Span(1012, 1047));
    EXPECT_EQ(l.Body[3].Text, "ご査収の上、宜しくお取計らい下さいますようお願い致します。");
    // 敬具 ends where the last line ends.
    EXPECT_EQ(l.Body[4].Right, 250 + 100 + 29 * 35);
    EXPECT_EQ(span(l.Ki), Span(1312, 1362));
    EXPECT_EQ(ys(l.ListLines), every(1462, 100, 10));
    EXPECT_EQ(l.ListLines[0], (SheetRule{QLine(250, 1462, 1899, 1462), 2, 0x808080, false}));
    EXPECT_EQ(span(l.Ijou), Span(2412, 2447));

    // Where the sentence fits on one line, all from 敬具 down lies 55 higher.
    const CoverLetter one = ComputeCoverLetter(SoufuSection(), {.Today = kToday}, fullWidth(50));
    ASSERT_EQ(one.Body.size(), 4u);
    EXPECT_EQ(span(one.Ki), Span(1312 - 55, 1362 - 55));
    EXPECT_EQ(one.ListLines.back().Line.y1(), 2362 - 55);
}

// B5 takes A4's lengths times 0.865, truncated; the date, recipient and sender keep their sizes.
TEST(CoverLetter, B5AndThePositionAdjustment) {
    SoufuSection s;
    s.cbOTensen = true;
    const CoverLetter l = ComputeCoverLetter(s, {PaperKind::B5, 0, 0, kToday}, fullWidth());
    EXPECT_EQ(std::tuple(l.Date.Top, l.Date.Right, l.Date.Height), std::tuple(173, 216 + 1430, 35));
    EXPECT_EQ(l.RecipientRules[0].Line, QLine(216, 308, 216 + 572, 308));
    EXPECT_EQ(l.Sender[0].Height, 32);
    EXPECT_EQ(span(l.Title), Span(670 + 86, 670 + 86 + 51));
    EXPECT_EQ(l.ListLines[0].Line.x2(), 216 + 1430);
    EXPECT_TRUE(l.ListLines[9].Dashed);
    const CoverLetter moved = ComputeCoverLetter(s, {PaperKind::A4, -5, 3, kToday}, fullWidth());
    EXPECT_EQ(std::pair(moved.Date.Top, moved.Date.Right), std::pair(150, 1929));
}

TEST(CoverLetter, TheRecipientSetsTheRules) {
    const struct {
        const char* upper;
        const char* lower;
        std::vector<Span> boxes;
        int ruleEnd, lowerRule;
    } cases[] = {
        // The longer line sets the end; the lower ends where it ends, right-aligned.
        {"山田様", "株式会社　総務部", {{360, 400}, {420, 460}}, 250 + 30 + 8 * 40 + 30, 485},
        {"株式会社　御中", "", {{335, 485}}, 250 + 30 + 7 * 40 + 30, 485},
        {"  ", "  佐藤様 ", {{335, 485}}, 250 + 30 + 3 * 40 + 30, 485},
        {"", "", {}, 909, 485},  // nothing written: as a blank recipient
    };
    for (const auto& c : cases) {
        SoufuSection s;
        s.cbAtena = false;
        s.edtAtena1 = QString::fromUtf8(c.upper);
        s.edtAtena2 = QString::fromUtf8(c.lower);
        const CoverLetter l = ComputeCoverLetter(s, {.Today = kToday}, fullWidth());
        std::vector<Span> boxes;
        for (const SheetText& t : l.Recipient) boxes.push_back(span(t));
        EXPECT_EQ(boxes, c.boxes) << c.upper;
        for (const SheetText& t : l.Recipient) EXPECT_EQ(t.Left, 280);
        EXPECT_EQ(l.RecipientRules[0].Line, QLine(250, 335, c.ruleEnd, 335)) << c.upper;
        EXPECT_EQ(l.RecipientRules[1].Line.y1(), c.lowerRule);
        if (l.Recipient.size() == 2) {
            EXPECT_EQ(l.Recipient[1].Right, c.ruleEnd - 30);
            EXPECT_EQ(l.Recipient[1].Align, TextAlign::RightMiddle);
        } else if (!l.Recipient.empty()) {
            EXPECT_EQ(l.Recipient[0].Text,
                      QString::fromUtf8(c.upper).trimmed() + QString::fromUtf8(c.lower).trimmed());
        }
    }
}

TEST(CoverLetter, TheDateTypedOrBlankInTodaysEra) {
    SoufuSection s;
    s.cbYMD = false;
    s.edtYMD = QStringLiteral(" 令和8年12月9日 ");
    EXPECT_EQ(ComputeCoverLetter(s, {.Today = kToday}, fullWidth()).Date.Text, "令和8年12月9日");
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

TEST(FaxSheet, A4Defaults) {
    const FaxSheet f = ComputeFaxSheet(FaxSection(), {.Today = kToday}, fullWidth());
    EXPECT_EQ(f.Frames[0], (SheetFrame{200, 150, 1949, 505, 50, 2}));
    EXPECT_EQ(f.Frames[1], (SheetFrame{206, 156, 1943, 499, 43, 2}));
    EXPECT_EQ(f.Divider, (SheetRule{QLine(1150, 156, 1150, 499), 3}));
    EXPECT_EQ(f.RecipientLine, (SheetRule{QLine(250 + 4 * 38, 250, 1100, 250), 2, 0x808080}));
    EXPECT_EQ(f.RowLines[0], (SheetRule{QLine(1150, 250, 1943, 250), 2}));
    EXPECT_EQ(f.RowLines[1], (SheetRule{QLine(206, 340, 1943, 340), 3}));
    EXPECT_EQ(f.RowLines[2], (SheetRule{QLine(206, 420, 1150, 420), 2}));
    QStringList texts;
    for (const SheetText& t : f.Texts) texts << t.Text;
    EXPECT_EQ(
        texts,
        QStringList(
            {"送信先：", "Ｎｏ．　　　　ページ　　　　／", "日付：令和      年      月      日",
             "送信元：<会社名>等を入力してください。", "発信人：<所属>と<名前>を入力してください。",
             "FAX ：Ｆａｘ番号（市外局番から入力）", "TEL ：電話番号（市外局番から入力）"}));
    const SheetText& tel = f.Texts.back();
    EXPECT_EQ(std::tuple(tel.Left, tel.Top, tel.Right, tel.Bottom, tel.Align),
              std::tuple(1200, 430, 1943, 505, TextAlign::LeftTop));
    EXPECT_EQ(f.Texts[5].Bottom, 410);  // half the gap above the FAX line
    EXPECT_EQ(span(f.Subject), Span(625, 663));
    EXPECT_EQ(f.SubjectLine, (SheetRule{QLine(250 + 4 * 38 + 50, 663, 1899, 663), 3, 0x808080}));
    EXPECT_EQ(ys(f.MessageLines), every(783, 120, 17));
    EXPECT_EQ(f.MessageLines[16], (SheetRule{QLine(250, 2703, 1899, 2703), 2, 0x808080}));
}

TEST(FaxSheet, B5RecipientsAndOptions) {
    FaxSection fax;
    fax.cbFKeisen = false;
    fax.cbFTensen = true;
    fax.edtFColor = 0x0000FF;
    const FaxSheet b5 = ComputeFaxSheet(fax, {PaperKind::B5, 0, 0, kToday}, fullWidth());
    EXPECT_EQ(b5.Frames[0], (SheetFrame{173, 129, 173 + 1517, 129 + 305, 50, 2}));
    EXPECT_EQ(b5.Divider.Line.x1(), 173 + 821);
    EXPECT_EQ(b5.Texts[0].Height, 32);
    EXPECT_TRUE(b5.MessageLines.empty());
    EXPECT_EQ(b5.SubjectLine.Colour, 0x0000FFu);
    EXPECT_TRUE(b5.RecipientLine.Dashed);
    EXPECT_FALSE(b5.SubjectLine.Dashed);
    // The recipient printed only with the blank box off; the date as typed.
    fax.cbFAtena = false;
    fax.cbFYMD = false;
    fax.edtFYMD = QStringLiteral("令和8年12月9日");
    fax.cbFKeisen = true;
    const FaxSheet a4 = ComputeFaxSheet(fax, {.Today = kToday}, fullWidth());
    ASSERT_EQ(a4.Texts.size(), 9u);
    EXPECT_EQ(a4.Texts[1].Text, "基本的に会社名等を入力してください。");
    EXPECT_EQ(std::pair(a4.Texts[1].Top, a4.Texts[1].Bottom), std::pair(150, 230));
    EXPECT_EQ(std::tuple(a4.Texts[2].Left, a4.Texts[2].Top, a4.Texts[2].Bottom, a4.Texts[2].Align),
              std::tuple(250 + 4 * 38, 270, 340, TextAlign::LeftTop));
    EXPECT_EQ(a4.Texts[4].Text, "日付：令和8年12月9日");
    EXPECT_TRUE(a4.MessageLines[0].Dashed);
}

TEST(LetterSettings, KeysInOrderAndTheBlankBoxesStartTicked) {
    IniFile ini = IniFile::InMemory();
    SaveProblems problems;
    SoufuSection soufu;
    soufu.cbAtena = false;
    soufu.edtTel = QStringLiteral("03-1234-5678");
    FaxSection fax;
    fax.cbFAtena = false;
    fax.edtFColor = 0xFF;
    fax.edtFName = QStringLiteral("総務課 山田");
    {
        SettingsWriter out(ini, problems);
        soufu.Write(out);
        fax.Write(out);
        out.Commit();
    }
    EXPECT_EQ(ini.ReadSection("Soufu"),
              QStringList({"rgSYoushi", "cbYMD", "edtAtena1", "edtAtena2", "cbAtena", "edtJuusho",
                           "edtKaisha", "edtName", "edtTel", "udOW1", "cbOTensen"}));
    EXPECT_EQ(
        ini.ReadSection("Fax"),
        QStringList({"rgFYoushi", "cbFYMD", "edtFAtena1", "edtFAtena2", "edtFKaisha", "edtFName",
                     "edtFFax", "edtFTel", "cbFKeisen", "edtFColor", "udFW1", "cbFTensen"}));
    SoufuSection s;
    s.Read(ini);
    EXPECT_EQ(s.edtTel, "03-1234-5678");
    EXPECT_TRUE(s.cbAtena);
    FaxSection f;
    f.cbFAtena = false;
    f.Read(ini);
    EXPECT_EQ(f.edtFColor, 0xFFu);
    EXPECT_EQ(f.edtFName, "総務課 山田");
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
