// The message box's owner, modality and result, answered from inside the
// box's own modal loop by a thread timer.
#include <windows.h>

#include <gtest/gtest.h>

#include "services/Win32Services.h"

namespace {

struct Seen {
    bool found = false;
    HWND owner = nullptr;
    bool ownerEnabled = true;
    WPARAM answer = IDOK;
    HWND expectedOwner = nullptr;
};

Seen& Observed() {
    static Seen seen;
    return seen;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowA("#32770", "盒子测试");
    if (!box) return;
    KillTimer(nullptr, timer);
    Seen& seen = Observed();
    seen.found = true;
    seen.owner = GetWindow(box, GW_OWNER);
    seen.ownerEnabled = seen.expectedOwner ? IsWindowEnabled(seen.expectedOwner) != FALSE : true;
    PostMessageA(box, WM_COMMAND, seen.answer, 0);
}

TEST(ShowMessage, OwnerAndResult) {
    varnesse::Win32Services services;
    HWND ownerWindow = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(ownerWindow, nullptr);
    struct Case {
        const char* name;
        std::optional<varnesse::MessageOwner> owner;
        HWND expectedOwner;
        int32_t flags;
        WPARAM answer;
        int32_t result;
    };
    const int32_t handle = static_cast<int32_t>(reinterpret_cast<intptr_t>(ownerWindow));
    const Case cases[] = {
        {"handle as integer, OK", varnesse::MessageOwner(handle), ownerWindow, MB_OK, IDOK, 0},
        {"no owner, Cancel", std::nullopt, nullptr, MB_OKCANCEL, IDCANCEL, 1},
        {"window not loaded, Yes", varnesse::MessageOwner(varnesse::WindowUnit{12345, 0x06010000}), nullptr,
         MB_YESNO, IDYES, 5},
        {"handle, No", varnesse::MessageOwner(handle), ownerWindow, MB_YESNO | MB_ICONQUESTION, IDNO, 6},
    };
    for (const Case& row : cases) {
        Observed() = Seen{};
        Observed().answer = row.answer;
        Observed().expectedOwner = row.expectedOwner;
        SetTimer(nullptr, 0, 100, AnswerBox);
        EXPECT_EQ(services.ShowMessage("内容", row.flags, varnesse::Text("盒子测试"), row.owner), row.result)
            << row.name;
        EXPECT_TRUE(Observed().found) << row.name;
        EXPECT_EQ(Observed().owner, row.expectedOwner) << row.name;
        if (row.expectedOwner) {
            EXPECT_FALSE(Observed().ownerEnabled) << row.name << ": the owner is disabled while the box is shown";
            EXPECT_TRUE(IsWindowEnabled(row.expectedOwner)) << row.name << ": and enabled again afterwards";
        }
    }
    DestroyWindow(ownerWindow);
}

}  // namespace
