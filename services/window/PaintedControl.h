// Base of the kinds that paint themselves (label, transparent label, picture
// box): one child window of the program's own control class, whose messages
// come to the control object.
#pragma once

#include "services/Text.h"
#include "services/window/Control.h"

namespace varnesse::window {

class PaintedControl : public Control {
public:
    ~PaintedControl() override;
    PaintedControl(const PaintedControl&) = delete;
    PaintedControl& operator=(const PaintedControl&) = delete;

    HWND Handle() const override { return window_; }

protected:
    PaintedControl() = default;
    // Creates the hidden child window at the unit's place and size, with its
    // disabled and tab-stop flags. False when the system refuses.
    bool CreateChildWindow(const UnitDescription& unit, HWND parent, DWORD extendedStyle, const Text& text);
    // Paints into the device context of BeginPaint.
    virtual void Paint(HDC dc, const PAINTSTRUCT& paint) = 0;
    // Messages other than painting; the default leaves them to the system.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

// The client rectangle of a window.
RECT ClientRectangle(HWND window);

}  // namespace varnesse::window
