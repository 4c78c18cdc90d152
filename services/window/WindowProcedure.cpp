// What a program window does itself: paints its background colour, shows the
// units' mouse pointers, runs the close sequence, hands the controls the
// messages they get through their parent, and releases its live objects when
// it is gone.
#include "services/window/WindowProcedure.h"

#include "services/window/RuntimeState.h"

namespace varnesse::window {
namespace {

WindowRecord* RecordOf(HWND window) {
    return reinterpret_cast<WindowRecord*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void PaintBackground(const WindowRecord& record, HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    GdiObject<HBRUSH> brush(CreateSolidBrush(ResolveColour(record.current.settings.backColor)));
    FillRect(dc, &client, brush.Get());
}

bool ShowUnitPointer(WindowRecord& record, HWND window, HWND under, WORD hitTest) {
    if (!record.live) return false;
    auto unit = FindUnitByHandle(under);
    if (!unit || unit->record != &record) return false;
    auto live = record.live->units.find(unit->controlId);
    if (live == record.live->units.end() || !live->second.pointer) return false;
    // For the window itself only inside its client area.
    if (under == window && hitTest != HTCLIENT) return false;
    SetCursor(live->second.pointer);
    return true;
}

// The child that a parent-routed message concerns, when the message names it.
HWND ChildOfMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORMSGBOX:
            return reinterpret_cast<HWND>(lParam);
        case WM_NOTIFY:
            return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        case WM_DRAWITEM:
            return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
        case WM_MEASUREITEM:
        case WM_COMPAREITEM:
        case WM_DELETEITEM:
            return GetDlgItem(window, static_cast<int>(wParam));
        default:
            return nullptr;
    }
}

bool IsParentRouted(UINT message) {
    switch (message) {
        case WM_COMMAND: case WM_NOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_COMPAREITEM:
        case WM_DELETEITEM: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORDLG: case WM_CTLCOLORMSGBOX:
            return true;
        default:
            return false;
    }
}

std::optional<LRESULT> RouteToControl(WindowRecord& record, HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
    if (!record.live) return std::nullopt;
    HWND child = ChildOfMessage(window, message, wParam, lParam);
    for (auto& [id, unit] : record.live->units) {
        if (!unit.control) continue;
        HWND handle = unit.control->Handle();
        if (child && handle && child != handle && !IsChild(handle, child)) continue;
        if (auto answer = unit.control->HandleParentMessage(message, wParam, lParam)) return answer;
        if (child && handle) break;
    }
    return std::nullopt;
}

void CloseRequested(WindowRecord& record, HWND window) {
    if (Runtime().fatal) return;  // the error report has to be answered first
    int32_t self = WindowUnitId(record);
    if (FireEvent(record, self, 12) == false) return;
    if (FireEvent(record, self, 1) == false) return;
    DestroyWindow(window);
}

// The window is gone: release its live objects and pointers, return its
// description to the described state, and end the loop after the last one.
void WindowGone(WindowRecord& record) {
    std::unique_ptr<LiveWindow> live = std::move(record.live);
    live.reset();
    record.current = record.described;
    RuntimeState& state = Runtime();
    if (state.loopEntered && !AnyWindowLeft()) PostQuitMessage(0);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    WindowRecord* record = RecordOf(window);
    if (!record) return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
        case WM_ERASEBKGND:
            PaintBackground(*record, window, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (paint.fErase) PaintBackground(*record, window, dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_SETCURSOR:
            if (ShowUnitPointer(*record, window, reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
            break;
        case WM_ACTIVATE:
            if (!record->live) break;
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(window, focus)) record->live->focus = focus;
            } else if (record->live->focus && IsWindow(record->live->focus) && !HIWORD(wParam)) {
                SetFocus(record->live->focus);
                return 0;
            }
            break;
        case WM_CLOSE:
            CloseRequested(*record, window);
            return 0;
        case WM_DESTROY:
            FireEvent(*record, WindowUnitId(*record), 2);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            WindowGone(*record);
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            if (IsParentRouted(message)) {
                if (auto answer = RouteToControl(*record, window, message, wParam, lParam)) return *answer;
            }
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

const char* WindowClassName() {
    static const char* const name = [] {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = nullptr;  // the window paints its own colour
        windowClass.lpszClassName = "VarnesseWindow";
        RegisterClassExA(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

}  // namespace varnesse::window
