#include "core/commatext.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

struct SplitCase {
    QString text;
    QStringList fields;
};

class CommaSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommaSplit, Fields) { EXPECT_EQ(SplitCommaText(GetParam().text), GetParam().fields); }

INSTANTIATE_TEST_SUITE_P(
    RuleLines, CommaSplit,
    ::testing::Values(SplitCase{"1,1,元日", {"1", "1", "元日"}},
                      // Empty fields in the general form mean "any"; they must survive.
                      SplitCase{"1949,1999,1,15,,,成人の日",
                                {"1949", "1999", "1", "15", "", "", "成人の日"}},
                      SplitCase{",1", {"", "1"}},
                      // A trailing comma does not make an extra empty field.
                      SplitCase{"1,2,", {"1", "2"}}, SplitCase{"  a , b  ", {"a", "b"}},
                      // Unquoted blanks separate.
                      SplitCase{"a b", {"a", "b"}}, SplitCase{"\"a b\",c", {"a b", "c"}},
                      SplitCase{"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
                      SplitCase{"\"unterminated, still", {"unterminated, still"}},
                      SplitCase{"\"\"", {""}}, SplitCase{"", {}}, SplitCase{"   ", {}}));

TEST(CommaJoin, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(JoinCommaText({"元日"}), "元日");
    EXPECT_EQ(JoinCommaText({"春分の日", "記念日"}), "春分の日,記念日");
    EXPECT_EQ(JoinCommaText({"a b", "c,d", "e\"f"}), "\"a b\",\"c,d\",\"e\"\"f\"");
    EXPECT_EQ(JoinCommaText({}), "");
    EXPECT_EQ(JoinCommaText({""}), "\"\"");
    EXPECT_EQ(JoinCommaText({"a", "", "b"}), "a,,b");
    EXPECT_EQ(JoinCommaText({"a", ""}), "a,\"\"");
}

TEST(CommaJoin, RoundTripsThroughSplit) {
    const QStringList cases[] = {
        {"誕生日", "結婚 記念日", "a,b", "\"q\"", "x"},
        {"", "b"},
        {"a", ""},
        {"a", "", ""},
        {"全角　空白"},
    };
    for (const QStringList& items : cases) EXPECT_EQ(SplitCommaText(JoinCommaText(items)), items);
}

}  // namespace
}  // namespace korvane
