// One live control of a window, created by the window runtime from its unit
// description. Each kind (label, transparent label, picture box, drive box,
// ZIP component) implements this.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "services/window/WindowDescription.h"

namespace varnesse::window {

// Fires one event of the control (number and arguments) through the runtime,
// which honours event suppression and the bound handlers.
using EventSink = std::function<void(int32_t event, const std::vector<int32_t>& arguments)>;

class Control {
public:
    virtual ~Control() = default;
    // The control's child window; null for a non-visual kind.
    virtual HWND Handle() const = 0;
    // Properties from 8 on, by number (the common ones 0..7 are the runtime's).
    virtual PropertyValue ReadProperty(int32_t number, int32_t selector) = 0;
    virtual void WriteProperty(int32_t number, int32_t selector, const PropertyValue& value) = 0;
    // Messages that the parent window receives on the control's behalf
    // (WM_COMMAND, WM_CTLCOLOR*, ...); an answer means "handled".
    virtual std::optional<LRESULT> HandleParentMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }
};

// Creates the live control of `unit` as a hidden child of `parent` at its
// described place and size (the runtime shows it afterwards).
std::unique_ptr<Control> CreateControl(const UnitDescription& unit, HWND parent, EventSink fire);

}  // namespace varnesse::window
