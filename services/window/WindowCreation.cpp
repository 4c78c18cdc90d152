// LoadStartWindow: a window and its controls from the window description,
// created hidden with events suppressed, then the created event, then shown.
#include <windows.h>

#include "services/FatalError.h"
#include "services/Win32Services.h"
#include "services/window/RuntimeState.h"
#include "services/window/WindowIcons.h"
#include "services/window/WindowProcedure.h"

namespace varnesse {
namespace window {
namespace {

constexpr const char* kStartWindowFailed = "载入启动窗口失败";

struct SuppressedEvents {
    SuppressedEvents() { ++Runtime().suppression; }
    ~SuppressedEvents() { Release(); }
    void Release() {
        if (held) --Runtime().suppression;
        held = false;
    }
    bool held = true;
};

DWORD WindowStyle(const WindowSettings& settings) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (!settings.fixedBorder) style |= WS_THICKFRAME;
    if (settings.minimiseButton) style |= WS_MINIMIZEBOX;
    if (settings.maximiseButton) style |= WS_MAXIMIZEBOX;
    return style;
}

HWND CreateTopLevel(WindowRecord& record) {
    const WindowSettings& settings = record.current.settings;
    const UnitDescription& self = record.current.units.front();
    int left = self.left, top = self.top;
    if (settings.centred) {
        left = (GetSystemMetrics(SM_CXSCREEN) - self.width) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - self.height) / 2;
    }
    DWORD exStyle = settings.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    if (settings.topmost) exStyle |= WS_EX_TOPMOST;
    HWND owner = settings.showInTaskbar ? nullptr : Runtime().ownerWindow;
    HWND window = CreateWindowExA(exStyle, WindowClassName(), settings.caption.CString(), WindowStyle(settings),
                                  left, top, self.width, self.height, owner, nullptr, GetModuleHandleA(nullptr),
                                  &record);
    if (!window) return nullptr;
    RECT outer;
    GetWindowRect(window, &outer);
    if (outer.right - outer.left != self.width || outer.bottom - outer.top != self.height) {
        MoveWindow(window, left, top, self.width, self.height, FALSE);
    }
    return window;
}

void SetIcons(LiveWindow& live, const WindowSettings& settings) {
    if (!settings.icon.empty()) {
        live.largeIcon = IconFromIcoBytes(settings.icon, GetSystemMetrics(SM_CXICON));
        live.smallIcon = IconFromIcoBytes(settings.icon, GetSystemMetrics(SM_CXSMICON));
    }
    HICON fallback = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    HICON large = live.largeIcon ? live.largeIcon.Get() : fallback;
    HICON small = live.smallIcon ? live.smallIcon.Get() : fallback;
    if (large) SendMessageA(live.handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
    if (small) SendMessageA(live.handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

bool CreateControls(WindowRecord& record) {
    LiveWindow& live = *record.live;
    const auto& units = record.current.units;
    for (size_t i = units.size(); i-- > 1;) {
        const UnitDescription& unit = units[i];
        WindowRecord* owner = &record;
        int32_t id = unit.id;
        EventSink fire = [owner, id](int32_t event, const std::vector<int32_t>& arguments) {
            FireEvent(*owner, id, event, arguments);
        };
        std::unique_ptr<Control> control = CreateControl(unit, live.handle, std::move(fire));
        if (!control && unit.kind != UnitKind::ZipComponent) return false;
        if (control && control->Handle()) {
            HWND handle = control->Handle();
            LONG_PTR style = GetWindowLongPtrA(handle, GWL_STYLE);
            style = unit.tabStop ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP);
            SetWindowLongPtrA(handle, GWL_STYLE, style);
            EnableWindow(handle, !unit.disabled);
        }
        live.units[id].control = std::move(control);
    }
    return true;
}

// The first unit on top, each further one directly below the one before.
void StackControls(WindowRecord& record) {
    HWND above = HWND_TOP;
    for (size_t i = 1; i < record.current.units.size(); ++i) {
        const LiveUnit& unit = record.live->units[record.current.units[i].id];
        HWND handle = unit.control ? unit.control->Handle() : nullptr;
        if (!handle) continue;
        SetWindowPos(handle, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = handle;
    }
}

void LoadPointersAndShow(WindowRecord& record) {
    for (const UnitDescription& unit : record.current.units) {
        LiveUnit& live = record.live->units[unit.id];
        live.pointer = LoadMousePointer(unit.mousePointer);
        HWND handle = live.control ? live.control->Handle() : nullptr;
        if (!handle) continue;
        bool shown = unit.visible && unit.kind != UnitKind::ZipComponent;
        ShowWindow(handle, shown ? SW_SHOWNA : SW_HIDE);
        if (shown && unit.tabStop && !unit.disabled && !record.live->focus) record.live->focus = handle;
    }
}

}  // namespace
}  // namespace window

void Win32Services::LoadStartWindow(int32_t windowId) {
    using namespace window;
    WindowRecord* record = FindWindowRecord(windowId);
    if (!record || record->current.units.empty() || record->live) {
        RaiseFatalRuntimeError({std::nullopt, kStartWindowFailed});
    }

    SuppressedEvents suppressed;
    record->live = std::make_unique<LiveWindow>();
    record->live->units[WindowUnitId(*record)];  // the window itself, for its pointer
    HWND window = CreateTopLevel(*record);
    if (!window) {
        record->live.reset();
        RaiseFatalRuntimeError({std::nullopt, kStartWindowFailed});
    }
    LiveWindow& live = *record->live;
    live.handle = window;
    const WindowSettings& settings = record->current.settings;
    SetIcons(live, settings);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (settings.topmost) SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!settings.movable) DeleteMenu(GetSystemMenu(window, FALSE), SC_MOVE, MF_BYCOMMAND);

    if (!CreateControls(*record)) {
        DestroyWindow(window);
        RaiseFatalRuntimeError({std::nullopt, kStartWindowFailed});
    }
    StackControls(*record);
    LoadPointersAndShow(*record);

    suppressed.Release();
    FireEvent(*record, WindowUnitId(*record), 0);

    // The created handler may have closed the window (or ended the program).
    if (!record->live || !IsWindow(window)) return;
    HWND focus = record->live->focus;
    ShowWindow(window, SW_SHOW);
    if (record->live && focus && IsWindow(focus)) SetFocus(focus);
}

}  // namespace varnesse
