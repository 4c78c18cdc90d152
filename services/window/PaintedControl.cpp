#include "services/window/PaintedControl.h"

namespace varnesse::window {
namespace {

constexpr char kControlClass[] = "VarnesseControl";

// Double-click notification, redraw on resizing, the arrow, no background
// brush: every kind paints its own background (or none).
bool RegisterControlClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, kControlClass, &existing)) return true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.lpszClassName = kControlClass;
    return RegisterClassExA(&windowClass) != 0;
}

}  // namespace

RECT ClientRectangle(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

PaintedControl::~PaintedControl() {
    if (!window_) return;
    // The object is going away: no further message may reach it.
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

bool PaintedControl::CreateChildWindow(const UnitDescription& unit, HWND parent, DWORD extendedStyle,
                                       const Text& text) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterControlClass(instance, WindowProcedure)) return false;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (unit.disabled) style |= WS_DISABLED;
    if (unit.tabStop) style |= WS_TABSTOP;
    HMENU childId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(unit.id));
    return CreateWindowExA(extendedStyle, kControlClass, text.CString(), style, unit.left, unit.top, unit.width,
                           unit.height, parent, childId, instance, this) != nullptr;
}

LRESULT PaintedControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK PaintedControl::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* control = static_cast<PaintedControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        control->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    auto* control = reinterpret_cast<PaintedControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!control) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the paint itself fills what needs filling
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (dc) control->Paint(dc, paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_NCDESTROY:
            // Destroyed with its parent before the object: forget the handle.
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            control->window_ = nullptr;
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return control->HandleMessage(message, wParam, lParam);
    }
}

}  // namespace varnesse::window
