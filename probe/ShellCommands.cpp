// Processes, waiting, messages, shell folders, shortcuts and automation:
//   ListProcesses                      one line per process: id, parent, threads,
//                                      priority, module id, name (tab-separated)
//   RunCommandLine CMD [WAIT [SHOWMODE]]
//   WriteStartupShowCommand FILE       writes this process's start-up show command
//   DelayWithEvents MS [quit]          "elapsed=MS cpu=MS" (quit: WM_QUIT posted first,
//                                      then "quit=1" when it is still queued)
//   PollingDelay MS                    "elapsed=MS cpu=MS" of a busy polling wait of the
//                                      same length (the benchmark's reference)
//   ShowMessage TEXT FLAGS [TITLE]     the result
//   EndProgram CODE                    two exit callbacks print "first" and "second",
//                                      then the program ends with CODE
//   GetSpecialFolder KIND, SpecialFolderPath [KIND]
//   CreateShellShortcut LINK TARGET [DESC [ARGS [WORKDIR]]]
//   CreateShortcutLink NAME TARGET [ARGS [ICON [STYLE [DESC [HOTKEY]]]]]
//                                      the result and the link path used
//   WshShortcut LINK [NAME=TEXT | NAME#NUMBER]...
//                                      the automation route step by step
// "--omit" leaves a position out.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/ShortcutWriter.h"
#include "app/SpecialFolderPath.h"
#include "probe/Probe.h"
#include "tests/support/OleSession.h"

namespace varnesse::probe {
namespace {

const Text kOmit("--omit");

// An optional position that may also be left out in the middle, as "--omit".
std::optional<Text> Position(const Arguments& arguments, size_t index) {
    std::optional<Text> given = OptionalArgument(arguments, index);
    if (given == kOmit) return std::nullopt;
    return given;
}

std::optional<int32_t> IntegerPosition(const Arguments& arguments, size_t index) {
    if (auto text = Position(arguments, index)) return IntegerArgument(*text);
    return std::nullopt;
}

int ListAll(Services& services, const Arguments&) {
    for (const ProcessInfo& process : services.ListProcesses()) {
        std::printf("%lu\t%lu\t%lu\t%ld\t%lu\t", static_cast<unsigned long>(process.ProcessId),
                    static_cast<unsigned long>(process.ParentProcessId), static_cast<unsigned long>(process.ThreadCount),
                    static_cast<long>(process.BasePriority), static_cast<unsigned long>(process.ModuleId));
        PrintText(process.ExeName);
    }
    return 0;
}

int RunCommand(Services& services, const Arguments& a) {
    std::optional<bool> wait;
    if (auto flag = IntegerPosition(a, 1)) wait = *flag != 0;
    PrintInteger(services.RunCommandLine(a[0], wait, IntegerPosition(a, 2)));
    return 0;
}

int WriteStartupShowCommand(Services&, const Arguments& a) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    FILE* file = std::fopen(a[0].CString(), "w");
    if (!file) return 1;
    std::fprintf(file, "%d\n", (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1);
    std::fclose(file);
    return 0;
}

uint64_t ProcessorMilliseconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return (ticks(kernel) + ticks(user)) / 10000;
}

int Delay(Services& services, const Arguments& a) {
    const bool quit = a.size() > 1 && a[1] == Text("quit");
    if (quit) PostQuitMessage(7);
    const uint64_t processorBefore = ProcessorMilliseconds();
    const ULONGLONG before = GetTickCount64();
    services.DelayWithEvents(IntegerArgument(a[0]));
    const ULONGLONG elapsed = GetTickCount64() - before;
    const uint64_t processor = ProcessorMilliseconds() - processorBefore;
    std::printf("elapsed=%llu cpu=%llu\n", static_cast<unsigned long long>(elapsed),
                static_cast<unsigned long long>(processor));
    if (quit) {
        MSG message;
        const bool queued = PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) && message.wParam == 7;
        std::printf("quit=%d\n", queued ? 1 : 0);
    }
    return 0;
}

// The reference for the delay benchmark: the queue polled without pause
// until the tick counter passes the deadline.
int PollingDelay(Services&, const Arguments& a) {
    const uint64_t processorBefore = ProcessorMilliseconds();
    const ULONGLONG before = GetTickCount64();
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(IntegerArgument(a[0]));
    MSG message;
    while (GetTickCount() <= deadline) PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    std::printf("elapsed=%llu cpu=%llu\n", static_cast<unsigned long long>(GetTickCount64() - before),
                static_cast<unsigned long long>(ProcessorMilliseconds() - processorBefore));
    return 0;
}

int Message(Services& services, const Arguments& a) {
    PrintInteger(services.ShowMessage(a[0], IntegerArgument(a[1]), Position(a, 2), std::nullopt));
    return 0;
}

void FirstExitCallback() {
    std::printf("first\n");
    std::fflush(stdout);
}

void SecondExitCallback() {
    std::printf("second\n");
    std::fflush(stdout);
}

int End(Services& services, const Arguments& a) {
    services.AddExitCallback(FirstExitCallback);
    services.AddExitCallback(SecondExitCallback);
    services.EndProgram(IntegerArgument(a[0]));
    return 0;  // not reached
}

int ShellShortcut(Services& services, const Arguments& a) {
    OleSession ole;
    PrintInteger(services.CreateShellShortcut(a[0], a[1], Position(a, 2), Position(a, 3), Position(a, 4)));
    return 0;
}

int ShortcutLink(Services& services, const Arguments& a) {
    OleSession ole;
    Text linkName = a[0];
    const bool made = CreateShortcutLink(services, linkName, a[1], Position(a, 2), Position(a, 3),
                                         IntegerPosition(a, 4), Position(a, 5), Position(a, 6));
    PrintInteger(made);
    PrintText(linkName);
    return 0;
}

// Each property argument is NAME=TEXT or NAME#NUMBER; prints "NAME 1|0".
AutomationArgument PropertyArgument(const std::string& argument, std::string& name) {
    const size_t text = argument.find('=');
    const size_t number = argument.find('#');
    if (text != std::string::npos && (number == std::string::npos || text < number)) {
        name = argument.substr(0, text);
        return Text(argument.substr(text + 1));
    }
    if (number != std::string::npos) {
        name = argument.substr(0, number);
        return IntegerArgument(Text(argument.substr(number + 1)));
    }
    name = argument;
    return OmittedArgument{};
}

int WshShortcut(Services& services, const Arguments& a) {
    OleSession ole;
    AutomationObject shell;
    const bool created = services.CreateAutomationObject(shell, "WshShell", Text("wshom.ocx"));
    std::printf("create %d\n", created ? 1 : 0);
    AutomationObject shortcut = services.CallMethod(shell, "CreateShortcut", {a[0]});
    services.Clear(shell);
    std::printf("shortcut %d\n", services.IsEmpty(shortcut) ? 0 : 1);
    for (size_t i = 1; i < a.size(); ++i) {
        std::string name;
        AutomationArgument value = PropertyArgument(a[i].Bytes(), name);
        std::printf("%s %d\n", name.c_str(), services.WriteProperty(shortcut, Text(name), value) ? 1 : 0);
    }
    AutomationObject saved = services.CallMethod(shortcut, "Save", {});
    std::printf("save-result-empty %d\n", services.IsEmpty(saved) ? 1 : 0);
    services.Clear(saved);
    services.Clear(shortcut);
    return 0;
}

}  // namespace

std::vector<ProbeCommand> ShellCommands() {
    return {
        {"ListProcesses", 0, 0, ListAll},
        {"RunCommandLine", 1, 3, RunCommand},
        {"WriteStartupShowCommand", 1, 1, WriteStartupShowCommand},
        {"DelayWithEvents", 1, 2, Delay},
        {"PollingDelay", 1, 1, PollingDelay},
        {"ShowMessage", 2, 3, Message},
        {"EndProgram", 1, 1, End},
        {"GetSpecialFolder", 1, 1,
         [](Services& s, const Arguments& a) { PrintText(s.GetSpecialFolder(IntegerArgument(a[0]))); return 0; }},
        {"SpecialFolderPath", 0, 1,
         [](Services& s, const Arguments& a) { PrintText(SpecialFolderPath(s, IntegerPosition(a, 0))); return 0; }},
        {"CreateShellShortcut", 2, 5, ShellShortcut},
        {"CreateShortcutLink", 2, 7, ShortcutLink},
        {"WshShortcut", 1, 20, WshShortcut},
    };
}

}  // namespace varnesse::probe
