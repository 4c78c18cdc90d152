// The delay on a real hidden window: messages posted before and during it,
// from this thread and another, and a timer, are dispatched while it waits.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "services/Win32Services.h"

namespace {

std::map<UINT, int>& Received() {
    static std::map<UINT, int> received;
    return received;
}

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_APP || message == WM_TIMER) ++Received()[message];
    return DefWindowProcA(window, message, wParam, lParam);
}

class HiddenWindow {
public:
    HiddenWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = CountingProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VarnesseDelayTestWindow";
        RegisterClassA(&windowClass);
        handle_ = CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
        Received().clear();
    }
    ~HiddenWindow() {
        DestroyWindow(handle_);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    HWND Handle() const { return handle_; }

private:
    HWND handle_;
};

TEST(DelayWithEvents, DispatchesEveryMessageWhileItWaitsItsFullTime) {
    varnesse::Win32Services services;
    HiddenWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    PostMessageA(window.Handle(), WM_APP, 0, 0);
    SetTimer(window.Handle(), 1, 100, nullptr);
    HWND target = window.Handle();
    std::thread poster([target] {
        Sleep(500);
        PostMessageA(target, WM_APP + 1, 0, 0);
    });

    const ULONGLONG start = GetTickCount64();
    services.DelayWithEvents(2000);
    const ULONGLONG elapsed = GetTickCount64() - start;
    poster.join();
    KillTimer(window.Handle(), 1);

    EXPECT_GE(elapsed, 2000u);
    EXPECT_EQ(Received()[WM_APP], 1) << "posted before the delay";
    EXPECT_EQ(Received()[WM_APP + 1], 1) << "posted by another thread during the delay";
    EXPECT_GE(Received()[WM_TIMER], 5) << "a 100 ms timer over two seconds";
}

TEST(DelayWithEvents, ZeroAndNegativeReturnAtOnceDispatchingNothing) {
    varnesse::Win32Services services;
    HiddenWindow window;
    PostMessageA(window.Handle(), WM_APP, 0, 0);
    for (int milliseconds : {0, -5}) {
        services.DelayWithEvents(milliseconds);
        EXPECT_EQ(Received()[WM_APP], 0) << milliseconds;
    }
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, window.Handle(), WM_APP, WM_APP, PM_NOREMOVE));
}

TEST(DelayWithEvents, LeavesQuitInTheQueueAndStillWaits) {
    varnesse::Win32Services services;
    HiddenWindow window;
    PostQuitMessage(9);
    const ULONGLONG start = GetTickCount64();
    services.DelayWithEvents(300);
    EXPECT_GE(GetTickCount64() - start, 300u);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 9u);
}

}  // namespace
