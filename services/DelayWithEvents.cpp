// Waiting that keeps the program's windows alive.
#include <windows.h>

#include "services/Win32Services.h"
#include "services/window/RuntimeHooks.h"

namespace varnesse {

// Lasts at least the given time. Every message is dispatched as it arrives,
// through the runtime's pre-translation; WM_QUIT stays in the queue for the
// message loop. Between messages the thread sleeps in the wait below instead
// of polling, so the delay costs next to no processor time.
void Win32Services::DelayWithEvents(int32_t milliseconds) {
    if (milliseconds <= 0) return;
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    for (;;) {
        while (window::DispatchOnePendingMessage()) {
        }
        const ULONGLONG now = GetTickCount64();
        if (now > deadline) return;
        // Looking at the queue marks its input as seen: the wait below then
        // wakes only for new input, not again and again for a WM_QUIT left at
        // the head. Anything else that slipped in is dispatched first.
        MSG head;
        if (PeekMessageA(&head, nullptr, 0, 0, PM_NOREMOVE) && head.message != WM_QUIT) continue;
        const DWORD remaining = static_cast<DWORD>(deadline - now + 1);
        MsgWaitForMultipleObjectsEx(0, nullptr, remaining, QS_ALLINPUT, 0);
    }
}

}  // namespace varnesse
