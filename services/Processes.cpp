// Placeholder until the process and message operations land.
#include <windows.h>

#include "services/Win32Services.h"
#include "services/window/RuntimeHooks.h"

namespace varnesse {
std::vector<ProcessInfo> Win32Services::ListProcesses() { return {}; }
bool Win32Services::RunCommandLine(const Text&, std::optional<bool>, std::optional<int32_t>) { return false; }
void Win32Services::DelayWithEvents(int32_t) {}
int32_t Win32Services::ShowMessage(const Text& text, int32_t flags, std::optional<Text> title, std::optional<MessageOwner>) {
    MessageBoxA(nullptr, text.CString(), title ? title->CString() : "", flags);
    return 0;
}
void Win32Services::EndProgram(int32_t exitCode) {
    window::ShutDownRuntime();
    ExitProcess(static_cast<UINT>(exitCode));
}
}  // namespace varnesse
