// The drive box and ListDrives on the sandbox's drives: C: and D: (label
// DATA) fixed; E: fixed, or a CD-ROM drive when test_controls.py runs these
// tests in a sandbox that maps it so. The program runs from C:\setup.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/Win32Services.h"
#include "tests/support/ControlHost.h"

namespace varnesse {
namespace {

using testing::ControlHost;

constexpr int32_t kCurrentDrive = 8, kDriveKind = 9, kTextColor = 10, kBackColor = 11;

bool DriveEIsCdrom() { return GetDriveTypeA("E:\\") == DRIVE_CDROM; }

// test_controls.py says which layout it made; without it either is fine.
TEST(DriveBox, SandboxHasTheDrivesTheScenarioAskedFor) {
    char wanted[16] = {};
    GetEnvironmentVariableA("VARNESSE_DRIVE_E", wanted, sizeof wanted);
    if (std::string(wanted) == "cdrom") EXPECT_TRUE(DriveEIsCdrom());
}

UnitDescription DriveBoxUnit(int32_t driveKind, std::map<int32_t, PropertyValue> more = {}) {
    UnitDescription unit;
    unit.kind = UnitKind::DriveBox;
    unit.id = 0x16010003;
    unit.left = 75;
    unit.top = 198;
    unit.width = 160;
    unit.height = 20;
    unit.tabStop = true;
    unit.properties = std::move(more);
    unit.properties[kDriveKind] = driveKind;
    unit.properties[kTextColor] = 0;
    unit.properties[kBackColor] = 0x00FFFFFF;
    return unit;
}

std::vector<std::string> Items(HWND box) {
    std::vector<std::string> items;
    LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[600] = {};
        SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::string Selected(HWND box) {
    LRESULT item = SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (item < 0) return "(none)";
    char text[600] = {};
    SendMessageA(box, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
    return text;
}

Text CurrentDrive(window::Control& box) { return std::get<Text>(box.ReadProperty(kCurrentDrive, -1)); }

TEST(DriveBox, ListsFixedDrivesWithLabelsAndSelectsTheCurrentDrive) {
    ControlHost host;
    window::Control* box = host.Add(DriveBoxUnit(2));
    ASSERT_NE(box, nullptr);
    std::vector<std::string> expected = {"C: （硬盘）", "D: （硬盘） DATA"};
    if (!DriveEIsCdrom()) expected.push_back("E: （硬盘）");
    EXPECT_EQ(Items(box->Handle()), expected);
    EXPECT_EQ(Selected(box->Handle()), "C: （硬盘）");
    EXPECT_EQ(CurrentDrive(*box), Text("C"));
    // Item data is the drive letter.
    EXPECT_EQ(SendMessageA(box->Handle(), CB_GETITEMDATA, 1, 0), 'D');
}

TEST(DriveBox, DescribedDriveIsSelected) {
    ControlHost host;
    window::Control* box = host.Add(DriveBoxUnit(2, {{kCurrentDrive, Text("d")}}));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Selected(box->Handle()), "D: （硬盘） DATA");
    EXPECT_EQ(CurrentDrive(*box), Text("D"));
}

TEST(DriveBox, WritingCurrentDriveSelectsByFirstLetterOrClears) {
    struct Row {
        Text written;
        const char* read;
        const char* selected;
    };
    const Row rows[] = {
        {"c:", "C", "C: （硬盘）"},
        {"D", "D", "D: （硬盘） DATA"},
        {"C: （硬盘）", "C", "C: （硬盘）"},
        {"d:\\Varnesse商城", "D", "D: （硬盘） DATA"},
        {"Q", "C", "(none)"},          // not listed: nothing stored, the current drive reads back
        {"", "C", "C: （硬盘）"},       // empty: the current drive
        {"安装", "C", "(none)"},        // a lead byte names no drive
    };
    ControlHost host;
    window::Control* box = host.Add(DriveBoxUnit(2));
    ASSERT_NE(box, nullptr);
    for (const Row& row : rows) {
        box->WriteProperty(kCurrentDrive, -1, row.written);
        EXPECT_EQ(CurrentDrive(*box), Text(row.read)) << "wrote " << row.written.CString();
        EXPECT_EQ(Selected(box->Handle()), row.selected) << "wrote " << row.written.CString();
    }
    ControlHost::Pump();
    EXPECT_TRUE(host.Events().empty()) << "a selection by the program fires no event";
}

TEST(DriveBox, DriveKindIsClampedAndRefillsTheList) {
    struct Row {
        int32_t written;
        int32_t read;
        std::vector<std::string> items;
    };
    bool cdrom = DriveEIsCdrom();
    std::string driveE = cdrom ? "E: （光驱）" : "E: （硬盘）";
    const Row rows[] = {
        {0, 0, {"C: （硬盘）", "D: （硬盘） DATA", driveE}},
        {-4, 0, {"C: （硬盘）", "D: （硬盘） DATA", driveE}},
        {5, 5, {}},
        {9, 5, {}},
        {1, 1, {}},
        {3, 3, cdrom ? std::vector<std::string>{driveE} : std::vector<std::string>{}},
        {4, 4, {}},
    };
    ControlHost host;
    window::Control* box = host.Add(DriveBoxUnit(2));
    ASSERT_NE(box, nullptr);
    for (const Row& row : rows) {
        box->WriteProperty(kDriveKind, -1, row.written);
        EXPECT_EQ(std::get<int32_t>(box->ReadProperty(kDriveKind, -1)), row.read) << "wrote " << row.written;
        EXPECT_EQ(Items(box->Handle()), row.items) << "wrote " << row.written;
        // The current drive C is listed by kinds 0 only here; otherwise
        // nothing is selected and the current drive still reads back.
        EXPECT_EQ(CurrentDrive(*box), Text("C")) << "wrote " << row.written;
        EXPECT_EQ(Selected(box->Handle()), row.read == 0 ? "C: （硬盘）" : "(none)") << "wrote " << row.written;
    }
}

TEST(DriveBox, TheOpenedListIsAtLeastEightyPixelsHigh) {
    // The system reports the dropped rectangle as the given height less the
    // closed box; compare against a box given exactly 80 pixels.
    auto droppedHeight = [](int32_t height) {
        ControlHost host;
        UnitDescription unit = DriveBoxUnit(2);
        unit.height = height;
        window::Control* box = host.Add(unit);
        RECT dropped{};
        if (box) SendMessageA(box->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        return dropped.bottom - dropped.top;
    };
    const LONG reference = droppedHeight(80);
    ASSERT_GT(reference, 0);
    for (int32_t height : {20, 79, 81, 120}) {
        EXPECT_EQ(droppedHeight(height) - reference, std::max(height, 80) - 80) << "height " << height;
    }
}

TEST(DriveBox, ColoursAnswerForTheBoxAndItsList) {
    ControlHost host;
    window::Control* box = host.Add(DriveBoxUnit(2));
    ASSERT_NE(box, nullptr);
    box->WriteProperty(kTextColor, -1, 0x000080);
    HDC dc = GetDC(host.Window());
    auto answer = box->HandleParentMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(box->Handle()));
    ASSERT_TRUE(answer);
    EXPECT_NE(*answer, 0);
    EXPECT_EQ(GetTextColor(dc), RGB(128, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    ASSERT_TRUE(GetComboBoxInfo(box->Handle(), &parts));
    EXPECT_TRUE(box->HandleParentMessage(WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(parts.hwndList)));
    // Another window's colour message is not the drive box's.
    EXPECT_FALSE(box->HandleParentMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                          reinterpret_cast<LPARAM>(host.Window())));
    ReleaseDC(host.Window(), dc);
}

TEST(DriveBox, UsersChoiceByKeyboardStoresTheLetterAndFiresEventZero) {
    ControlHost host;
    window::Control* box = host.Add(DriveBoxUnit(2));
    ASSERT_NE(box, nullptr);
    host.Show();
    SetForegroundWindow(host.Window());
    SetFocus(box->Handle());
    ControlHost::Pump(300);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_DOWN;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
    ControlHost::Pump(500);
    EXPECT_EQ(CurrentDrive(*box), Text("D"));
    ASSERT_EQ(host.Events().size(), 1u);
    EXPECT_EQ(host.Events()[0].event, 0);
    EXPECT_TRUE(host.Events()[0].arguments.empty());
}

void ClickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
    ControlHost::Pump(400);
}

TEST(DriveBox, UsersChoiceWithTheMouseFiresEventZeroOnce) {
    ControlHost host;
    window::Control* box = host.Add(DriveBoxUnit(2));
    ASSERT_NE(box, nullptr);
    host.Show();
    SetForegroundWindow(host.Window());
    ControlHost::Pump(300);
    RECT closed;
    GetWindowRect(box->Handle(), &closed);
    ClickAt({closed.right - 8, (closed.top + closed.bottom) / 2});  // the drop-down button
    ASSERT_TRUE(SendMessageA(box->Handle(), CB_GETDROPPEDSTATE, 0, 0)) << "the list opens";
    EXPECT_TRUE(host.Events().empty()) << "opening the list chooses nothing";
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    ASSERT_TRUE(GetComboBoxInfo(box->Handle(), &parts));
    RECT list;
    GetWindowRect(parts.hwndList, &list);
    LRESULT itemHeight = SendMessageA(parts.hwndList, LB_GETITEMHEIGHT, 0, 0);
    ClickAt({(list.left + list.right) / 2, list.top + static_cast<LONG>(itemHeight) * 3 / 2});  // item 2: D
    EXPECT_FALSE(SendMessageA(box->Handle(), CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(CurrentDrive(*box), Text("D"));
    EXPECT_EQ(Selected(box->Handle()), "D: （硬盘） DATA");
    ASSERT_EQ(host.Events().size(), 1u);
    EXPECT_EQ(host.Events()[0].event, 0);
}

TEST(ListDrives, KindsPickDriveTypes) {
    bool cdrom = DriveEIsCdrom();
    const std::vector<Text> all = {"C:", "D:", "E:"};
    const std::vector<Text> fixed = cdrom ? std::vector<Text>{"C:", "D:"} : all;
    const std::vector<Text> cdroms = cdrom ? std::vector<Text>{"E:"} : std::vector<Text>{};
    struct Row {
        std::optional<int32_t> kind;
        std::vector<Text> drives;
    };
    const Row rows[] = {
        {std::nullopt, all}, {0, all}, {1, fixed}, {2, cdroms}, {3, {}}, {4, {}}, {7, all}, {-1, all},
    };
    Win32Services services;
    for (const Row& row : rows) {
        EXPECT_EQ(services.ListDrives(row.kind).Items(), row.drives) << "kind " << row.kind.value_or(-99);
    }
}

}  // namespace
}  // namespace varnesse
