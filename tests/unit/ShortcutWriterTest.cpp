#include <gtest/gtest.h>

#include "app/ShortcutWriter.h"
#include "tests/support/CallLines.h"
#include "tests/support/RecordingServices.h"

namespace varnesse {
namespace {

const std::string kDesktop = "C:\\users\\tester\\Desktop\\";

struct Fake : RecordingServices {
    Fake() { shellFolders[0x10] = Text("C:\\users\\tester\\Desktop"); }
};

// The icon written: the caller's, or one chosen from the target's extension.
struct Icon {
    std::string location;
    std::optional<std::string> chosenFrom;  // the target whose extension was asked
};

// From the script host's creation on, for a run whose shortcut object is obj2.
CallLines Written(const std::string& file, const std::string& target, const std::string& workingFolder,
                  const Icon& icon, const std::string& style, const std::string& description,
                  const std::string& arguments, const std::string& hotKey) {
    CallLines lines = {"CreateAutomationObject(\"WshShell\", \"wshom.ocx\")",
                       "CallMethod(obj1, \"CreateShortcut\", [" + Q(file) + "])",
                       "Clear(obj1)",
                       "IsEmpty(obj2)",
                       "WriteProperty(obj2, \"TargetPath\", " + Q(target) + ")",
                       "WriteProperty(obj2, \"WorkingDirectory\", " + Q(workingFolder) + ")"};
    if (icon.chosenFrom) lines.push_back("PathFindExtension(" + Q(*icon.chosenFrom) + ")");
    return lines + CallLines{"WriteProperty(obj2, \"IconLocation\", " + Q(icon.location) + ")",
                             "WriteProperty(obj2, \"WindowStyle\", " + style + ")",
                             "WriteProperty(obj2, \"Description\", " + Q(description) + ")",
                             "WriteProperty(obj2, \"Arguments\", " + Q(arguments) + ")",
                             "WriteProperty(obj2, \"Hotkey\", " + Q(hotKey) + ")",
                             "CallMethod(obj2, \"Save\", [])",
                             "Clear(obj2)",
                             "Clear(obj3)"};
}

CallLines Placed(const std::string& file) { return {"ShellFolderPath(16)", "FileExists(" + Q(file) + ")"}; }

struct LinkCase {
    const char* name;
    Text linkName;
    Text target;
    std::optional<Text> arguments, icon;
    std::optional<int32_t> style;
    std::optional<Text> description, hotKey;
    bool oldLinkExists;
    bool expectedResult;
    std::string expectedFile;
    CallLines expected;
};

TEST(CreateShortcutLink, CaseTable) {
    const std::string quotes = "D:\\Varnesse商城\\Orvu\\Talvikqarn.exe";
    const std::string demo = kDesktop + "Demo.lnk";
    const LinkCase cases[] = {
        {"name with .lnk; icon, style and texts left out", "Varnesse商城.lnk", Text(quotes), {}, {}, {}, {}, {}, false,
         true, kDesktop + "Varnesse商城.lnk",
         Placed(kDesktop + "Varnesse商城.lnk") +
             Written(kDesktop + "Varnesse商城.lnk", quotes, "D:\\Varnesse商城\\Orvu\\", {quotes + ",0", quotes}, "0", "",
                     "", "")},
        {"name without .lnk; target without extension", "Demo", "D:\\Tools\\run", {}, {}, {}, {}, {}, false, true, demo,
         Placed(demo) + Written(demo, "D:\\Tools\\run", "D:\\Tools\\", {"SHELL32.dll,4", "D:\\Tools\\run"}, "0", "", "",
                                "")},
        {"name with a folder; every argument given", "X:\\Links\\Demo.lnk", "D:\\run.exe", Text("-q"),
         Text("D:\\i.ico,2"), 3, Text("演示"), Text("CTRL+ALT+Q"), false, true, demo,
         CallLines{"PathFindFileName(\"X:\\Links\\Demo.lnk\")", "PathFindExtension(\"Demo.lnk\")"} + Placed(demo) +
             Written(demo, "D:\\run.exe", "D:\\", {"D:\\i.ico,2", std::nullopt}, "3", "演示", "-q", "CTRL+ALT+Q")},
        {"given empty texts stay empty texts", "Demo", "D:\\run.exe", Text(""), Text(""), 0, Text(""), Text(""), false,
         true, demo, Placed(demo) + Written(demo, "D:\\run.exe", "D:\\", {"", std::nullopt}, "0", "", "", "")},
        {"suffix in capitals", "Demo.LNK", "D:\\run.exe", {}, {}, {}, {}, {}, false, true, kDesktop + "Demo.LNK",
         Placed(kDesktop + "Demo.LNK") +
             Written(kDesktop + "Demo.LNK", "D:\\run.exe", "D:\\", {"D:\\run.exe,0", "D:\\run.exe"}, "0", "", "", "")},
        {"suffix inside the name", "a.lnkfile", "D:\\run.exe", {}, {}, {}, {}, {}, false, true, kDesktop + "a.lnkfile",
         Placed(kDesktop + "a.lnkfile") +
             Written(kDesktop + "a.lnkfile", "D:\\run.exe", "D:\\", {"D:\\run.exe,0", "D:\\run.exe"}, "0", "", "", "")},
        {"an existing link is removed first", "Demo.lnk", "D:\\run.exe", {}, {}, {}, {}, {}, true, true, demo,
         Placed(demo) + CallLines{"RemoveFile(" + Q(demo) + ")"} +
             Written(demo, "D:\\run.exe", "D:\\", {"D:\\run.exe,0", "D:\\run.exe"}, "0", "", "", "")},
        {"doubled backslash stays doubled in the working folder", "Demo", "D:\\\\A\\run.exe", {}, {}, {}, {}, {}, false,
         true, demo,
         Placed(demo) + Written(demo, "D:\\\\A\\run.exe", "D:\\\\A\\", {"D:\\\\A\\run.exe,0", "D:\\\\A\\run.exe"}, "0",
                                "", "", "")},
        {"target without backslash: old link removed, nothing written", "Demo.lnk", "run.exe", {}, {}, {}, {}, {}, true,
         false, demo, Placed(demo) + CallLines{"RemoveFile(" + Q(demo) + ")"}},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fake fake;
        if (c.oldLinkExists) fake.AddFile(Text(c.expectedFile));
        Text linkName = c.linkName;
        EXPECT_EQ(CreateShortcutLink(fake, linkName, c.target, c.arguments, c.icon, c.style, c.description, c.hotKey),
                  c.expectedResult);
        EXPECT_EQ(linkName, Text(c.expectedFile));
        EXPECT_FALSE(fake.Exists(Text(c.expectedFile)));
        EXPECT_TRUE(SameCalls(fake.calls, c.expected));
    }
}

TEST(CreateShortcutLink, FailuresOfTheScriptHostStopEarly) {
    const std::string demo = kDesktop + "Demo.lnk";
    const CallLines created = {"CreateAutomationObject(\"WshShell\", \"wshom.ocx\")",
                               "CallMethod(obj1, \"CreateShortcut\", [" + Q(demo) + "])", "Clear(obj1)"};
    struct Case {
        const char* name;
        void (*script)(Fake&);
        CallLines expected;
    } cases[] = {
        {"script host missing", [](Fake& f) { f.scriptHostAvailable = false; },
         Placed(demo) + CallLines{"CreateAutomationObject(\"WshShell\", \"wshom.ocx\")"}},
        {"no shortcut object", [](Fake& f) { f.shortcutObjectEmpty = true; },
         Placed(demo) + created + CallLines{"IsEmpty(empty)"}},
        {"target refused", [](Fake& f) { f.refusedProperties.insert("TargetPath"); },
         Placed(demo) + created +
             CallLines{"IsEmpty(obj2)", "WriteProperty(obj2, \"TargetPath\", \"D:\\run.exe\")", "Clear(obj2)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fake fake;
        c.script(fake);
        Text linkName = "Demo";
        EXPECT_FALSE(CreateShortcutLink(fake, linkName, "D:\\run.exe"));
        EXPECT_TRUE(SameCalls(fake.calls, c.expected));
    }
}

// Without a desktop folder the bare name reaches the script host.
TEST(CreateShortcutLink, NoDesktopFolderGivesABareName) {
    RecordingServices fake;
    Text linkName = "Demo";
    EXPECT_TRUE(CreateShortcutLink(fake, linkName, "D:\\run.exe"));
    EXPECT_EQ(linkName, Text("Demo.lnk"));
    EXPECT_EQ(fake.calls.at(3), "CallMethod(obj1, \"CreateShortcut\", [\"Demo.lnk\"])");
}

TEST(FileTitleAndExtension, CaseTable) {
    struct Case {
        Text path;
        std::optional<bool> keepExtension;
        Text title, extension;
    } cases[] = {
        {"Trade.lnk", std::nullopt, "Trade", ".lnk"},
        {"X:\\Links\\Trade.lnk", std::nullopt, "Trade", ".lnk"},
        {"X:\\Links\\Trade.lnk", true, "Trade.lnk", ".lnk"},
        {"X:\\Links\\Trade.lnk", false, "Trade", ".lnk"},
        {"archive.tar.gz", std::nullopt, "archive.tar", ".gz"},
        {"D:\\Tools\\run", std::nullopt, "run", ""},
        {"D:\\a.b\\run", std::nullopt, "run", ""},
        {"D:\\Varnesse商城\\行情.exe", std::nullopt, "行情", ".exe"},
        {"", std::nullopt, "", ""},
    };
    for (const Case& c : cases) {
        RecordingServices fake;
        EXPECT_EQ(FileTitleOf(fake, c.path, c.keepExtension), c.title) << c.path.Bytes();
        EXPECT_EQ(ExtensionOf(fake, c.path), c.extension) << c.path.Bytes();
    }
}

}  // namespace
}  // namespace varnesse
