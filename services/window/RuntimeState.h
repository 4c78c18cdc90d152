// The window runtime's state: the loaded window descriptions with their live
// windows, the exit callbacks, the loop flag and the event suppression.
// Everything lives on the one user-interface thread.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "services/Owners.h"
#include "services/window/Control.h"
#include "services/window/WindowDescription.h"

namespace varnesse::window {

// One control (or the window itself) while its window exists.
struct LiveUnit {
    std::unique_ptr<Control> control;  // null for the window itself
    HCURSOR pointer = nullptr;         // the loaded mouse pointer, or none
};

struct LiveWindow {
    HWND handle = nullptr;
    std::map<int32_t, LiveUnit> units;  // by control identifier, the window's own included
    IconHandle largeIcon;
    IconHandle smallIcon;
    HWND focus = nullptr;  // the control that had the focus when the window was deactivated
};

struct WindowRecord {
    WindowDescription described;  // as the program carries it
    WindowDescription current;    // with the common properties written since creation
    std::unique_ptr<LiveWindow> live;
};

struct RuntimeState {
    std::vector<std::unique_ptr<WindowRecord>> windows;
    bool descriptionsLoaded = false;
    std::vector<ExitCallback> exitCallbacks;
    bool loopEntered = false;
    int suppression = 0;
    bool fatal = false;  // a fatal error is being reported: events stay suppressed for good
    bool oleInitialised = false;
    bool shutDown = false;
    HWND ownerWindow = nullptr;
};

RuntimeState& Runtime();

WindowRecord* FindWindowRecord(int32_t windowId);
const UnitDescription* FindUnit(const WindowRecord& record, int32_t controlId);
bool AnyWindowLeft();

// The unit whose live window is `handle` or holds it (the inner windows of a
// combo box count as the combo box).
struct UnitAtHandle {
    WindowRecord* record = nullptr;
    int32_t controlId = 0;
};
std::optional<UnitAtHandle> FindUnitByHandle(HWND handle);
WindowRecord* FindRecordByTopLevel(HWND handle);

// Fires one event of a unit: nothing while events are suppressed or when no
// handler is bound. Returns the handler's answer, if it gave one.
std::optional<bool> FireEvent(WindowRecord& record, int32_t controlId, int32_t event,
                              const std::vector<int32_t>& arguments = {});

// Helpers shared by the window procedure and the property operations.
COLORREF ResolveColour(uint32_t colour);
HCURSOR LoadMousePointer(int32_t setting);
int32_t WindowUnitId(const WindowRecord& record);

}  // namespace varnesse::window
