// The drive box: a drop-down list of drives holding the chosen drive.
#pragma once

#include <memory>

#include "services/Owners.h"
#include "services/window/Control.h"

namespace varnesse::window {

class DriveBox final : public Control {
public:
    enum Property : int32_t { CurrentDrive = 8, DriveKind = 9, TextColor = 10, BackColor = 11, Font = 12 };

    static std::unique_ptr<DriveBox> Create(const UnitDescription& unit, HWND parent, EventSink fire);
    ~DriveBox() override;
    DriveBox(const DriveBox&) = delete;
    DriveBox& operator=(const DriveBox&) = delete;

    HWND Handle() const override { return box_; }
    PropertyValue ReadProperty(int32_t number, int32_t selector) override;
    void WriteProperty(int32_t number, int32_t selector, const PropertyValue& value) override;
    std::optional<LRESULT> HandleParentMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    DriveBox(const UnitDescription& unit, EventSink fire);
    bool CreateBox(const UnitDescription& unit, HWND parent);
    void FillList();
    void SelectLetter(char letter);
    void ApplyLook();
    void Notified(WORD code);
    void TakeUsersChoice(bool fire);
    bool IsOwnWindow(HWND window) const;
    std::optional<LRESULT> Colours(HDC dc);
    static LRESULT CALLBACK BoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);

    EventSink fire_;
    HWND box_ = nullptr;
    char storedLetter_ = 0;  // 'A'..'Z', or 0 for none
    bool justConfirmed_ = false;  // the last notification was CBN_SELENDOK
    int32_t driveKind_ = 0;
    int32_t textColor_ = 0;
    int32_t backColor_ = 0;
    Bytes fontRecord_;
    GdiObject<HBRUSH> brush_;
    GdiObject<HFONT> font_;
};

}  // namespace varnesse::window
