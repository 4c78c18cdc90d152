// A top-level window of the tests' own that hosts controls made by
// window::CreateControl: white background, clips its children, forwards the
// messages a control answers for (WM_COMMAND, WM_CTLCOLOR*) as the window
// runtime does, and records the events the controls fire.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "services/window/Control.h"

namespace varnesse::testing {

struct FiredEvent {
    int32_t event;
    std::vector<int32_t> arguments;
};

class ControlHost {
public:
    explicit ControlHost(int width = 400, int height = 300, DWORD style = WS_POPUP | WS_CLIPCHILDREN) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        windowClass.lpszClassName = "ControlHostWindow";
        RegisterClassExA(&windowClass);  // fails harmlessly when already registered
        window_ = CreateWindowExA(0, "ControlHostWindow", "ControlHost", style, 0, 0, width, height, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), this);
    }
    ~ControlHost() {
        controls_.clear();
        if (window_) DestroyWindow(window_);
    }
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    HWND Window() const { return window_; }
    const std::vector<FiredEvent>& Events() const { return events_; }

    // Creates a control as the runtime does and keeps it; null when refused.
    window::Control* Add(const UnitDescription& unit) {
        auto control = window::CreateControl(unit, window_, [this](int32_t event, const std::vector<int32_t>& args) {
            events_.push_back({event, args});
        });
        if (!control) return nullptr;
        controls_.push_back(std::move(control));
        return controls_.back().get();
    }

    void Show() {
        for (auto& control : controls_) {
            if (control->Handle()) ShowWindow(control->Handle(), SW_SHOWNA);
        }
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }

    // Handles whatever is queued, for about `milliseconds`.
    static void Pump(DWORD milliseconds = 100) {
        DWORD start = GetTickCount();
        do {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            Sleep(10);
        } while (GetTickCount() - start < milliseconds);
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* host = static_cast<ControlHost*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
        }
        auto* host = reinterpret_cast<ControlHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (host) {
            switch (message) {
                case WM_ERASEBKGND: {
                    RECT client;
                    GetClientRect(window, &client);
                    FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
                    return 1;
                }
                case WM_COMMAND:
                case WM_CTLCOLORLISTBOX:
                case WM_CTLCOLOREDIT:
                case WM_CTLCOLORSTATIC:
                    for (auto& control : host->controls_) {
                        if (auto answer = control->HandleParentMessage(message, wParam, lParam)) return *answer;
                    }
                    break;
                case WM_NCDESTROY:
                    host->window_ = nullptr;
                    break;
                default:
                    break;
            }
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    std::vector<std::unique_ptr<window::Control>> controls_;
    std::vector<FiredEvent> events_;
};

}  // namespace varnesse::testing
