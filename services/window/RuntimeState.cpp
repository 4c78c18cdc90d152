#include "services/window/RuntimeState.h"

#include "services/window/RuntimeHooks.h"

namespace varnesse::window {

RuntimeState& Runtime() {
    static RuntimeState state;
    return state;
}

WindowRecord* FindWindowRecord(int32_t windowId) {
    for (auto& record : Runtime().windows) {
        if (record->described.windowId == windowId) return record.get();
    }
    return nullptr;
}

const UnitDescription* FindUnit(const WindowRecord& record, int32_t controlId) {
    for (const UnitDescription& unit : record.current.units) {
        if (unit.id == controlId) return &unit;
    }
    return nullptr;
}

int32_t WindowUnitId(const WindowRecord& record) {
    return record.current.units.empty() ? 0 : record.current.units.front().id;
}

bool AnyWindowLeft() {
    for (auto& record : Runtime().windows) {
        if (record->live && IsWindow(record->live->handle)) return true;
    }
    return false;
}

WindowRecord* FindRecordByTopLevel(HWND handle) {
    if (!handle) return nullptr;
    for (auto& record : Runtime().windows) {
        if (record->live && record->live->handle == handle) return record.get();
    }
    return nullptr;
}

std::optional<UnitAtHandle> FindUnitByHandle(HWND handle) {
    // Walk up from the window that got the message to the first one the
    // runtime knows: a control, or the window itself.
    for (HWND h = handle; h; h = GetAncestor(h, GA_PARENT)) {
        for (auto& record : Runtime().windows) {
            if (!record->live) continue;
            for (auto& [id, unit] : record->live->units) {
                bool isUnit = unit.control ? unit.control->Handle() == h : record->live->handle == h;
                if (isUnit && h) return UnitAtHandle{record.get(), id};
            }
        }
        if (GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) continue;
        break;
    }
    return std::nullopt;
}

std::optional<bool> FireEvent(WindowRecord& record, int32_t controlId, int32_t event,
                              const std::vector<int32_t>& arguments) {
    RuntimeState& state = Runtime();
    if (state.suppression > 0 || state.fatal) return std::nullopt;
    const UnitDescription* unit = FindUnit(record, controlId);
    if (!unit) return std::nullopt;
    for (const BoundEvent& bound : unit->events) {
        if (bound.event != event || !bound.handler) continue;
        // A copy: the handler may close the window, which returns the
        // description (and this binding) to its described state.
        EventHandler handler = bound.handler;
        return handler(arguments);
    }
    return std::nullopt;
}

COLORREF ResolveColour(uint32_t colour) {
    if (colour == 0xFF000000u) return GetSysColor(COLOR_BTNFACE);
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

HCURSOR LoadMousePointer(int32_t setting) {
    if (setting == 0) return nullptr;
    if (setting == 32649) {
        // The hand is the program's own cursor group 1032.
        HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1032));
        return own ? own : LoadCursorA(nullptr, IDC_HAND);
    }
    return LoadCursorA(nullptr, MAKEINTRESOURCEA(setting));
}

HWND WindowHandleOf(const WindowUnit& unit) {
    WindowRecord* record = FindWindowRecord(unit.windowId);
    if (!record || !record->live) return nullptr;
    auto found = record->live->units.find(unit.controlId);
    if (found == record->live->units.end()) return nullptr;
    return found->second.control ? found->second.control->Handle() : record->live->handle;
}

}  // namespace varnesse::window
