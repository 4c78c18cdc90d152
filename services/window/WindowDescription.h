// Window descriptions as the program carries them: plain data with the
// handlers bound to events. Read by the window runtime at start.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "services/Services.h"

namespace varnesse {

enum class UnitKind { Window, Label, PictureBox, ZipComponent, TransparentLabel, DriveBox };

// A handler takes the event's arguments as 32-bit integers; it may answer
// true/false (false drops the message) or nothing.
using EventHandler = std::function<std::optional<bool>(const std::vector<int32_t>& arguments)>;

struct BoundEvent {
    int32_t event = 0;
    EventHandler handler;
};

// The window's own settings (unit 0 of a description).
struct WindowSettings {
    Text caption;
    bool centred = true;
    bool fixedBorder = true;
    bool minimiseButton = true;
    bool maximiseButton = false;
    bool movable = true;
    bool topmost = false;
    bool showInTaskbar = true;
    bool escapeCloses = true;
    uint32_t backColor = 0xFF000000;
    Bytes icon;  // ICO bytes; empty for the program's default icon
};

struct UnitDescription {
    UnitKind kind = UnitKind::Label;
    int32_t id = 0;
    Text name;
    Text remark;
    int32_t left = 0, top = 0, width = 0, height = 0;
    int32_t mousePointer = 0;  // 0 none, 32649 the hand
    Text tag;
    bool visible = true;
    bool disabled = false;
    bool tabStop = false;
    std::vector<BoundEvent> events;
    std::map<int32_t, PropertyValue> properties;  // the kind's own, numbered from 8
};

struct WindowDescription {
    int32_t windowId = 0;
    WindowSettings settings;
    std::vector<UnitDescription> units;  // units[0] is the window itself
};

// What a program hands the runtime: its descriptions, built with the
// services that their handlers will use.
using WindowDescriptionSource = std::function<std::vector<WindowDescription>(Services& services)>;

}  // namespace varnesse
