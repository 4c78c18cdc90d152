// The label: a caption on a background that it paints itself.
#pragma once

#include <memory>

#include "services/Owners.h"
#include "services/window/PaintedControl.h"
#include "services/window/PropertyStore.h"

namespace varnesse::window {

class Label final : public PaintedControl {
public:
    enum Property : int32_t {
        Caption = 8, TextEffect = 9, Border = 10, BorderWidth = 11, BorderColour1 = 12, BorderColour2 = 13,
        BorderColour3 = 14, Font = 15, TextColor = 16, BackColor = 17, BackgroundPicture = 18, PictureMode = 19,
        Gradient = 20, GradientColour1 = 21, GradientColour2 = 22, GradientColour3 = 23,
        HorizontalAlignment = 24, WordWrap = 25, VerticalAlignment = 26, DataSource = 27, DataField = 28,
    };

    static std::unique_ptr<Label> Create(const UnitDescription& unit, HWND parent);

    PropertyValue ReadProperty(int32_t number, int32_t selector) override;
    void WriteProperty(int32_t number, int32_t selector, const PropertyValue& value) override;

private:
    explicit Label(const UnitDescription& unit);
    void Paint(HDC dc, const PAINTSTRUCT& paint) override;

    PropertyStore properties_;
    GdiObject<HFONT> font_;
};

}  // namespace varnesse::window
