// Placeholder until the window runtime lands.
#include <windows.h>

#include <cstdlib>

#include "services/FatalError.h"
#include "services/Win32Services.h"
#include "services/window/RuntimeHooks.h"

namespace varnesse {
namespace window {
void ShutDownRuntime() {}
bool DispatchOnePendingMessage() { return false; }
HWND WindowHandleOf(const WindowUnit&) { return nullptr; }
}  // namespace window

void RaiseFatalRuntimeError(const FatalError& error) {
    MessageBoxA(nullptr, error.message.CString(), "错误", MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}

void Win32Services::StartWindowRuntime() {}
void Win32Services::AddExitCallback(ExitCallback) {}
void Win32Services::LoadStartWindow(int32_t) {}
void Win32Services::RunMessageLoop() {}
PropertyValue Win32Services::ReadControlProperty(int32_t, int32_t, int32_t, int32_t) { return {}; }
void Win32Services::WriteControlProperty(int32_t, int32_t, int32_t, int32_t, const PropertyValue&, int32_t) {}
}  // namespace varnesse
