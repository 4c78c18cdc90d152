// The transparent label: only its letters, over whatever lies beneath it.
#pragma once

#include <memory>

#include "services/Owners.h"
#include "services/window/PaintedControl.h"
#include "services/window/PropertyStore.h"

namespace varnesse::window {

class TransparentLabel final : public PaintedControl {
public:
    enum Property : int32_t {
        Caption = 8, TextEffect = 9, Font = 10, TextColor = 11, HorizontalAlignment = 12, WordWrap = 13,
        VerticalAlignment = 14,
    };

    static std::unique_ptr<TransparentLabel> Create(const UnitDescription& unit, HWND parent);

    PropertyValue ReadProperty(int32_t number, int32_t selector) override;
    void WriteProperty(int32_t number, int32_t selector, const PropertyValue& value) override;

private:
    explicit TransparentLabel(const UnitDescription& unit);
    void Paint(HDC dc, const PAINTSTRUCT& paint) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Repaints what lies beneath the label, then the label itself, so that
    // no trace of its old letters or place remains.
    void RepaintSurroundings();

    PropertyStore properties_;
    GdiObject<HFONT> font_;
};

}  // namespace varnesse::window
