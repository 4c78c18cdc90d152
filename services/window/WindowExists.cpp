// Whether a window of the program is loaded: it has a live window now.
#include "services/Win32Services.h"
#include "services/window/RuntimeState.h"

namespace varnesse {

bool Win32Services::WindowExists(int32_t windowId) {
    window::WindowRecord* record = window::FindWindowRecord(windowId);
    return record && record->live && IsWindow(record->live->handle);
}

}  // namespace varnesse
