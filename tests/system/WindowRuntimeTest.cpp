// The window runtime inside this process: a test window loaded from its
// description, driven by messages posted into the queue and dispatched
// through the runtime's pre-translation, its common properties read and
// written, its close sequence. The message loop is never entered here, so
// closing the window posts no quit message.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/Win32Services.h"
#include "services/window/RuntimeHooks.h"

namespace varnesse {
namespace {

constexpr int32_t kWindow = 4242;
constexpr int32_t kItself = 0x06010000;
constexpr int32_t kLabel = 0x16010001;
constexpr int32_t kDrives = 0x16010002;
enum { kLeft, kTop, kWidth, kHeight, kTag, kVisible, kDisabled, kMousePointer };

struct Recorded {
    std::vector<std::string> events;
    bool refuseClose = false;
    bool dropPress = false;
};

Recorded& Record() {
    static Recorded recorded;
    return recorded;
}

EventHandler Note(const char* name, std::optional<bool> answer = std::nullopt, bool* refuse = nullptr) {
    return [name, answer, refuse](const std::vector<int32_t>& arguments) -> std::optional<bool> {
        std::string line = name;
        for (int32_t argument : arguments) line += " " + std::to_string(argument);
        Record().events.push_back(line);
        if (refuse && *refuse) return false;
        return answer;
    };
}

std::vector<WindowDescription> TestWindows(Services&) {
    WindowDescription description;
    description.windowId = kWindow;
    description.settings.caption = "runtime test";
    UnitDescription window;
    window.kind = UnitKind::Window;
    window.id = kItself;
    window.width = 300;
    window.height = 200;
    window.events = {{0, Note("created")},
                     {12, Note("query close", std::nullopt, &Record().refuseClose)},
                     {1, Note("close")},
                     {2, Note("destroy")}};
    UnitDescription label;
    label.kind = UnitKind::TransparentLabel;
    label.id = kLabel;
    label.left = 20, label.top = 30, label.width = 100, label.height = 28;
    label.tag = "a tag";
    label.mousePointer = 32649;
    label.properties = {{8, Text("label")}};
    label.events = {{-1, Note("pressed", std::nullopt, &Record().dropPress)}, {-2, Note("released")}};
    UnitDescription drives;
    drives.kind = UnitKind::DriveBox;
    drives.id = kDrives;
    drives.left = 20, drives.top = 100, drives.width = 120, drives.height = 20;
    drives.tabStop = true;
    description.units = {window, label, drives};
    return {description};
}

Win32Services& Runtime() {
    static Win32Services services(TestWindows);
    static bool started = [] {
        services.StartWindowRuntime();
        return true;
    }();
    (void)started;
    return services;
}

void DispatchAll() {
    while (window::DispatchOnePendingMessage()) {
    }
}

HWND Handle(int32_t control) { return window::WindowHandleOf({kWindow, control}); }

// Counts the presses that reach the label's own window procedure.
WNDPROC labelProcedure = nullptr;
int pressesDelivered = 0;
LRESULT CALLBACK CountingLabel(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) ++pressesDelivered;
    return CallWindowProcA(labelProcedure, window, message, wParam, lParam);
}

class WindowRuntime : public ::testing::Test {
protected:
    void SetUp() override {
        Record() = Recorded{};
        Runtime().LoadStartWindow(kWindow);
        ASSERT_TRUE(Runtime().WindowExists(kWindow));
    }
    void TearDown() override {
        Record().refuseClose = false;
        if (Runtime().WindowExists(kWindow)) SendMessageA(Handle(kItself), WM_CLOSE, 0, 0);
        DispatchAll();
    }
};

TEST_F(WindowRuntime, CreatedWhileHiddenThenShown) {
    EXPECT_EQ(Record().events, std::vector<std::string>{"created"});
    EXPECT_TRUE(IsWindowVisible(Handle(kItself)));
    EXPECT_TRUE(IsWindowVisible(Handle(kLabel)));
    RECT outer;
    GetWindowRect(Handle(kItself), &outer);
    EXPECT_EQ(outer.right - outer.left, 300);
    EXPECT_EQ(outer.bottom - outer.top, 200);
    // The first unit lies on top of the second.
    EXPECT_EQ(GetWindow(Handle(kLabel), GW_HWNDNEXT), Handle(kDrives));
}

TEST_F(WindowRuntime, CommonPropertiesFollowTheLiveWindowThenTheDescription) {
    struct Case {
        int32_t property;
        PropertyValue described, written;
    };
    const Case cases[] = {
        {kLeft, 20, 45},          {kTop, 30, 50},         {kWidth, 100, 80},  {kHeight, 28, 20},
        {kTag, Text("a tag"), Text("other")}, {kVisible, true, false}, {kDisabled, false, true},
        {kMousePointer, 32649, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("property " + std::to_string(c.property));
        EXPECT_EQ(Runtime().ReadControlProperty(kWindow, kLabel, c.property, -1), c.described);
        Runtime().WriteControlProperty(kWindow, kLabel, c.property, -1, c.written, 0);
        EXPECT_EQ(Runtime().ReadControlProperty(kWindow, kLabel, c.property, -1), c.written);
    }
    RECT r;
    GetWindowRect(Handle(kLabel), &r);
    MapWindowPoints(nullptr, Handle(kItself), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 45);
    EXPECT_EQ(r.bottom - r.top, 20);
    EXPECT_FALSE(IsWindowVisible(Handle(kLabel)));
    EXPECT_FALSE(IsWindowEnabled(Handle(kLabel)));

    // Closed: the description is back in its described state.
    SendMessageA(Handle(kItself), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Runtime().WindowExists(kWindow));
    EXPECT_EQ(Handle(kLabel), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE("closed, property " + std::to_string(c.property));
        EXPECT_EQ(Runtime().ReadControlProperty(kWindow, kLabel, c.property, -1), c.described);
    }
}

TEST_F(WindowRuntime, MouseMessagesBecomeEventsAndFalseDropsThem) {
    HWND label = Handle(kLabel);
    labelProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingLabel)));
    pressesDelivered = 0;
    Record().events.clear();

    // x and y are unsigned 16-bit values.
    PostMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0xFFFF, 7));
    PostMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    DispatchAll();
    EXPECT_EQ(Record().events, (std::vector<std::string>{"pressed 65535 7 0", "released 3 4 0"}));
    EXPECT_EQ(pressesDelivered, 1);

    Record().dropPress = true;
    PostMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2));
    DispatchAll();
    EXPECT_EQ(pressesDelivered, 1) << "a handler answering false drops the message";
    SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(labelProcedure));
}

TEST_F(WindowRuntime, PendingMessagesLeaveTheQuitMessageQueued) {
    DispatchAll();
    EXPECT_FALSE(window::DispatchOnePendingMessage()) << "empty queue";
    PostMessageA(Handle(kLabel), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    PostQuitMessage(3);
    EXPECT_TRUE(window::DispatchOnePendingMessage());
    EXPECT_FALSE(window::DispatchOnePendingMessage());
    EXPECT_FALSE(window::DispatchOnePendingMessage());
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 3u);
}

TEST_F(WindowRuntime, CloseSequenceCanBeRefusedAndEscapeInTheDriveBoxCloses) {
    Record().events.clear();
    Record().refuseClose = true;
    SendMessageA(Handle(kItself), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Runtime().WindowExists(kWindow));
    EXPECT_EQ(Record().events, std::vector<std::string>{"query close"});

    Record().refuseClose = false;
    Record().events.clear();
    PostMessageA(Handle(kDrives), WM_KEYDOWN, VK_ESCAPE, 0);
    DispatchAll();
    EXPECT_FALSE(Runtime().WindowExists(kWindow));
    EXPECT_EQ(Record().events, (std::vector<std::string>{"query close", "close", "destroy"}));
}

TEST_F(WindowRuntime, HandPointerOnlyWhereLoaded) {
    HWND window = Handle(kItself);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_TRUE(SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(Handle(kLabel)),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    HCURSOR hand = GetCursor();
    EXPECT_NE(hand, LoadCursorA(nullptr, IDC_ARROW));
    // The window itself has no pointer of its own: the class arrow stays.
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace
}  // namespace varnesse
