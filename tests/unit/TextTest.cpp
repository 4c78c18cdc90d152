#include <gtest/gtest.h>

#include "services/Text.h"
#include "tests/support/ThrowingFatalError.h"

namespace varnesse {
namespace {

// 乗 is 0x81 0x5C in GBK: its second byte is the backslash code.
const char* const kTrailBackslash = "\x81\x5C";
// 丄 is 0x81 0x41: its second byte is a capital A.
const char* const kTrailCapitalA = "\x81\x41";

TEST(ToLowerText, FoldsOnlyAsciiCapitals) {
    struct Case { Text input, expected; } cases[] = {
        {"Mercavo.exe", "mercavo.exe"},
        {"MERCAVO.EXE", "mercavo.exe"},
        {Text(std::string(kTrailCapitalA) + "AB"), Text(std::string(kTrailCapitalA) + "ab")},
        {"Varnesse商城", "varnesse商城"},
        {"", ""},
        {"@[`{", "@[`{"},
    };
    for (const Case& c : cases) EXPECT_EQ(ToLowerText(c.input), c.expected) << c.input.Bytes();
    EXPECT_EQ(CompareText(ToLowerText("Mercavo.exe"), ToLowerText("MERCAVO.EXE")), 0);
}

TEST(CompareText, OrdersBytesUnsigned) {
    struct Case { Text a, b; int32_t expected; } cases[] = {
        {"", "a", -1}, {"a", "", 1}, {"a", "ab", -1}, {"b", "a", 1}, {"", "", 0},
        {"A", "a", -1}, {"\x80", "z", 1}, {"shibai", "shibai", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(CompareText(c.a, c.b), c.expected) << c.a.Bytes() << " vs " << c.b.Bytes();
}

TEST(FindText, WalksCharactersNotBytes) {
    struct Case { Text text, searched; bool ignoreCase; int32_t expected; } cases[] = {
        {"D:\\Demo", "\\", false, 3},
        {"Demo", "\\", false, -1},
        {Text(std::string("a") + kTrailBackslash + "b"), "\\", false, -1},
        {Text(std::string(kTrailBackslash) + "\\"), "\\", false, 3},
        {"Demo.LNK", ".lnk", true, 5},
        {"Demo.LNK", ".lnk", false, -1},
        {"a.lnkfile", ".lnk", true, 2},
        {"abc", "", false, 1},
        {"", "", false, -1},
        {"", "a", false, -1},
        {"ab", "abc", false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindText(c.text, c.searched, std::nullopt, c.ignoreCase), c.expected)
            << c.text.Bytes() << " / " << c.searched.Bytes();
}

TEST(FindText, StartPositionCountsFromTheWholeText) {
    EXPECT_EQ(FindText("a\\b\\c", "\\", 3, false), 4);
    EXPECT_EQ(FindText("a\\b\\c", "\\", 0, false), 2);
    EXPECT_EQ(FindText("a\\b\\c", "\\", 9, false), -1);
}

TEST(SplitText, TableOfSeparators) {
    using Items = std::vector<Text>;
    struct Case { Text text; std::optional<Text> separator; std::optional<int32_t> maximum; Items expected; } cases[] = {
        {"\\a", Text("\\"), std::nullopt, {"", "a"}},
        {"a\\", Text("\\"), std::nullopt, {"a"}},
        {"a\\\\b", Text("\\"), std::nullopt, {"a", "", "b"}},
        {"", Text("\\"), std::nullopt, {}},
        {"a,b", std::nullopt, std::nullopt, {"a", "b"}},
        {"abc", Text(""), std::nullopt, {"abc"}},
        {"a,b,c", std::nullopt, 2, {"a", "b"}},
        {"a,b,c", std::nullopt, 0, {}},
        {"a,b,c", std::nullopt, -3, {}},
        {"D:\\Varnesse商城\\Orvu\\Talvikqarn.exe", Text("\\"), std::nullopt,
         {"D:", "Varnesse商城", "Orvu", "Talvikqarn.exe"}},
        {Text(std::string("x") + kTrailBackslash + "\\y"), Text("\\"), std::nullopt,
         {Text(std::string("x") + kTrailBackslash), "y"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitText(c.text, c.separator, c.maximum).Items(), c.expected) << c.text.Bytes();
}

TEST(LeftRightText, CountBytes) {
    EXPECT_EQ(LeftText("abc", 5), Text("abc"));
    EXPECT_EQ(RightText("abc", 5), Text("abc"));
    EXPECT_EQ(LeftText("abc", 0), Text());
    EXPECT_EQ(RightText("abc", -1), Text());
    EXPECT_EQ(LeftText("abc", 2), Text("ab"));
    EXPECT_EQ(RightText("abc", 1), Text("c"));
    EXPECT_EQ(RightText("商", 1), Text("\xCC"));  // may cut a character in two
}

TEST(NumberAndBlankText, Forms) {
    EXPECT_EQ(NumberToText(-5), Text("-5"));
    EXPECT_EQ(NumberToText(0), Text("0"));
    EXPECT_EQ(NumberToText(2147483647), Text("2147483647"));
    EXPECT_EQ(NumberToText(-2147483647 - 1), Text("-2147483648"));
    EXPECT_EQ(BlankText(260), Text(std::string(260, ' ')));
    EXPECT_EQ(BlankText(0), Text());
    EXPECT_EQ(BlankText(-4), Text());
    EXPECT_EQ(TextLength("Varnesse商城"), 12);
    EXPECT_EQ(JoinText("", "", ""), Text());
    EXPECT_EQ(JoinText("ab", ""), Text("ab"));
}

TEST(TextValue, EndsAtTheFirstZeroByte) {
    EXPECT_EQ(Text(std::string_view("ab\0cd", 5)), Text("ab"));
    EXPECT_EQ(Text(static_cast<const char*>(nullptr)), Text());
}

TEST(TextList, PositionsOutsideTheListAreFatal) {
    TextList list({"a", "b"});
    EXPECT_EQ(list.At(2), Text("b"));
    try {
        list.At(3);
        FAIL() << "no fatal error above the count";
    } catch (const FatalErrorRaised& raised) {
        EXPECT_EQ(raised.error.code, 1);
        EXPECT_EQ(raised.error.message, Text("数组成员引用下标超出定义范围"));
    }
    try {
        list.At(0);
        FAIL() << "no fatal error below one";
    } catch (const FatalErrorRaised& raised) {
        EXPECT_EQ(raised.error.code, 4);
        EXPECT_EQ(raised.error.message, Text("数组成员引用下标必须大于等于1"));
    }
}

}  // namespace
}  // namespace varnesse
