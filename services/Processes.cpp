// Processes: a snapshot of the running processes, starting a command line,
// and ending the program.
#include <windows.h>
#include <tlhelp32.h>

#include <cstring>
#include <string>

#include "services/Owners.h"
#include "services/Win32Services.h"
#include "services/window/RuntimeHooks.h"

namespace varnesse {
namespace {

#if defined(__i386__)
// The entry layout the product's snapshot walk relies on (ANSI entry).
static_assert(sizeof(PROCESSENTRY32) == 296, "PROCESSENTRY32 (ANSI) is 296 bytes on i686");
#endif

ProcessInfo ToProcessInfo(const PROCESSENTRY32& entry) {
    ProcessInfo info;
    info.ProcessId = entry.th32ProcessID;
    // Bounded: the name is taken up to its end or the end of the field.
    info.ExeName = Text(std::string_view(entry.szExeFile, strnlen(entry.szExeFile, sizeof entry.szExeFile)));
    info.ModuleId = entry.th32ModuleID;
    info.ParentProcessId = entry.th32ParentProcessID;
    info.BasePriority = static_cast<int32_t>(entry.pcPriClassBase);
    info.ThreadCount = entry.cntThreads;
    return info;
}

// Show modes 1..6 (out-of-range values clamped) to the show command.
WORD ShowCommandOf(std::optional<int32_t> showMode) {
    static const WORD kShowCommands[] = {SW_HIDE,           SW_SHOWNORMAL,     SW_SHOWMINIMIZED,
                                         SW_SHOWMAXIMIZED,  SW_SHOWNOACTIVATE, SW_MINIMIZE};
    int32_t mode = showMode.value_or(2);
    if (mode > 6) mode = 6;
    if (mode < 1) mode = 1;
    return kShowCommands[mode - 1];
}

}  // namespace

// Every process of the snapshot is listed, however many there are: the list
// grows with the snapshot instead of stopping at a fixed table size.
std::vector<ProcessInfo> Win32Services::ListProcesses() {
    std::vector<ProcessInfo> processes;
    SnapshotHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL found = Process32First(snapshot.Get(), &entry); found; found = Process32Next(snapshot.Get(), &entry)) {
        processes.push_back(ToProcessInfo(entry));
        entry.dwSize = sizeof entry;
    }
    return processes;
}

// True when the process was started; its exit code is never read. Without
// waiting, returns once the new process is idle, after at most one second.
bool Win32Services::RunCommandLine(const Text& commandLine, std::optional<bool> wait,
                                   std::optional<int32_t> showMode) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = ShowCommandOf(showMode);
    PROCESS_INFORMATION started{};
    // CreateProcessA may write into the command line: give it a copy.
    std::string buffer = commandLine.Bytes();
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        return false;
    }
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
    if (wait.value_or(false)) {
        WaitForSingleObject(process.Get(), INFINITE);
    } else {
        WaitForInputIdle(process.Get(), 1000);
    }
    return true;
}

void Win32Services::EndProgram(int32_t exitCode) {
    window::ShutDownRuntime();
    ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace varnesse
