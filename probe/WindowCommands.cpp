// The window runtime from outside: a test window driven by X input, the
// misuses that end in the fatal run-time error report, and what the tests
// read back from other programs' windows.
//   RuntimeWindow             a window with a drive box and a pressable label;
//                             prints its events and the exit callback
//   RuntimeMisuse KIND        descriptions | start-window | unknown-window |
//                             read-closed | write-closed | list-position
//   WindowGeometry TITLE      outer rectangle, client origin and size, screen size
//   DialogText TITLE          the texts inside a top-level window (a message box)
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "probe/Probe.h"
#include "services/Win32Services.h"
#include "services/window/RuntimeHooks.h"

namespace varnesse::probe {
namespace {

constexpr int32_t kTestWindow = 7001;
constexpr int32_t kWindowItself = 0x06010000;
constexpr int32_t kDriveBox = 101;
constexpr int32_t kPressLabel = 102;

void Say(const char* format, int32_t a = 0, int32_t b = 0, int32_t c = 0) {
    std::printf(format, a, b, c);
    std::printf("\n");
    std::fflush(stdout);
}

void ExitCallbackRan() { Say("exit callback"); }

EventHandler Printing(const char* format, std::optional<bool> answer = std::nullopt) {
    return [format, answer](const std::vector<int32_t>& arguments) {
        int32_t values[3] = {};
        for (size_t i = 0; i < arguments.size() && i < 3; ++i) values[i] = arguments[i];
        Say(format, values[0], values[1], values[2]);
        return answer;
    };
}

std::vector<WindowDescription> TestWindows(Services&) {
    WindowDescription description;
    description.windowId = kTestWindow;
    description.settings.caption = "运行时测试窗口";
    description.settings.backColor = 0xFFFFFF;

    UnitDescription window;
    window.kind = UnitKind::Window;
    window.id = kWindowItself;
    window.width = 300;
    window.height = 200;
    window.events = {{0, [](const std::vector<int32_t>&) -> std::optional<bool> {
                          HWND handle = window::WindowHandleOf({kTestWindow, kWindowItself});
                          Say("created visible=%d", IsWindowVisible(handle) ? 1 : 0);
                          return std::nullopt;
                      }},
                     {12, Printing("event 12")},
                     {1, Printing("event 1")},
                     {2, Printing("event 2")}};

    UnitDescription label;
    label.kind = UnitKind::TransparentLabel;
    label.id = kPressLabel;
    label.left = 20, label.top = 20, label.width = 100, label.height = 30;
    label.mousePointer = 32649;
    label.properties = {{8, Text("按我")}};
    label.events = {{-1, Printing("pressed %d %d %d")}};

    UnitDescription drives;
    drives.kind = UnitKind::DriveBox;
    drives.id = kDriveBox;
    drives.left = 20, drives.top = 100, drives.width = 120, drives.height = 20;
    drives.tabStop = true;
    drives.properties = {{9, 0}};

    description.units = {window, label, drives};
    return {description};
}

int RuntimeWindow(Services&, const Arguments&) {
    Win32Services services(TestWindows);
    services.StartWindowRuntime();
    services.AddExitCallback(ExitCallbackRan);
    services.AddExitCallback(ExitCallbackRan);
    services.LoadStartWindow(kTestWindow);
    HWND focus = GetFocus();
    Say("focus on drive box=%d", focus && (focus == window::WindowHandleOf({kTestWindow, kDriveBox}) ||
                                           IsChild(window::WindowHandleOf({kTestWindow, kDriveBox}), focus)));
    services.RunMessageLoop();
    Say("loop ended");
    services.EndProgram(0);
}

void CloseTestWindow() {
    SendMessageA(window::WindowHandleOf({kTestWindow, kWindowItself}), WM_CLOSE, 0, 0);
}

int RuntimeMisuse(Services&, const Arguments& arguments) {
    const std::string kind = arguments[0].Bytes();
    Win32Services services(kind == "descriptions" ? WindowDescriptionSource() : TestWindows);
    services.StartWindowRuntime();
    services.AddExitCallback(ExitCallbackRan);
    if (kind == "start-window") services.LoadStartWindow(4711);
    services.LoadStartWindow(kTestWindow);
    if (kind == "unknown-window") services.ReadControlProperty(4711, kDriveBox, 8, -1);
    if (kind == "read-closed") {
        CloseTestWindow();
        services.ReadControlProperty(kTestWindow, kDriveBox, 8, -1);
    }
    if (kind == "write-closed") {
        CloseTestWindow();
        services.WriteControlProperty(kTestWindow, kDriveBox, 8, -1, Text("C"), 0);
    }
    if (kind == "list-position") TextList().At(0);
    Say("no fatal error");
    services.EndProgram(0);
}

HWND TopLevelTitled(const Text& title) { return FindWindowA(nullptr, title.CString()); }

int WindowGeometry(Services&, const Arguments& arguments) {
    HWND window = TopLevelTitled(arguments[0]);
    if (!window) return 1;
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    std::printf("outer %ld %ld %ld %ld\n", outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top);
    std::printf("client %ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
    std::printf("screen %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
}

BOOL CALLBACK PrintChildText(HWND child, LPARAM) {
    char text[1024] = {};
    if (GetWindowTextA(child, text, sizeof text) > 0) PrintText(text);
    return TRUE;
}

int DialogText(Services&, const Arguments& arguments) {
    HWND window = TopLevelTitled(arguments[0]);
    if (!window) return 1;
    EnumChildWindows(window, PrintChildText, 0);
    return 0;
}

}  // namespace

std::vector<ProbeCommand> WindowCommands() {
    return {
        {"RuntimeWindow", 0, 0, RuntimeWindow},
        {"RuntimeMisuse", 1, 1, RuntimeMisuse},
        {"WindowGeometry", 1, 1, WindowGeometry},
        {"DialogText", 1, 1, DialogText},
    };
}

}  // namespace varnesse::probe
