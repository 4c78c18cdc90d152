// The ZIP component: a non-visual control. It has no window and no
// properties of its own; it carries the archive operation's progress event.
#pragma once

#include <memory>

#include "services/window/Control.h"

namespace varnesse::window {

class ZipComponent final : public Control {
public:
    explicit ZipComponent(EventSink fire) : fire_(std::move(fire)) {}

    HWND Handle() const override { return nullptr; }
    PropertyValue ReadProperty(int32_t, int32_t) override { return {}; }
    void WriteProperty(int32_t, int32_t, const PropertyValue&) override {}

    // Fires one of the component's events (the archive operation's progress).
    void Fire(int32_t event, const std::vector<int32_t>& arguments) const {
        if (fire_) fire_(event, arguments);
    }

private:
    EventSink fire_;
};

}  // namespace varnesse::window
