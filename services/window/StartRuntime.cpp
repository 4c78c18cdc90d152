// StartWindowRuntime: COM, the program's folder as current directory, the
// hidden owner window, the window descriptions.
#include <windows.h>
#include <ole2.h>

#include "services/FatalError.h"
#include "services/Win32Services.h"
#include "services/window/RuntimeState.h"

namespace varnesse {
namespace {

// The program's folder: the module path cut at its last backslash, walked
// character by character so that a trail byte equal to '\' is never taken.
void EnterProgramFolder() {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    int lastBackslash = -1;
    for (DWORD i = 0; i < length; ++i) {
        auto byte = static_cast<unsigned char>(path[i]);
        if (byte >= 0x80) {
            ++i;
            continue;
        }
        if (byte == '\\') lastBackslash = static_cast<int>(i);
    }
    if (lastBackslash < 0) return;
    path[lastBackslash] = '\0';
    // A drive root needs its backslash back: "C:" alone names the drive's
    // current folder, not its root.
    if (lastBackslash == 2 && path[1] == ':') path[2] = '\\';
    SetCurrentDirectoryA(path);
}

LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateOwnerWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = OwnerProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VarnesseRuntimeOwner";
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOOLWINDOW, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, windowClass.hInstance, nullptr);
}

}  // namespace

void Win32Services::StartWindowRuntime() {
    window::RuntimeState& state = window::Runtime();
    if (!state.oleInitialised) state.oleInitialised = SUCCEEDED(OleInitialize(nullptr));
    EnterProgramFolder();
    if (!state.ownerWindow) state.ownerWindow = CreateOwnerWindow();
    if (state.descriptionsLoaded) return;

    std::vector<WindowDescription> descriptions;
    bool readable = static_cast<bool>(windows_);
    if (readable) {
        try {
            descriptions = windows_(*this);
        } catch (...) {
            readable = false;
        }
    }
    if (!readable) RaiseFatalRuntimeError({std::nullopt, "载入窗口模板数据段出错!"});
    for (WindowDescription& description : descriptions) {
        auto record = std::make_unique<window::WindowRecord>();
        record->current = description;
        record->described = std::move(description);
        state.windows.push_back(std::move(record));
    }
    state.descriptionsLoaded = true;
}

}  // namespace varnesse
