// Exit callbacks and the runtime's shutdown at the end of the program.
#include <windows.h>
#include <ole2.h>

#include <algorithm>

#include "services/Win32Services.h"
#include "services/window/RuntimeHooks.h"
#include "services/window/RuntimeState.h"

namespace varnesse {

void Win32Services::AddExitCallback(ExitCallback callback) {
    auto& callbacks = window::Runtime().exitCallbacks;
    if (!callback || std::find(callbacks.begin(), callbacks.end(), callback) != callbacks.end()) return;
    callbacks.push_back(callback);
}

namespace window {

void ShutDownRuntime() {
    RuntimeState& state = Runtime();
    if (state.shutDown) return;
    state.shutDown = true;

    // Windows still open (the program ends from inside a handler) go first,
    // quietly; then the descriptions.
    ++state.suppression;
    for (auto& record : state.windows) {
        if (record->live && IsWindow(record->live->handle)) DestroyWindow(record->live->handle);
    }
    state.windows.clear();
    state.descriptionsLoaded = false;
    if (state.ownerWindow) DestroyWindow(std::exchange(state.ownerWindow, nullptr));

    // A callback registered while the others run is not run this time.
    std::vector<ExitCallback> callbacks = std::move(state.exitCallbacks);
    state.exitCallbacks.clear();
    for (ExitCallback callback : callbacks) callback();

    if (state.oleInitialised) {
        state.oleInitialised = false;
        OleUninitialize();
    }
}

}  // namespace window
}  // namespace varnesse
