#include <gtest/gtest.h>

#include "tests/support/CallLines.h"
#include "tests/support/RecordingServices.h"
#include "uninstaller/UninstallDrive.h"
#include "uninstaller/UninstallerMain.h"
#include "uninstaller/UninstallerWindows.h"

namespace varnesse {
namespace {

const std::string kDesktop = "C:\\users\\tester\\Desktop\\";
const std::string kPrograms = "C:\\users\\tester\\Start Menu\\Programs\\";

struct Uninstaller : RecordingServices {
    Uninstaller() : RecordingServices(UninstallerWindows) {
        specialFolders = {{3, Text(kDesktop)}, {6, Text(kPrograms)}};
    }
    // A complete installation on drive D.
    void Installed() {
        registry[{3, "Varnesse商城\\安装目录"}] = Text("D");
        registry[{3, "Varnesse商城\\其他"}] = Text("x");
        for (const char* folder : {"D:\\Varnesse商城", "D:\\Varnesse商城\\Trade", "D:\\Varnesse商城\\Orvu"})
            AddFolder(folder);
        for (const char* file : {"D:\\Varnesse商城\\Trade\\Renovix-trade\\Renovix.exe",
                                 "D:\\Varnesse商城\\Orvu\\Talvikqarn.exe", "D:\\Varnesse商城\\QARN客户端资源.zip",
                                 "D:\\Varnesse商城\\qarnUninstall.exe"})
            AddFile(file);
        AddFile(Text(kDesktop + "Varnesse行情分析系统.lnk"));
        AddFile(Text(kDesktop + "Varnesse商城.lnk"));
        AddFolder(Text(kPrograms + "Varnesse商城"));
        for (const char* link : {"Varnesse行情分析系统.lnk", "Varnesse商城.lnk", "卸载.lnk"})
            AddFile(Text(kPrograms + "Varnesse商城\\" + link));
    }
};

int32_t RunUninstaller(Services& services) {
    try {
        services.EndProgram(UninstallerMain(services));
    } catch (const ProgramEnded& ended) {
        return ended.code;
    }
    ADD_FAILURE() << "the program did not end";
    return -1;
}

const CallLines kStart = {"StartWindowRuntime()", "AddExitCallback()", "LoadStartWindow(1375797249)",
                          "ReadRegistryText(3, \"Varnesse商城\\安装目录\", \"shibai\")"};
const std::string kQuestion = "ShowMessage(\"您确定要卸载 Varnesse商城客户端 吗？\", 36, \"重要提示：\", <left out>)";
const std::string kSelfDeletion = "RunCommandLine(\"cmd.exe /c del /f /a qarnUninstall.exe\", false, 1)";
const CallLines kEnd = {"EndProgram(0)", "(exit callback)"};

TEST(Uninstaller, WindowDescription) {
    RecordingServices fake;
    std::vector<WindowDescription> windows = UninstallerWindows(fake);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].windowId, 1375797249);
    EXPECT_EQ(windows[0].settings.caption, Text("Varnesse商城客户端卸载程序"));
    ASSERT_EQ(windows[0].units.size(), 1u);
    ASSERT_EQ(windows[0].units[0].events.size(), 1u);
    EXPECT_EQ(windows[0].units[0].events[0].event, 0);
}

TEST(Uninstaller, NotInstalled) {
    for (std::optional<Text> value : {std::optional<Text>(), std::optional<Text>(Text("shibai"))}) {
        SCOPED_TRACE(value ? "value shibai" : "no value");
        Uninstaller fake;
        if (value) fake.registry[{3, "Varnesse商城\\安装目录"}] = *value;
        fake.AddFolder("D:\\Varnesse商城\\Trade");
        EXPECT_EQ(RunUninstaller(fake), 0);
        EXPECT_TRUE(SameCalls(
            fake.calls,
            kStart + CallLines{"ShowMessage(\"卸载失败！尚未安装Varnesse商城客户端！\", 16, \"错误：\", <left out>)",
                               kSelfDeletion} +
                kEnd));
        EXPECT_TRUE(fake.Exists("D:\\Varnesse商城\\Trade"));
    }
}

TEST(Uninstaller, AnythingButYesRemovesNothing) {
    for (int32_t answer : {6, 0, 1}) {  // No, a box that could not be shown, Cancel
        SCOPED_TRACE(answer);
        Uninstaller fake;
        fake.Installed();
        fake.processes = {ProcessInfo{7, "Mercavo.exe"}};
        fake.messageAnswers = {answer};
        EXPECT_EQ(RunUninstaller(fake), 0);
        EXPECT_TRUE(SameCalls(fake.calls, kStart + CallLines{kQuestion} + kEnd));
        EXPECT_TRUE(fake.Exists("D:\\Varnesse商城\\QARN客户端资源.zip"));
        EXPECT_EQ(fake.registry.size(), 2u);
        EXPECT_EQ(UninstallDrive(), Text()) << "the exit clean-up releases the uninstall drive";
    }
}

TEST(Uninstaller, YesRemovesTheInstallation) {
    Uninstaller fake;
    fake.Installed();
    fake.processes = {ProcessInfo{7, "explorer.exe"}, ProcessInfo{8, "TALVIKQARN.EXE"}, ProcessInfo{9, "Renovix.exe"},
                      ProcessInfo{10, "Renovix.exe.old"}};
    fake.messageAnswers = {5};

    EXPECT_EQ(RunUninstaller(fake), 0);
    const std::string stopQuotes = "RunCommandLine(\"cmd /c taskkill /im TALVIKQARN.EXE /f\", false, 1)";
    const std::string stopTrade = "RunCommandLine(\"cmd /c taskkill /im Renovix.exe /f\", false, 1)";
    EXPECT_TRUE(SameCalls(
        fake.calls,
        kStart + CallLines{
                     kQuestion,
                     "ListProcesses()",
                     stopQuotes,
                     stopQuotes,
                     stopTrade,
                     stopTrade,
                     "DeleteRegistryItem(3, \"Varnesse商城\")",
                     "GetSpecialFolder(3)",
                     "RemoveFile(" + Q(kDesktop + "Varnesse行情分析系统.lnk") + ")",
                     "GetSpecialFolder(6)",
                     "RemoveFile(" + Q(kPrograms + "Varnesse商城\\Varnesse行情分析系统.lnk") + ")",
                     "GetSpecialFolder(3)",
                     "RemoveFile(" + Q(kDesktop + "Varnesse商城.lnk") + ")",
                     "GetSpecialFolder(6)",
                     "RemoveFile(" + Q(kPrograms + "Varnesse商城\\Varnesse商城.lnk") + ")",
                     "GetSpecialFolder(6)",
                     "RemoveFile(" + Q(kPrograms + "Varnesse商城\\卸载.lnk") + ")",
                     "GetSpecialFolder(6)",
                     "RemoveFile(" + Q(kPrograms + "Varnesse商城") + ")",
                     "RemoveDirectoryTree(\"D:\\Varnesse商城\\Trade\")",
                     "RemoveFile(\"D:\\Varnesse商城\\QARN客户端资源.zip\")",
                     "RemoveDirectoryTree(\"D:\\Varnesse商城\\Orvu\")",
                     kSelfDeletion,
                 } +
            kEnd));

    EXPECT_TRUE(fake.registry.empty());
    for (const std::string& gone :
         {kDesktop + "Varnesse行情分析系统.lnk", kDesktop + "Varnesse商城.lnk", kPrograms + "Varnesse商城\\卸载.lnk",
          std::string("D:\\Varnesse商城\\Trade"), std::string("D:\\Varnesse商城\\Orvu\\Talvikqarn.exe"),
          std::string("D:\\Varnesse商城\\QARN客户端资源.zip")})
        EXPECT_FALSE(fake.Exists(Text(gone))) << gone;
    EXPECT_TRUE(fake.IsFolder(Text(kPrograms + "Varnesse商城"))) << "the empty menu folder stays";
    EXPECT_TRUE(fake.IsFolder("D:\\Varnesse商城")) << "the install folder itself stays";
    EXPECT_EQ(UninstallDrive(), Text());
}

}  // namespace
}  // namespace varnesse
