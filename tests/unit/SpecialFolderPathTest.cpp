#include <gtest/gtest.h>

#include "app/SpecialFolderPath.h"
#include "tests/support/CallLines.h"
#include "tests/support/RecordingServices.h"

namespace varnesse {
namespace {

// 乗 is 0x81 0x5C in GBK: its second byte is the backslash code.
const std::string kTrailBackslash = "\x81\x5C";

struct Fake : RecordingServices {
    Fake() {
        shellFolders = {{0x05, Text("C:\\u\\Documents")}, {0x06, Text("C:\\u\\Favorites")},
                        {0x10, Text("C:\\u\\Desktop")},   {0x14, Text("C:\\windows\\Fonts")},
                        {0x0B, Text("C:\\u\\Start Menu")}, {0x02, Text("C:\\u\\Start Menu\\Programs")},
                        {0x07, Text("C:\\u\\Startup")},    {0x1A, Text("C:\\u\\AppData\\Roaming")},
                        {0x20, Text("C:\\u\\INetCache")}};
        windowsDirectory = Text("C:\\windows");
        systemDirectory = Text("C:\\windows\\system32");
        tempPath = Text("C:\\u\\Temp\\");
    }
};

TEST(SpecialFolderPath, KindTable) {
    struct Case {
        std::optional<int32_t> kind;
        Text expected;
        CallLines calls;
    } cases[] = {
        {std::nullopt, "C:\\u\\Desktop\\", {"ShellFolderPath(16)"}},
        {0, "C:\\u\\Desktop\\", {"ShellFolderPath(16)"}},
        {1, "C:\\u\\Documents\\", {"ShellFolderPath(5)"}},
        {2, "C:\\u\\Favorites\\", {"ShellFolderPath(6)"}},
        {3, "C:\\u\\Desktop\\", {"ShellFolderPath(16)"}},
        {4, "C:\\windows\\Fonts\\", {"ShellFolderPath(20)"}},
        {5, "C:\\u\\Start Menu\\", {"ShellFolderPath(11)"}},
        {6, "C:\\u\\Start Menu\\Programs\\", {"ShellFolderPath(2)"}},
        {7, "C:\\u\\Startup\\", {"ShellFolderPath(7)"}},
        {8, "C:\\u\\AppData\\Roaming\\", {"ShellFolderPath(26)"}},
        {9, "C:\\windows\\", {"WindowsDirectory()"}},
        {10, "C:\\windows\\system32\\", {"SystemDirectory()"}},
        {11, "C:\\u\\Temp\\", {"TempPath()"}},
        {12, "C:\\u\\INetCache\\", {"ShellFolderPath(32)"}},
        {13, "", {}},
        {100, "", {}},
        {-1, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind ? std::to_string(*c.kind) : "left out");
        Fake fake;
        EXPECT_EQ(SpecialFolderPath(fake, c.kind), c.expected);
        EXPECT_TRUE(SameCalls(fake.calls, c.calls));
    }
}

TEST(SpecialFolderPath, TrailingBackslashLooksAtTheLastByteOnly) {
    struct Case {
        const char* name;
        std::optional<Text> systemAnswer;
        Text expected;
    } cases[] = {
        {"failed call", std::nullopt, ""},
        {"empty path", Text(""), "\\"},
        {"one backslash already", Text("C:\\tmp\\"), "C:\\tmp\\"},
        {"double-byte last character", Text("C:\\商"), "C:\\商\\"},
        {"second byte 0x5C", Text("C:\\" + kTrailBackslash), Text("C:\\" + kTrailBackslash)},
    };
    for (const Case& c : cases) {
        Fake fake;
        fake.tempPath = c.systemAnswer;
        EXPECT_EQ(SpecialFolderPath(fake, 11), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace varnesse
