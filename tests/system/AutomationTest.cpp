// Automation objects on the script host's shell object: holders, creation
// routes, late-bound calls and their failures.
#include <windows.h>

#include <gtest/gtest.h>

#include "services/Win32Services.h"
#include "tests/support/OleSession.h"

namespace {

using varnesse::AutomationArgument;
using varnesse::AutomationObject;
using varnesse::OmittedArgument;
using varnesse::Text;

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

class Automation : public ::testing::Test {
protected:
    OleSession ole;
    varnesse::Win32Services services;

    AutomationObject Shortcut(const char* link) {
        AutomationObject shell;
        EXPECT_TRUE(services.CreateAutomationObject(shell, "WshShell", Text("wshom.ocx")));
        AutomationObject shortcut = services.CallMethod(shell, "CreateShortcut", {Text(link)});
        services.Clear(shell);
        return shortcut;
    }
};

TEST_F(Automation, EmptyHolders) {
    AutomationObject holder;
    EXPECT_TRUE(services.IsEmpty(holder));
    services.Clear(holder);
    EXPECT_TRUE(services.IsEmpty(holder));
    EXPECT_FALSE(services.WriteProperty(holder, "TargetPath", Text("C:\\x.exe")));
    EXPECT_TRUE(services.IsEmpty(services.CallMethod(holder, "CreateShortcut", {Text("C:\\x.lnk")})));
}

TEST_F(Automation, CreationRoutes) {
    struct Case {
        const char* name;
        std::optional<Text> library;
        bool created;
    };
    const Case cases[] = {
        {"WshShell", Text("wshom.ocx"), true},
        {"WScript.Shell", std::nullopt, true},
        {"{72C24DD5-D70A-438B-8A42-98424B88AFB8}", std::nullopt, true},
        {"NoSuchObject", Text("wshom.ocx"), false},
        {"WshShell", std::nullopt, false},  // not a programmatic identifier
        {"WshShell", Text("C:\\nowhere\\missing.tlb"), false},
        {"{00000000-0000-0000-0000-00000000BEEF}", std::nullopt, false},
    };
    for (const Case& row : cases) {
        AutomationObject holder;
        EXPECT_EQ(services.CreateAutomationObject(holder, row.name, row.library), row.created) << row.name;
        EXPECT_EQ(services.IsEmpty(holder), !row.created) << row.name;
    }
}

TEST_F(Automation, FailedCreateKeepsTheHeldObject) {
    AutomationObject holder;
    ASSERT_TRUE(services.CreateAutomationObject(holder, "WshShell", Text("wshom.ocx")));
    const auto* before = holder.Reference();
    EXPECT_FALSE(services.CreateAutomationObject(holder, "NoSuchObject", Text("wshom.ocx")));
    EXPECT_EQ(holder.Reference(), before);
    AutomationObject shortcut = services.CallMethod(holder, "CreateShortcut", {Text("C:\\kept.lnk")});
    EXPECT_FALSE(services.IsEmpty(shortcut)) << "the kept object still works";
}

TEST_F(Automation, TooManyArgumentsFailWithoutCallingTheObject) {
    const char* link = "C:\\too-many.lnk";
    DeleteFileA(link);
    AutomationObject shortcut = Shortcut(link);
    ASSERT_FALSE(services.IsEmpty(shortcut));
    ASSERT_TRUE(services.WriteProperty(shortcut, "TargetPath", Text("C:\\windows\\notepad.exe")));
    EXPECT_TRUE(services.IsEmpty(services.CallMethod(shortcut, "Save", {Text("extra")})));
    EXPECT_FALSE(FileExists(link)) << "Save must not have run";
    EXPECT_FALSE(services.WriteProperty(shortcut, "NoSuchProperty", Text("x")));
    // Left-out positions at the end do not count.
    EXPECT_TRUE(services.IsEmpty(services.CallMethod(shortcut, "Save", {OmittedArgument{}})));
    EXPECT_TRUE(FileExists(link)) << "Save returns nothing, yet the file is written";
    DeleteFileA(link);
}

TEST_F(Automation, PropertiesBindWithoutRegardToLetterCase) {
    AutomationObject shortcut = Shortcut("C:\\case.lnk");
    ASSERT_FALSE(services.IsEmpty(shortcut));
    for (const char* name : {"TargetPath", "targetpath", "TARGETPATH"}) {
        EXPECT_TRUE(services.WriteProperty(shortcut, name, Text("C:\\windows\\notepad.exe"))) << name;
    }
    // An integer property given as text is changed to its declared type.
    EXPECT_TRUE(services.WriteProperty(shortcut, "WindowStyle", Text("3")));
    EXPECT_TRUE(services.WriteProperty(shortcut, "WindowStyle", AutomationArgument(int32_t{7})));
}

}  // namespace
