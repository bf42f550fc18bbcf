#include "settings/settingsstore.h"

#include "core/prompt.h"
#include "settings/inifile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

// A component with one of each kind of stored value.
class Sample : public ComponentSnapshot {
public:
    QString printer = "PDF";
    int size = 0;
    QString data;
    bool form = false;
    QString ClassName() const override { return "TplSetPrinter"; }
    QString ComponentName() const override { return "plSetPrinter1"; }
    bool IsForm() const override { return form; }
    std::vector<StreamProperty> StoredProperties() const override {
        std::vector<StreamProperty> p = {{"PrinterName", StreamValue::ofText(printer)},
                                         {"Left", StreamValue::ofInteger(-300)},
                                         {"DevDataSize", StreamValue::ofInteger(size)}};
        if (size > 0) p.push_back({"ADevData", StreamValue::ofText(data)});
        return p;
    }
    void SetStoredProperty(const StreamProperty& p) override {
        if (p.name == "PrinterName") printer = p.value.text;
        if (p.name == "DevDataSize") size = p.value.integer;
        if (p.name == "ADevData") data = p.value.text;
    }
};

class Store : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SettingsStore reg;
    ScriptedPrompt prompt;
    void SetUp() override {
        reg.IniFileName = dir.filePath("Printers.ini");
        reg.RegItems.Add({"vBtn", "Printer", "vBtn", "0"});
        reg.RegItems.Add({"Printer0", "Printer", "Printer0", "nil"});
        reg.RegItems.Add({"btnC0", "Printer", "btnC0", ""});
        reg.RegItems.Add({"flag", "Printer", "flag", "yes"});
        reg.RegItems.Add({"on", "Printer", "on", "1"});
        reg.RegItems.Add({"font", "Printer", "Title", ""});
    }
    IniFile ini() const { return IniFile(reg.IniFileName); }
};

TEST_F(Store, LookupIgnoresCaseAndReportsUnknownNames) {
    reg.Items("vbtn").WriteInteger(7);
    EXPECT_EQ(ini().ReadString("Printer", "vBtn", ""), "7");
    EXPECT_EQ(reg.Items("VBTN").ReadInteger(), 7);
    EXPECT_TRUE(prompt.entries().empty());
    SettingsFiler& none = reg.Items("nothing");
    EXPECT_EQ(prompt.texts(), QStringList{"[' nothing '] is invalid."});
    EXPECT_EQ(prompt.entries()[0].kind, Prompt::Kind::Error);
    none.WriteString("x");
    EXPECT_EQ(none.ReadString(), "");
    EXPECT_EQ(none.ReadInteger(), 0);
    EXPECT_FALSE(none.ReadBool());
    EXPECT_EQ(ini().ReadSection("Printer"), QStringList{"vBtn"});
}

TEST_F(Store, TruthValuesAndDefaults) {
    EXPECT_TRUE(reg.Items("flag").ReadBool());  // default "yes", nothing stored
    EXPECT_TRUE(reg.Items("on").ReadBool());
    for (const char* stored : {"2", "256", "abc", "0"}) {
        IniFile(reg.IniFileName).WriteString("Printer", "flag", stored);
        const bool expected = QByteArray(stored) == "2";  // low byte of 256 is 0
        EXPECT_EQ(reg.Items("flag").ReadBool(), expected) << stored;
    }
    // An item without a key name neither reads nor writes.
    reg.RegItems.Add({"blank", "Printer", "", "dflt"});
    reg.Items("blank").WriteString("v");
    EXPECT_FALSE(ini().ReadSection("Printer").contains(""));
    IniFile(reg.IniFileName).WriteString("Printer", "", "stored");
    EXPECT_EQ(reg.Items("blank").ReadString(), "dflt");
    reg.Items("on").WriteBool(false);
    EXPECT_EQ(ini().ReadString("Printer", "on", ""), "0");
    EXPECT_EQ(reg.Items("vBtn").ReadInteger(), 0);
    EXPECT_EQ(reg.Items("Printer0").ReadString(), "nil");
    reg.Items("btnC0").WriteString("Ａ４横 カラー");
    EXPECT_EQ(reg.Items("btnC0").ReadString(), "Ａ４横 カラー");
}

TEST_F(Store, StringListsShrinkWithoutLeftovers) {
    reg.Items("btnC0").WriteStrings({"a", "b", "c", "d", "e"});
    reg.Items("btnC0").WriteStrings({"x", "y", "z"});
    EXPECT_EQ(ini().ReadSection("Printer"),
              QStringList({"btnC0_ItemCount", "btnC0_Item0", "btnC0_Item1", "btnC0_Item2"}));
    QStringList back{"stale"};
    reg.Items("btnC0").ReadStrings(back);
    EXPECT_EQ(back, QStringList({"x", "y", "z"}));
    reg.Items("btnC0").WriteStrings({});
    EXPECT_TRUE(ini().ReadSection("Printer").isEmpty());
}

// A stored count is no promise: a file that claims two billion lines holds a few, and reading or
// shrinking it must take a moment, not hours.
TEST_F(Store, CountsAreBoundedByWhatTheFileHolds) {
    IniFile file = ini();
    file.WriteString("Printer", "btnC0_ItemCount", "2147483647");
    file.WriteString("Printer", "btnC0_Item0", "a");
    file.WriteString("Printer", "btnC0_Item1", "b");
    file.WriteString("Printer", "Printer0_c", "2147483647");
    file.WriteString("Printer", "Printer0_d0", "4142");
    file.WriteString("Printer", "btnC0_Item7", "stray");
    QStringList list;
    reg.Items("btnC0").ReadStrings(list);
    ASSERT_LE(list.size(), 7);  // no more than the section's keys
    EXPECT_EQ(list.mid(0, 2), QStringList({"a", "b"}));
    QByteArray stream;
    reg.Items("Printer0").ReadStream(stream);
    EXPECT_TRUE(stream.startsWith("AB"));
    reg.Items("btnC0").WriteStrings({"x"});
    EXPECT_EQ(ini().ReadSection("Printer"),
              QStringList({"btnC0_ItemCount", "btnC0_Item0", "Printer0_c", "Printer0_d0"}));
    QStringList back;
    reg.Items("btnC0").ReadStrings(back);
    EXPECT_EQ(back, QStringList{"x"});
    // Keys are found whatever their case, and a negative count reads as none.
    file.WriteString("Printer", "BTNC0_ITEMCOUNT", "-5");
    reg.Items("btnC0").ReadStrings(back);
    EXPECT_TRUE(back.isEmpty());
}

TEST_F(Store, StreamsAsHexLines) {
    QByteArray bytes;
    for (int i = 0; i < 33; ++i) bytes.append(char(i * 7));
    reg.Items("Printer0").WriteStream(bytes);
    EXPECT_EQ(ini().ReadString("Printer", "Printer0_c", ""), "2");
    EXPECT_EQ(ini().ReadString("Printer", "Printer0_d0", "").size(), 64);
    EXPECT_EQ(ini().ReadString("Printer", "Printer0_d1", ""), "E0");
    QByteArray back("prefix");
    reg.Items("Printer0").ReadStream(back);
    EXPECT_EQ(back, "prefix" + bytes);
    // Shorter, then empty: no stale lines, and finally no keys at all.
    reg.Items("Printer0").WriteStream(QByteArray(3, '\x01'));
    EXPECT_EQ(ini().ReadSection("Printer"), QStringList({"Printer0_c", "Printer0_d0"}));
    reg.Items("Printer0").WriteStream(QByteArray());
    EXPECT_TRUE(ini().ReadSection("Printer").isEmpty());
}

TEST(HexLines, DecodeTolerance) {
    EXPECT_EQ(HexLinesToStream({"0aFF", "zz1"}), QByteArray("\x0a\xff\x00\x01", 4));
    EXPECT_TRUE(StreamToHexLines({}).isEmpty());
    EXPECT_EQ(StreamToHexLines("\xab\x01"), QStringList{"AB01"});
}

TEST_F(Store, ComponentsRoundTripAndStayPutWhenNothingIsStored) {
    Sample missing;
    reg.Items("Printer0").ReadComponent(missing);  // no count key: unchanged
    EXPECT_EQ(missing.printer, "PDF");

    Sample s;
    s.printer = QString(300, u'P');  // a long text
    s.size = 70000;
    s.data = "0A0B";
    reg.Items("Printer0").WriteComponent(s);
    Sample r;
    reg.Items("Printer0").ReadComponent(r);
    EXPECT_EQ(r.printer, s.printer);
    EXPECT_EQ(r.size, 70000);
    EXPECT_EQ(r.data, "0A0B");

    Sample window;
    window.form = true;
    reg.Items("vBtn").WriteComponent(window);
    EXPECT_FALSE(ini().ValueExists("Printer", "vBtn_c"));
}

TEST(ComponentStream, ByteLayout) {
    Sample s;
    s.printer = "LP";
    s.size = 2;
    s.data = "AB";
    const QByteArray b = WriteComponentStream(s);
    const QByteArray expected = QByteArray("TPF0") + char(13) + "TplSetPrinter" + char(13) +
                                "plSetPrinter1" + char(11) + "PrinterName" + char(6) + char(2) +
                                "LP" + char(4) + "Left" + char(3) + "\xd4\xfe" + char(11) +
                                "DevDataSize" + char(2) + char(2) + char(8) + "ADevData" + char(6) +
                                char(2) + "AB" + QByteArray(2, '\0');
    EXPECT_EQ(b, expected);
    // Broken streams are refused whole.
    Sample r;
    for (int cut = 0; cut < b.size(); ++cut) {
        EXPECT_FALSE(ReadComponentStream(b.left(cut), r)) << cut;
    }
    EXPECT_EQ(r.printer, "PDF");
    // The names come back, and lists within lists.
    QString cls, name;
    std::vector<StreamProperty> props;
    ASSERT_TRUE(ParseComponentStream(b, cls, name, props));
    EXPECT_EQ(cls + "/" + name, "TplSetPrinter/plSetPrinter1");
    const QByteArray nested = QByteArray("TPF0\1C\1N\1L\1\1\2\5") + QByteArray(4, '\0');
    ASSERT_TRUE(ParseComponentStream(nested, cls, name, props));
    ASSERT_EQ(props.size(), 1u);
    EXPECT_EQ(props[0].value.list.at(0).list.at(0).integer, 5);
    // Seventeen lists deep is as deep as a stream may go; an unknown value kind is refused.
    const auto deep = [](int lists) {
        return QByteArray("TPF0\1C\1N\1L") + QByteArray(lists, '\1') + QByteArray(lists + 2, '\0');
    };
    // A property after a list is read after the list's end; a text longer than the stream is
    // refused.
    ASSERT_TRUE(ParseComponentStream(
        QByteArray("TPF0\1C\1N\1L\1\2\5") + QByteArray(1, '\0') + "\1M\2\7" + QByteArray(2, '\0'),
        cls, name, props));
    ASSERT_EQ(props.size(), 2u);
    EXPECT_EQ(props[1].value.integer, 7);
    EXPECT_FALSE(ParseComponentStream(QByteArray("TPF0\1C\1N\1L\6\5") + QByteArray(2, '\0'), cls,
                                      name, props));
    EXPECT_TRUE(ParseComponentStream(deep(17), cls, name, props));
    EXPECT_FALSE(ParseComponentStream(deep(18), cls, name, props));
    EXPECT_FALSE(ParseComponentStream(QByteArray("TPF0\1C\1N\1L\x7f") + QByteArray(2, '\0'), cls,
                                      name, props));
}

TEST_F(Store, FontsInFiveKeys) {
    FontSetting f;
    f.Name = "ＭＳ 明朝";
    f.Size = 14;
    f.Color = 0x123456;
    f.Style = 1 | 8;
    reg.Items("font").WriteFont(f);
    EXPECT_EQ(ini().ReadString("Printer", "Title_FontColor", ""), "$00123456");
    FontSetting r;
    reg.Items("font").ReadFont(r);
    EXPECT_EQ(r, f);
    reg.Items("font").WriteFont(FontSetting{"x", 9, clRed, 0, 128});
    EXPECT_EQ(ini().ReadString("Printer", "Title_FontColor", ""), "clRed");
    IniFile(reg.IniFileName).WriteString("Printer", "Title_FontSize", "big");
    FontSetting kept;
    kept.Size = 11;
    reg.Items("font").ReadFont(kept);
    EXPECT_EQ(kept.Size, 11);
    EXPECT_EQ(kept.Color, clRed);
}

TEST(StoreWithoutFile, SaysSoAndDoesNothing) {
    ScriptedPrompt prompt;
    SettingsStore reg;
    reg.RegItems.Add({"vBtn", "Printer", "vBtn", "3"});
    EXPECT_EQ(reg.Items("vBtn").ReadInteger(), 3);
    EXPECT_EQ(prompt.texts(), QStringList{"can not create Inifile object."});
    reg.RegType = rtReg;
    reg.Items("vBtn").WriteInteger(1);
    EXPECT_EQ(prompt.texts().back(), "can not create Registry object.");
}

}  // namespace
}  // namespace korvane
