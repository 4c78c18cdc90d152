#include "services/window/DriveBox.h"

#include <commctrl.h>

#include <algorithm>

#include "services/window/Colours.h"
#include "services/window/Drives.h"
#include "services/window/Fonts.h"
#include "services/window/PropertyStore.h"

namespace varnesse::window {
namespace {

constexpr UINT_PTR kSubclassId = 1;
// The opened list needs room for a few items whatever height is described.
constexpr int kLeastBoxHeight = 80;

// DriveKind 0 lists every drive; 1..5 one drive type each.
bool KindTakes(int32_t driveKind, UINT type) {
    static constexpr UINT kTypeOfKind[] = {0, DRIVE_REMOVABLE, DRIVE_FIXED, DRIVE_CDROM, DRIVE_REMOTE, DRIVE_RAMDISK};
    return driveKind == 0 || type == kTypeOfKind[driveKind];
}

Text ItemText(char letter, const char* root, UINT type) {
    std::string text{letter, ':'};
    switch (type) {
        case DRIVE_FIXED: {
            text += " （硬盘）";
            char label[499] = {};
            if (GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) &&
                label[0] != '\0') {
                text += ' ';
                text += label;
            }
            break;
        }
        case DRIVE_REMOTE: text += " （网络驱动器）"; break;
        case DRIVE_CDROM: text += " （光驱）"; break;
        case DRIVE_RAMDISK: text += " （内存虚拟驱动器）"; break;
        default: break;
    }
    return Text(text);
}

}  // namespace

DriveBox::DriveBox(const UnitDescription& unit, EventSink fire) : fire_(std::move(fire)) {
    auto described = [&unit](int32_t number) {
        auto found = unit.properties.find(number);
        return found != unit.properties.end() ? found->second : PropertyValue();
    };
    Text drive = TextValue(described(CurrentDrive));
    storedLetter_ = drive.IsEmpty() ? 0 : UpperCaseLetter(drive.Bytes()[0]);
    driveKind_ = std::clamp(IntegerValue(described(DriveKind), 0), 0, 5);
    textColor_ = IntegerValue(described(TextColor), 0);
    backColor_ = IntegerValue(described(BackColor), kDefaultColour);
    fontRecord_ = BytesValue(described(Font));
}

DriveBox::~DriveBox() {
    if (!box_) return;
    RemoveWindowSubclass(box_, BoxProcedure, kSubclassId);
    DestroyWindow(box_);
}

std::unique_ptr<DriveBox> DriveBox::Create(const UnitDescription& unit, HWND parent, EventSink fire) {
    std::unique_ptr<DriveBox> box(new DriveBox(unit, std::move(fire)));
    if (!box->CreateBox(unit, parent)) return nullptr;
    box->ApplyLook();
    box->FillList();
    return box;
}

bool DriveBox::CreateBox(const UnitDescription& unit, HWND parent) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST;
    if (unit.disabled) style |= WS_DISABLED;
    if (unit.tabStop) style |= WS_TABSTOP;
    HMENU childId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(unit.id));
    box_ = CreateWindowExA(0, "COMBOBOX", "", style, unit.left, unit.top, unit.width,
                           std::max(unit.height, kLeastBoxHeight), parent, childId, GetModuleHandleA(nullptr),
                           nullptr);
    if (!box_) return false;
    // The opened list asks its combo box for its colours; answer there.
    SetWindowSubclass(box_, BoxProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void DriveBox::ApplyLook() {
    brush_.Reset(CreateSolidBrush(BackgroundColour(backColor_)));
    font_ = CreateFontFromRecord(fontRecord_);
    SendMessageA(box_, WM_SETFONT, reinterpret_cast<WPARAM>(FontOrDefault(font_)), TRUE);
    InvalidateRect(box_, nullptr, TRUE);
}

void DriveBox::FillList() {
    SendMessageA(box_, CB_RESETCONTENT, 0, 0);
    char target = storedLetter_ ? storedLetter_ : CurrentDriveLetter();
    int remembered = CB_ERR;
    char roots[260] = {};
    DWORD length = GetLogicalDriveStringsA(sizeof roots, roots);
    if (length > 0 && length < sizeof roots) {
        for (const char* root = roots; *root != '\0'; root += std::char_traits<char>::length(root) + 1) {
            char letter = UpperCaseLetter(root[0]);
            UINT type = GetDriveTypeA(root);
            if (!KindTakes(driveKind_, type)) continue;
            Text text = ItemText(letter, root, type);
            LRESULT item = SendMessageA(box_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.CString()));
            if (item < 0) continue;
            SendMessageA(box_, CB_SETITEMDATA, item, static_cast<LPARAM>(static_cast<unsigned char>(letter)));
            if (letter == target) remembered = static_cast<int>(item);
        }
    }
    SendMessageA(box_, CB_SETCURSEL, remembered, 0);
    storedLetter_ = remembered != CB_ERR ? target : 0;
}

void DriveBox::SelectLetter(char letter) {
    LRESULT count = SendMessageA(box_, CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
        if (SendMessageA(box_, CB_GETITEMDATA, item, 0) == static_cast<unsigned char>(letter)) {
            SendMessageA(box_, CB_SETCURSEL, item, 0);
            storedLetter_ = letter;
            return;
        }
    }
    SendMessageA(box_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    storedLetter_ = 0;
}

PropertyValue DriveBox::ReadProperty(int32_t number, int32_t) {
    switch (number) {
        case CurrentDrive: {
            const char letter[] = {storedLetter_ ? storedLetter_ : CurrentDriveLetter(), '\0'};
            return Text(letter);
        }
        case DriveKind: return driveKind_;
        case TextColor: return textColor_;
        case BackColor: return backColor_;
        case Font: return fontRecord_;
        default: return {};
    }
}

void DriveBox::WriteProperty(int32_t number, int32_t, const PropertyValue& value) {
    switch (number) {
        case CurrentDrive: {
            Text drive = TextValue(value);
            SelectLetter(drive.IsEmpty() ? CurrentDriveLetter() : UpperCaseLetter(drive.Bytes()[0]));
            break;
        }
        case DriveKind:
            driveKind_ = std::clamp(IntegerValue(value, 0), 0, 5);
            FillList();
            break;
        case TextColor:
            textColor_ = IntegerValue(value, 0);
            ApplyLook();
            break;
        case BackColor:
            backColor_ = IntegerValue(value, kDefaultColour);
            ApplyLook();
            break;
        case Font:
            fontRecord_ = BytesValue(value);
            ApplyLook();
            break;
        default: break;
    }
}

void DriveBox::TakeUsersChoice(bool fire) {
    LRESULT item = SendMessageA(box_, CB_GETCURSEL, 0, 0);
    storedLetter_ = item >= 0 ? static_cast<char>(SendMessageA(box_, CB_GETITEMDATA, item, 0)) : 0;
    if (fire && fire_) fire_(0, {});
}

bool DriveBox::IsOwnWindow(HWND window) const {
    if (!box_ || !window) return false;
    if (window == box_) return true;
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    return GetComboBoxInfo(box_, &parts) && (window == parts.hwndList || window == parts.hwndItem);
}

std::optional<LRESULT> DriveBox::Colours(HDC dc) {
    SetTextColor(dc, LetterColour(textColor_));
    SetBkColor(dc, BackgroundColour(backColor_));
    return reinterpret_cast<LRESULT>(brush_.Get());
}

// The user's choice is confirmed by CBN_SELENDOK, which the system may
// follow with CBN_SELCHANGE for the same choice (seen under Wine, for the
// mouse and the keyboard alike); that one only settles the letter. A
// CBN_SELCHANGE on its own, with the list closed, is a choice by the arrow
// keys; one while the list is open waits for its confirmation. A selection
// made by the program sends neither, so it fires nothing.
void DriveBox::Notified(WORD code) {
    bool opened = SendMessageA(box_, CB_GETDROPPEDSTATE, 0, 0) != 0;
    if (code == CBN_SELENDOK) {
        TakeUsersChoice(true);
        justConfirmed_ = true;
    } else if (code == CBN_SELCHANGE && !opened) {
        TakeUsersChoice(!justConfirmed_);
        justConfirmed_ = false;
    } else if (code != CBN_SELCHANGE && code != CBN_CLOSEUP) {
        justConfirmed_ = false;
    }
}

std::optional<LRESULT> DriveBox::HandleParentMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    switch (message) {
        case WM_COMMAND:
            if (from != box_ || !box_) return std::nullopt;
            Notified(HIWORD(wParam));
            return 0;
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            if (!IsOwnWindow(from)) return std::nullopt;
            return Colours(reinterpret_cast<HDC>(wParam));
        default:
            return std::nullopt;
    }
}

LRESULT CALLBACK DriveBox::BoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) {
    auto* box = reinterpret_cast<DriveBox*>(self);
    if (message == WM_CTLCOLORLISTBOX) return *box->Colours(reinterpret_cast<HDC>(wParam));
    if (message == WM_NCDESTROY) {
        // Destroyed with its parent before the object: forget the handle.
        RemoveWindowSubclass(window, BoxProcedure, kSubclassId);
        box->box_ = nullptr;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace varnesse::window
