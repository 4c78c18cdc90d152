// ReadControlProperty / WriteControlProperty: the common properties 0..7 from
// the live window (or the description while there is none), the kind's own
// from 8 on handed to the control.
#include <windows.h>

#include "services/FatalError.h"
#include "services/Win32Services.h"
#include "services/window/RuntimeState.h"

namespace varnesse {
namespace window {
namespace {

enum CommonProperty { kLeft, kTop, kWidth, kHeight, kTag, kVisible, kDisabled, kMousePointer, kFirstOwn };

WindowRecord& LoadedWindow(int32_t windowId) {
    WindowRecord* record = FindWindowRecord(windowId);
    if (!record) RaiseFatalRuntimeError({std::nullopt, "未载入欲访问窗口组件所在的窗口"});
    return *record;
}

LiveUnit* LiveUnitOf(WindowRecord& record, int32_t controlId) {
    if (!record.live || !IsWindow(record.live->handle)) return nullptr;
    auto found = record.live->units.find(controlId);
    return found == record.live->units.end() ? nullptr : &found->second;
}

HWND HandleOf(WindowRecord& record, int32_t controlId) {
    LiveUnit* unit = LiveUnitOf(record, controlId);
    if (!unit) return nullptr;
    return unit->control ? unit->control->Handle() : record.live->handle;
}

// The rectangle of a unit's window: relative to the parent's client area for
// a control, on the screen for the window itself.
RECT CurrentRectangle(HWND handle) {
    RECT rectangle;
    GetWindowRect(handle, &rectangle);
    if (GetWindowLongPtrA(handle, GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(nullptr, GetParent(handle), reinterpret_cast<POINT*>(&rectangle), 2);
    }
    return rectangle;
}

int32_t IntegerOf(const PropertyValue& value) {
    if (auto number = std::get_if<int32_t>(&value)) return *number;
    if (auto logical = std::get_if<bool>(&value)) return *logical ? 1 : 0;
    return 0;
}

bool LogicalOf(const PropertyValue& value) { return IntegerOf(value) == 1; }

PropertyValue ReadCommon(WindowRecord& record, const UnitDescription& unit, int32_t property) {
    HWND handle = HandleOf(record, unit.id);
    if (property <= kHeight) {
        if (!handle) {
            const int32_t values[] = {unit.left, unit.top, unit.width, unit.height};
            return values[property];
        }
        RECT r = CurrentRectangle(handle);
        const int32_t values[] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
        return values[property];
    }
    switch (property) {
        case kTag: return unit.tag;
        case kVisible:
            return handle ? (GetWindowLongPtrA(handle, GWL_STYLE) & WS_VISIBLE) != 0 : unit.visible;
        case kDisabled: return handle ? !IsWindowEnabled(handle) : unit.disabled;
        default: return unit.mousePointer;
    }
}

void WriteCommon(WindowRecord& record, UnitDescription& unit, int32_t property, const PropertyValue& value) {
    HWND handle = HandleOf(record, unit.id);
    switch (property) {
        case kLeft: case kTop: case kWidth: case kHeight: {
            int32_t* fields[] = {&unit.left, &unit.top, &unit.width, &unit.height};
            if (handle) {
                RECT r = CurrentRectangle(handle);
                unit.left = r.left, unit.top = r.top, unit.width = r.right - r.left, unit.height = r.bottom - r.top;
            }
            *fields[property] = IntegerOf(value);
            if (handle) MoveWindow(handle, unit.left, unit.top, unit.width, unit.height, TRUE);
            break;
        }
        case kTag:
            if (auto text = std::get_if<Text>(&value)) unit.tag = *text;
            else unit.tag = Text();
            break;
        case kVisible:
            unit.visible = LogicalOf(value);
            if (handle && unit.kind != UnitKind::ZipComponent) {
                ShowWindow(handle, unit.visible ? (unit.kind == UnitKind::Window ? SW_SHOW : SW_SHOWNA) : SW_HIDE);
            }
            break;
        case kDisabled:
            unit.disabled = LogicalOf(value);
            if (handle) EnableWindow(handle, !unit.disabled);
            break;
        default:
            unit.mousePointer = IntegerOf(value);
            if (LiveUnit* live = LiveUnitOf(record, unit.id)) live->pointer = LoadMousePointer(unit.mousePointer);
            break;
    }
}

UnitDescription* DescribedUnit(WindowRecord& record, int32_t controlId) {
    return const_cast<UnitDescription*>(FindUnit(record, controlId));
}

}  // namespace
}  // namespace window

PropertyValue Win32Services::ReadControlProperty(int32_t windowId, int32_t controlId, int32_t property,
                                                 int32_t selector) {
    using namespace window;
    WindowRecord& record = LoadedWindow(windowId);
    UnitDescription* unit = DescribedUnit(record, controlId);
    if (property < kFirstOwn) return unit && property >= 0 ? ReadCommon(record, *unit, property) : PropertyValue{};
    LiveUnit* live = LiveUnitOf(record, controlId);
    if (!live || !live->control) RaiseFatalRuntimeError({std::nullopt, "读取组件属性时发现指定窗口尚未载入"});
    return live->control->ReadProperty(property, selector);
}

void Win32Services::WriteControlProperty(int32_t windowId, int32_t controlId, int32_t property, int32_t selector,
                                         const PropertyValue& value, int32_t) {
    using namespace window;
    WindowRecord& record = LoadedWindow(windowId);
    UnitDescription* unit = DescribedUnit(record, controlId);
    if (property < kFirstOwn) {
        if (unit && property >= 0) WriteCommon(record, *unit, property, value);
        return;
    }
    LiveUnit* live = LiveUnitOf(record, controlId);
    if (!live || !live->control) RaiseFatalRuntimeError({std::nullopt, "修改组件属性时发现指定窗口尚未载入"});
    live->control->WriteProperty(property, selector, value);
}

}  // namespace varnesse
