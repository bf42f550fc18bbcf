#include "core/codec.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

QByteArray bytes(std::initializer_list<unsigned char> b) {
    QByteArray out;
    for (unsigned char c : b) out.append(char(c));
    return out;
}

struct DecodeCase {
    const char* label;
    QByteArray in;
    QString out;
};

class Cp932Decode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Cp932Decode, GivesTheWindowsCharacters) {
    EXPECT_EQ(Cp932::decode(GetParam().in), GetParam().out) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Cp932Decode,
    ::testing::Values(
        DecodeCase{"ascii", QByteArray("Ca202612.vlm"), QStringLiteral("Ca202612.vlm")},
        DecodeCase{"hiragana", bytes({0x82, 0xA0, 0x82, 0xA2}), QStringLiteral("あい")},
        DecodeCase{"half-width kana", bytes({0xB6, 0xC5}), QStringLiteral("ｶﾅ")},
        // NEC row 13 and the IBM extensions exist only in the Windows code page.
        DecodeCase{"NEC circled one", bytes({0x87, 0x40}), QStringLiteral("①")},
        DecodeCase{"NEC kabushiki", bytes({0x87, 0x8A}), QStringLiteral("㈱")},
        DecodeCase{"IBM extension", bytes({0xFA, 0x40}), QStringLiteral("ⅰ")},
        DecodeCase{"wave dash is fullwidth tilde", bytes({0x81, 0x60}), QString(QChar(0xFF5E))},
        DecodeCase{"yen sign stays backslash", QByteArray("C:\\"), QStringLiteral("C:\\")},
        DecodeCase{"invalid lead byte", bytes({'a', 0xFF, 'b'}), QStringLiteral("a\uFFFDb")},
        DecodeCase{"truncated at end", bytes({'a', 0x82}), QStringLiteral("a\uFFFD")},
        DecodeCase{"bad trail byte keeps the ascii", bytes({0x82, 0x20, 'x'}),
                   QStringLiteral("\uFFFD x")},
        // A real SUB byte must not be confused with a replacement.
        DecodeCase{"SUB byte survives", bytes({0x82, 0xA0, 0x1A}), QStringLiteral("あ\x1a")},
        DecodeCase{"controls are not rotated", bytes({0x1C, 0x7F, 0x81, 0x1A}),
                   QStringLiteral("\x1c\x7f\uFFFD\x1a")}),
    [](const auto& info) {
        std::string s = info.param.label;
        for (char& c : s)
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        return s;
    });

TEST(Cp932, RandomBytesNeverCrashAndOnlyGrowToOneUnitPerByte) {
    QByteArray junk;
    unsigned seed = 12345;
    for (int i = 0; i < 100000; ++i) {
        seed = seed * 1103515245u + 12345u;
        junk.append(char(seed >> 16));
    }
    const QString s = Cp932::decode(junk);
    EXPECT_LE(s.size(), junk.size());
    EXPECT_FALSE(s.isEmpty());
}

TEST(Cp932, EncodeRoundTripsEveryDecodableDoubleByte) {
    int checked = 0;
    int duplicates = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QByteArray in =
                bytes({static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)});
            const QString s = Cp932::decode(in);
            if (s.size() != 1 || s[0] == QChar(0xFFFD) ||
                (s[0].unicode() >= 0xE000 && s[0].unicode() < 0xF900))
                continue;  // unassigned or private use
            const std::optional<QByteArray> back = Cp932::encode(s);
            ASSERT_TRUE(back.has_value()) << std::hex << lead << trail;
            ++checked;
            if (*back == in) continue;
            // Only the characters CP932 holds twice go back to the other code: the NEC-selected
            // IBM rows (0xED, 0xEE) to the IBM rows, and the IBM and NEC duplicates of JIS
            // symbols to the first of them; every such pair reads the same character.
            EXPECT_EQ(Cp932::decode(*back), s) << std::hex << lead << trail;
            const int backLead = static_cast<unsigned char>(back->at(0));
            const bool known = lead == 0xED || lead == 0xEE || (lead == 0x87 && backLead == 0x81) ||
                               (lead == 0xFA && (backLead == 0x81 || backLead == 0x87));
            EXPECT_TRUE(known) << std::hex << lead << trail << " -> " << qPrintable(back->toHex());
            ++duplicates;
        }
    }
    EXPECT_GT(checked, 7000);
    EXPECT_EQ(duplicates, 398);  // the code page's known duplicate codes
}

// Every code point either encodes to bytes that decode to that very character (or to its
// CP932 form), or is refused: nothing is lost on the way to a file.
TEST(Cp932, EveryCodePointRoundTripsOrIsRefused) {
    const QString forms = QStringLiteral("〜−‖—¢£¬");
    int encoded = 0;
    for (char32_t cp = 1; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        // Not fromUcs4 for all: it takes a leading U+FEFF for a byte-order mark and drops it.
        const QString s = cp < 0x10000 ? QString(QChar(char16_t(cp))) : QString::fromUcs4(&cp, 1);
        qsizetype bad = -2;
        const std::optional<QByteArray> b = Cp932::encode(s, &bad);
        if (!b) {
            ASSERT_EQ(bad, 0) << std::hex << unsigned(cp);
            continue;
        }
        ++encoded;
        ASSERT_FALSE(b->isEmpty()) << std::hex << unsigned(cp);
        const QString back = Cp932::decode(*b);
        if (back != s) {
            ASSERT_TRUE(forms.contains(s)) << std::hex << unsigned(cp);
            ASSERT_EQ(Cp932::encode(back), b) << std::hex << unsigned(cp);
        }
    }
    EXPECT_GT(encoded, 7000);
}

TEST(Cp932, EncodeMapsLinuxInputForms) {
    // JIS forms from input methods are stored as the Windows code page holds them.
    EXPECT_EQ(Cp932::encode(QString(QChar(0x301C))), bytes({0x81, 0x60}));
    EXPECT_EQ(Cp932::encode(QString(QChar(0x2212))), bytes({0x81, 0x7C}));
    EXPECT_EQ(Cp932::encode(QStringLiteral("①㈱")), bytes({0x87, 0x40, 0x87, 0x8A}));
    EXPECT_EQ(Cp932::encode(QStringLiteral("ｶﾅ")), bytes({0xB6, 0xC5}));
    EXPECT_EQ(Cp932::encode(QString()), QByteArray());
    const QString controls = QStringLiteral("\x1a\x1c\x7f\t");
    EXPECT_EQ(Cp932::encode(controls), QByteArray("\x1a\x1c\x7f\t"));
    EXPECT_EQ(Cp932::decode(QByteArray("\x1a\x1c\x7f\t")), controls);
    EXPECT_TRUE(Cp932::canEncode(QStringLiteral("〜会議①")));
}

TEST(Cp932, EncodeReportsWhatItCannotHold) {
    struct Case {
        QString text;
        qsizetype bad;
    };
    const Case cases[] = {
        {QStringLiteral("a😀b"), 1},  // outside the BMP
        {QStringLiteral("会議😀"), 2},
        {QStringLiteral("한"), 0},                                       // Hangul
        {QStringLiteral("abc\u00e9"), 3},                                // Latin-1 letter
        {QStringLiteral("x") + QChar(0xD800) + QStringLiteral("y"), 1},  // lone surrogate
        // Invisible characters are refused like the others, never dropped without a word.
        {QStringLiteral("a\u200Bb"), 1},  // zero-width space
        {QStringLiteral("ab\u200D"), 2},  // zero-width joiner
        {QStringLiteral("\uFEFFx"), 0},   // byte-order mark
        {QStringLiteral("葛\uFE00"), 1},  // variation selector
        {QStringLiteral("葛") + QString::fromUcs4(U"\U000E0100") + QStringLiteral("城"), 1},
        {QStringLiteral("x\u00ADy"), 1},      // soft hyphen
        {QStringLiteral("No\uF86F"), 2},      // private use with a one-way mapping to "№"
        {QStringLiteral("\uE757\uE758"), 1},  // the end of the user-defined range
    };
    for (const Case& c : cases) {
        qsizetype bad = -2;
        EXPECT_FALSE(Cp932::encode(c.text, &bad).has_value())
            << qPrintable(c.text.toUtf8().toHex());
        EXPECT_EQ(bad, c.bad) << qPrintable(c.text.toUtf8().toHex());
        EXPECT_FALSE(Cp932::canEncode(c.text));
    }
    // The converter is reused: a failure must not spoil the next call.
    EXPECT_EQ(Cp932::encode(QStringLiteral("あ")), bytes({0x82, 0xA0}));
}

}  // namespace
}  // namespace korvane
