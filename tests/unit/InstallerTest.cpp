#include <gtest/gtest.h>

#include "app/InstallerHandlers.h"
#include "app/ProgramMain.h"
#include "app/RememberedDrive.h"
#include "tests/support/CallLines.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/ThrowingFatalError.h"

namespace varnesse {
namespace {

constexpr int32_t kMainWindow = 1375797249;
constexpr int32_t kWindowItself = 0x06010000;
constexpr int32_t kInstallLabel = 0x16010007;

const uint8_t kArchiveBytes[] = {'A', 'R', 'C', 'H', 'I', 'V', 'E'};
const uint8_t kUninstallerBytes[] = {'U', 'N', 'I', 'N', 'S', 'T', 'A', 'L', 'L', 'E', 'R'};
const InstallerPayloads kPayloads{{kArchiveBytes, sizeof kArchiveBytes},
                                  {kUninstallerBytes, sizeof kUninstallerBytes}};

const std::string kDesktop = "C:\\users\\tester\\Desktop\\";
const std::string kPrograms = "C:\\users\\tester\\Start Menu\\Programs\\";

// The main window as the test binds it: created event and the install label.
std::vector<WindowDescription> TestWindows(Services& services) {
    WindowDescription main;
    main.windowId = kMainWindow;
    UnitDescription itself;
    itself.kind = UnitKind::Window;
    itself.id = kWindowItself;
    itself.events.push_back({0, [&services](const std::vector<int32_t>&) -> std::optional<bool> {
                                 OnMainWindowCreated(services);
                                 return std::nullopt;
                             }});
    UnitDescription label;
    label.kind = UnitKind::TransparentLabel;
    label.id = kInstallLabel;
    label.events.push_back({-1, [&services](const std::vector<int32_t>& a) -> std::optional<bool> {
                                OnInstallPressed(services, kPayloads, a.at(0), a.at(1), a.at(2));
                                return std::nullopt;
                            }});
    main.units = {itself, label};
    return {main};
}

class Installer : public RecordingServices {
public:
    Installer() : RecordingServices(TestWindows) {
        specialFolders = {{3, Text(kDesktop)}, {6, Text(kPrograms)}};
        shellFolders = {{0x10, Text("C:\\users\\tester\\Desktop")}};
        drivesOfKind[1] = TextList({"C:"});
    }
    void Press() { Fire(kMainWindow, kInstallLabel, -1, {30, 12, 0}); }
    void RunningPrograms(const std::vector<std::string>& names) {
        for (const std::string& name : names) processes.push_back(ProcessInfo{100, Text(name)});
    }
};

// Runs the program as its entry point does: ProgramMain, then EndProgram
// with its result; gives the exit code.
int32_t RunProgram(Services& services) {
    try {
        services.EndProgram(ProgramMain(services));
    } catch (const ProgramEnded& ended) {
        return ended.code;
    }
    ADD_FAILURE() << "the program did not end";
    return -1;
}

// ---- Expected call lines ----

const std::string kReadDrive = "ReadControlProperty(1375797249, 369164291, 8, -1)";
const std::string kOwner = "unit(1375797249, 0x06010000)";

CallLines Frame(bool firstInstallation) {
    CallLines lines = {"StartWindowRuntime()", "AddExitCallback()", "LoadStartWindow(1375797249)",
                       "ReadRegistryText(3, \"Varnesse商城\\安装目录\", \"shibai\")"};
    if (firstInstallation) lines.push_back("ListDrives(1)");  // one fixed disk: nothing preselected
    lines.push_back("RunMessageLoop()");
    return lines;
}

CallLines Stops(const std::vector<std::string>& names) {
    CallLines lines = {"ListProcesses()"};
    for (const std::string& name : names) {
        for (int i = 0; i < 2; ++i) lines.push_back("RunCommandLine(" + Q("cmd /c taskkill /im " + name + " /f") + ", false, 1)");
    }
    return lines;
}

const CallLines kWait = {"DelayWithEvents(2000)", "WindowExists(1375797249)"};

CallLines Removal(const std::string& d, std::optional<std::string> removedDrive) {
    CallLines lines = {kReadDrive, "FileExists(" + Q(d + ":\\Varnesse商城") + ")"};
    if (removedDrive) lines.push_back("RemoveDirectoryTree(" + Q(*removedDrive + ":\\Varnesse商城") + ")");
    return lines;
}

CallLines Creation(const std::string& d, bool existing) {
    const std::string test = "FileExists(" + Q(d + ":\\Varnesse商城") + ")";
    const std::string make = "MakeDirectory(" + Q(d + ":\\Varnesse商城") + ")";
    if (existing) return {kReadDrive, test, kReadDrive, test};
    return {kReadDrive, test, kReadDrive, make, kReadDrive, test};
}

const CallLines kOldShortcuts = {
    "GetSpecialFolder(3)", "RemoveFile(" + Q(kDesktop + "Varnesse行情分析系统.lnk") + ")",
    "GetSpecialFolder(6)", "RemoveFile(" + Q(kPrograms + "Varnesse商城\\Varnesse行情分析系统.lnk") + ")",
    "GetSpecialFolder(3)", "RemoveFile(" + Q(kDesktop + "Varnesse商城.lnk") + ")",
    "GetSpecialFolder(6)", "RemoveFile(" + Q(kPrograms + "Varnesse商城\\Varnesse商城.lnk") + ")",
    "GetSpecialFolder(6)", "RemoveFile(" + Q(kPrograms + "Varnesse商城") + ")",
};

CallLines WriteAndExtract(const std::string& d) {
    return {kReadDrive,
            "WriteBytesToFile(" + Q(d + ":\\Varnesse商城\\QARN客户端资源.zip") + ", [block(\"ARCHIVE\")])",
            kReadDrive,
            kReadDrive,
            "ExtractArchive(unit(1375797249, 0x1601002D), " + Q(d + ":\\Varnesse商城\\QARN客户端资源.zip") + ", " +
                Q(d + ":\\Varnesse商城") + ")"};
}

CallLines DesktopShortcut(const std::string& name, const std::string& target, const std::string& workingFolder,
                          const std::string& icon, const std::string& description, int firstObject) {
    auto obj = [firstObject](int n) { return "obj" + std::to_string(firstObject + n); };
    return {kReadDrive,
            kReadDrive,
            "ShellFolderPath(16)",
            "FileExists(" + Q(kDesktop + name) + ")",
            "CreateAutomationObject(\"WshShell\", \"wshom.ocx\")",
            "CallMethod(" + obj(0) + ", \"CreateShortcut\", [" + Q(kDesktop + name) + "])",
            "Clear(" + obj(0) + ")",
            "IsEmpty(" + obj(1) + ")",
            "WriteProperty(" + obj(1) + ", \"TargetPath\", " + Q(target) + ")",
            "WriteProperty(" + obj(1) + ", \"WorkingDirectory\", " + Q(workingFolder) + ")",
            "WriteProperty(" + obj(1) + ", \"IconLocation\", " + Q(icon) + ")",
            "WriteProperty(" + obj(1) + ", \"WindowStyle\", 0)",
            "WriteProperty(" + obj(1) + ", \"Description\", " + Q(description) + ")",
            "WriteProperty(" + obj(1) + ", \"Arguments\", \"\")",
            "WriteProperty(" + obj(1) + ", \"Hotkey\", \"\")",
            "CallMethod(" + obj(1) + ", \"Save\", [])",
            "Clear(" + obj(1) + ")",
            "Clear(" + obj(2) + ")"};
}

CallLines MenuShortcut(const std::string& link, const std::string& target, const std::string& description,
                       const std::string& workingFolder) {
    return {"GetSpecialFolder(6)", kReadDrive, kReadDrive,
            "CreateShellShortcut(" + Q(kPrograms + link) + ", " + Q(target) + ", " + Q(description) + ", <left out>, " +
                Q(workingFolder) + ")"};
}

CallLines Setting(const std::string& d, const std::string& key, const std::string& value) {
    return {kReadDrive, kReadDrive,
            "WriteIniValue(" + Q(d + ":\\Varnesse商城\\Orvu\\ICONFIG.INI") + ", \"ICONFIG\", " + Q(key) + ", " +
                Q(value) + ")"};
}

CallLines Success(const std::string& d) {
    const std::string home = d + ":\\Varnesse商城";
    return DesktopShortcut("Varnesse行情分析系统.lnk", home + "\\Orvu\\Talvikqarn.exe", home + "\\Orvu\\",
                           home + "\\Orvu\\Pelvane.ico", "Lumeno行情", 1) +
           DesktopShortcut("Varnesse商城.lnk", home + "\\Trade\\Renovix-trade\\Renovix.exe",
                           home + "\\Trade\\Renovix-trade\\", home + "\\Orvu\\Pelvane.ico", "Varnesse商城", 4) +
           CallLines{"GetSpecialFolder(6)", "MakeDirectory(" + Q(kPrograms + "Varnesse商城") + ")"} +
           MenuShortcut("Varnesse商城\\Varnesse行情分析系统.lnk", home + "\\Orvu\\Talvikqarn.exe", "Lumeno行情",
                        home + "\\Orvu") +
           MenuShortcut("Varnesse商城\\Varnesse商城.lnk", home + "\\Trade\\Renovix-trade\\Renovix.exe", "Varnesse商城",
                        home + "\\Trade\\Renovix-trade\\") +
           MenuShortcut("Varnesse商城\\卸载.lnk", home + "\\qarnUninstall.exe", "卸载客户端", home) +
           CallLines{kReadDrive, "WriteRegistryValue(3, \"Varnesse商城\\安装目录\", " + Q(d) + ")", kReadDrive,
                     "WriteBytesToFile(" + Q(home + "\\qarnUninstall.exe") + ", [block(\"UNINSTALLER\")])"} +
           Setting(d, "ORDER", home + "\\Trade\\Renovix-trade\\Renovix.exe") + Setting(d, "BASEPATH", home + "\\Orvu") +
           Setting(d, "ALERT", home + "\\Orvu\\USERS\\ALERT.WAV") +
           CallLines{"ShowMessage(\"恭喜，安装成功！\", 64, \"提示：\", " + kOwner + ")", "EndProgram(0)",
                     "(exit callback)"};
}

const CallLines kFailure = {"ShowMessage(\"抱歉，安装失败！请重新安装！\", 64, \"提示：\", " + kOwner + ")"};
// The user closes the window after a failure; the entry point ends the program.
const CallLines kClosedAfterwards = {"EndProgram(0)", "(exit callback)"};

// ---- Scenarios ----

struct InstallScenario {
    const char* name;
    std::optional<Text> registryDrive;  // nullopt: no value
    Text chosenDrive;
    std::vector<Text> existingFolders;
    std::vector<std::string> running;
    int32_t writeResult;
    int32_t extractResult;
    CallLines expected;
};

TEST(InstallProcedure, ScenarioTable) {
    const std::string kMain = "Varnesse商城";
    const InstallScenario scenarios[] = {
        {"first installation, one client running", std::nullopt, "D", {}, {"explorer.exe", "Talvikqarn.exe"}, 1, 1,
         Frame(true) + Stops({"Talvikqarn.exe"}) + kWait + Removal("D", std::nullopt) + Creation("D", false) +
             kOldShortcuts + WriteAndExtract("D") + Success("D")},
        {"first installation over an existing folder", std::nullopt, "D", {"D:\\Varnesse商城"}, {}, 1, 1,
         Frame(true) + Stops({}) + kWait + Removal("D", "shibai") + Creation("D", true) + kOldShortcuts +
             WriteAndExtract("D") + Success("D")},
        {"reinstall on the remembered drive", Text("D"), "D", {"D:\\Varnesse商城"}, {}, 1, 1,
         Frame(false) + Stops({}) + kWait + Removal("D", "D") + Creation("D", false) + kOldShortcuts +
             WriteAndExtract("D") + Success("D")},
        {"reinstall onto another drive holding the folder", Text("D"), "E", {"D:\\Varnesse商城", "E:\\Varnesse商城"},
         {}, 1, 1,
         Frame(false) + Stops({}) + kWait + Removal("E", "D") + Creation("E", true) + kOldShortcuts +
             WriteAndExtract("E") + Success("E")},
        {"reinstall onto another drive without the folder", Text("D"), "E", {"D:\\Varnesse商城"}, {}, 1, 1,
         Frame(false) + Stops({}) + kWait + Removal("E", std::nullopt) + Creation("E", false) + kOldShortcuts +
             WriteAndExtract("E") + Success("E")},
        {"archive cannot be written", std::nullopt, "D", {}, {}, 0, 1,
         Frame(true) + Stops({}) + kWait + Removal("D", std::nullopt) + Creation("D", false) + kOldShortcuts +
             WriteAndExtract("D") + kFailure + kClosedAfterwards},
        {"extraction fails", std::nullopt, "D", {}, {}, 1, 0,
         Frame(true) + Stops({}) + kWait + Removal("D", std::nullopt) + Creation("D", false) + kOldShortcuts +
             WriteAndExtract("D") + kFailure + kClosedAfterwards},
        {"archive missing for extraction", std::nullopt, "D", {}, {}, 1, -1,
         Frame(true) + Stops({}) + kWait + Removal("D", std::nullopt) + Creation("D", false) + kOldShortcuts +
             WriteAndExtract("D") + kFailure + kClosedAfterwards},
        {"two copies of one client", std::nullopt, "D", {}, {"Mercavo.exe", "cmd.exe", "Mercavo.exe"}, 1, 0,
         Frame(true) + Stops({"Mercavo.exe", "Mercavo.exe"}) + kWait + Removal("D", std::nullopt) +
             Creation("D", false) + kOldShortcuts + WriteAndExtract("D") + kFailure + kClosedAfterwards},
        {"all four clients, names in other letter case", std::nullopt, "D", {},
         {"RENOVIX.EXE", "entrava.exe", "MerCavo.Exe", "talvikQARN.exe"}, 1, 0,
         Frame(true) + Stops({"RENOVIX.EXE", "entrava.exe", "MerCavo.Exe", "talvikQARN.exe"}) + kWait +
             Removal("D", std::nullopt) + Creation("D", false) + kOldShortcuts + WriteAndExtract("D") + kFailure +
             kClosedAfterwards},
        {"names that merely contain a client name", std::nullopt, "D", {},
         {"xMercavo.exe", "Mercavo.exe.bak", "Mercavo.exe ", "Mercavo", ""}, 1, 0,
         Frame(true) + Stops({}) + kWait + Removal("D", std::nullopt) + Creation("D", false) + kOldShortcuts +
             WriteAndExtract("D") + kFailure + kClosedAfterwards},
        {"empty registry value: removal path without a drive", Text(""), "D", {"D:\\Varnesse商城"}, {}, 1, 0,
         Frame(false) + Stops({}) + kWait + Removal("D", "") + Creation("D", true) + kOldShortcuts +
             WriteAndExtract("D") + kFailure + kClosedAfterwards},
    };
    for (const InstallScenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        Installer fake;
        if (s.registryDrive) fake.registry[{3, "Varnesse商城\\安装目录"}] = *s.registryDrive;
        fake.currentDrive = s.chosenDrive;
        for (const Text& folder : s.existingFolders) fake.AddFolder(folder);
        fake.RunningPrograms(s.running);
        fake.writeResults[s.chosenDrive.Bytes() + ":\\Varnesse商城\\QARN客户端资源.zip"] = s.writeResult;
        fake.extractResult = s.extractResult;
        fake.duringMessageLoop = {[&fake] { fake.Press(); }};

        EXPECT_EQ(RunProgram(fake), 0);
        EXPECT_TRUE(SameCalls(fake.calls, s.expected));
        EXPECT_EQ(RememberedDrive(), Text()) << "the exit clean-up releases the remembered drive";
    }
}

TEST(InstallProcedure, EffectsOfAReinstallOntoAnotherDrive) {
    Installer fake;
    fake.registry[{3, "Varnesse商城\\安装目录"}] = Text("D");
    fake.currentDrive = "E";
    fake.AddFolder("D:\\Varnesse商城");
    fake.AddFile("D:\\Varnesse商城\\Trade\\Renovix.exe");
    fake.AddFolder("E:\\VARNESSE商城");  // names match without regard to case
    fake.duringMessageLoop = {[&fake] { fake.Press(); }};

    EXPECT_EQ(RunProgram(fake), 0);
    EXPECT_FALSE(fake.Exists("D:\\Varnesse商城"));
    EXPECT_FALSE(fake.Exists("D:\\Varnesse商城\\Trade\\Renovix.exe"));
    EXPECT_TRUE(fake.IsFolder("E:\\Varnesse商城"));
    EXPECT_TRUE(fake.Exists("E:\\Varnesse商城\\QARN客户端资源.zip"));
    EXPECT_TRUE(fake.Exists("E:\\Varnesse商城\\qarnUninstall.exe"));
    EXPECT_EQ(std::get<Text>(fake.registry.at({3, "Varnesse商城\\安装目录"})), Text("E"));
}

TEST(InstallProcedure, FolderCreationIsTriedTwice) {
    Installer fake;
    fake.currentDrive = "D";
    fake.refusedFolders.insert("D:\\Varnesse商城");
    fake.writeResults["D:\\Varnesse商城\\QARN客户端资源.zip"] = 0;
    fake.duringMessageLoop = {[&fake] { fake.Press(); }};

    const std::string test = "FileExists(\"D:\\Varnesse商城\")";
    const std::string make = "MakeDirectory(\"D:\\Varnesse商城\")";
    EXPECT_EQ(RunProgram(fake), 0);
    EXPECT_TRUE(SameCalls(fake.calls, Frame(true) + Stops({}) + kWait + Removal("D", std::nullopt) +
                                          CallLines{kReadDrive, test, kReadDrive, make, kReadDrive, test, kReadDrive,
                                                    make} +
                                          kOldShortcuts + WriteAndExtract("D") + kFailure + kClosedAfterwards));
}

// The window closed during the two-second wait: nothing more is touched and
// the program ends normally, the clean-up running once.
TEST(InstallProcedure, WindowClosedDuringTheWait) {
    Installer fake;
    fake.currentDrive = "D";
    fake.RunningPrograms({"Entrava.exe"});
    fake.duringDelay = {[&fake] { fake.CloseWindow(kMainWindow); }};
    fake.duringMessageLoop = {[&fake] { fake.Press(); }};

    int32_t exitCode = -1;
    EXPECT_NO_THROW(exitCode = RunProgram(fake));
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(SameCalls(fake.calls, Frame(true) + Stops({"Entrava.exe"}) +
                                          CallLines{"DelayWithEvents(2000)", "WindowExists(1375797249)"} +
                                          kClosedAfterwards));
    EXPECT_EQ(RememberedDrive(), Text());
}

// A second press during the wait runs the whole procedure inside the first;
// the first then goes on where it was, and finds the folder the second made.
TEST(InstallProcedure, SecondPressDuringTheWait) {
    Installer fake;
    fake.currentDrive = "D";
    fake.extractResult = 0;
    fake.duringDelay = {[&fake] { fake.Press(); }};
    fake.duringMessageLoop = {[&fake] { fake.Press(); }};

    const CallLines afterWait = Removal("D", std::nullopt) + Creation("D", false) + kOldShortcuts +
                                WriteAndExtract("D") + kFailure;
    EXPECT_EQ(RunProgram(fake), 0);
    EXPECT_TRUE(SameCalls(fake.calls, Frame(true) + Stops({}) + CallLines{"DelayWithEvents(2000)"} + Stops({}) +
                                          kWait + afterWait + CallLines{"WindowExists(1375797249)"} +
                                          Removal("D", "shibai") + Creation("D", true) + kOldShortcuts +
                                          WriteAndExtract("D") + kFailure + kClosedAfterwards));
}

TEST(InstallProcedure, SecondPressThatSucceedsEndsTheProgramInsideTheWait) {
    Installer fake;
    fake.currentDrive = "D";
    fake.duringDelay = {[&fake] { fake.Press(); }};
    fake.duringMessageLoop = {[&fake] { fake.Press(); }};

    EXPECT_EQ(RunProgram(fake), 0);
    EXPECT_TRUE(SameCalls(fake.calls, Frame(true) + Stops({}) + CallLines{"DelayWithEvents(2000)"} + Stops({}) +
                                          kWait + Removal("D", std::nullopt) + Creation("D", false) + kOldShortcuts +
                                          WriteAndExtract("D") + Success("D")));
}

struct StartScenario {
    const char* name;
    std::optional<RegistryValue> registryValue;
    std::vector<Text> fixedDisks;
    Text expectedRemembered;
    CallLines expectedAfterRead;
    Text expectedDriveBox;
};

TEST(MainWindowCreated, ScenarioTable) {
    const std::string kPreselectC = "WriteControlProperty(1375797249, 369164291, 8, -1, \"C:\", 0)";
    const StartScenario scenarios[] = {
        {"no value, disks C and D", std::nullopt, {"C:", "D:"}, "shibai", {"ListDrives(1)", kPreselectC}, "C"},
        {"no value, disks C, D and E", std::nullopt, {"C:", "D:", "E:"}, "shibai", {"ListDrives(1)", kPreselectC},
         "C"},
        {"no value, only disk C", std::nullopt, {"C:"}, "shibai", {"ListDrives(1)"}, "E"},
        {"no value, no fixed disk", std::nullopt, {}, "shibai", {"ListDrives(1)"}, "E"},
        {"value D", RegistryValue(Text("D")), {"C:", "D:"}, "D", {}, "E"},
        {"value literally shibai", RegistryValue(Text("shibai")), {"C:", "D:"}, "shibai",
         {"ListDrives(1)", kPreselectC}, "C"},
        {"value of a number type", RegistryValue(int32_t{4}), {"C:", "D:"}, "shibai", {"ListDrives(1)", kPreselectC},
         "C"},
        {"empty value", RegistryValue(Text("")), {"C:", "D:"}, "", {}, "E"},
    };
    for (const StartScenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        Installer fake;
        if (s.registryValue) fake.registry[{3, "Varnesse商城\\安装目录"}] = *s.registryValue;
        fake.drivesOfKind[1] = TextList(s.fixedDisks);
        fake.currentDrive = "E";  // the drive box's own start selection
        Text rememberedDuringRun;
        fake.duringMessageLoop = {[&] { rememberedDuringRun = RememberedDrive(); }};

        EXPECT_EQ(RunProgram(fake), 0);
        EXPECT_TRUE(SameCalls(fake.calls, CallLines{"StartWindowRuntime()", "AddExitCallback()",
                                                    "LoadStartWindow(1375797249)",
                                                    "ReadRegistryText(3, \"Varnesse商城\\安装目录\", \"shibai\")"} +
                                              s.expectedAfterRead + CallLines{"RunMessageLoop()"} + kClosedAfterwards));
        EXPECT_EQ(rememberedDuringRun, s.expectedRemembered);
        EXPECT_EQ(fake.currentDrive, s.expectedDriveBox);
        EXPECT_EQ(RememberedDrive(), Text());
    }
}

}  // namespace
}  // namespace varnesse
