// The message pump: every message taken from the queue is pre-translated
// (mouse input becomes events, Escape closes the window) before dispatch.
// RunMessageLoop and the waits of DelayWithEvents share it.
#include <windows.h>

#include "services/Win32Services.h"
#include "services/window/RuntimeHooks.h"
#include "services/window/RuntimeState.h"

namespace varnesse {
namespace window {
namespace {

int32_t MouseEventOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN: return -1;
        case WM_LBUTTONUP: return -2;
        case WM_LBUTTONDBLCLK: return -3;
        case WM_RBUTTONDOWN: return -4;
        case WM_RBUTTONUP: return -5;
        case WM_MOUSEMOVE: return -6;
        default: return 0;
    }
}

int32_t ModifierKeys() {
    int32_t keys = 0;
    if (GetKeyState(VK_CONTROL) < 0) keys |= 1;
    if (GetKeyState(VK_SHIFT) < 0) keys |= 2;
    if (GetKeyState(VK_MENU) < 0) keys |= 4;
    return keys;
}

// Escape closes a window that is so described, before the focused control
// (the drive box, say) sees the key.
bool CloseOnEscape(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return false;
    WindowRecord* record = FindRecordByTopLevel(GetAncestor(message.hwnd, GA_ROOT));
    if (!record || !record->current.settings.escapeCloses) return false;
    PostMessageA(record->live->handle, WM_CLOSE, 0, 0);
    return true;
}

// True when the message is consumed (a handler answered false).
bool PreTranslate(const MSG& message) {
    if (CloseOnEscape(message)) return true;
    int32_t event = MouseEventOf(message.message);
    if (event == 0) return false;
    auto unit = FindUnitByHandle(message.hwnd);
    if (!unit) return false;
    std::vector<int32_t> arguments = {static_cast<int32_t>(LOWORD(message.lParam)),
                                      static_cast<int32_t>(HIWORD(message.lParam)), ModifierKeys()};
    return FireEvent(*unit->record, unit->controlId, event, arguments) == false;
}

void Dispatch(const MSG& message) {
    if (PreTranslate(message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace

bool DispatchOnePendingMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) || message.message == WM_QUIT) return false;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        // Came to the head in between: it stays for the message loop.
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    Dispatch(message);
    return true;
}

}  // namespace window

void Win32Services::RunMessageLoop() {
    using namespace window;
    Runtime().loopEntered = true;
    if (!AnyWindowLeft()) return;
    MSG message;
    for (;;) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (message.message == WM_QUIT) return;
        Dispatch(message);
    }
}

}  // namespace varnesse
