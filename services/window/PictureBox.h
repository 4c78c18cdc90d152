// The picture box: a picture on a background of its own colour.
#pragma once

#include <memory>
#include <optional>

#include "services/Owners.h"
#include "services/window/PaintedControl.h"
#include "services/window/Picture.h"
#include "services/window/PropertyStore.h"

namespace varnesse::window {

class PictureBox final : public PaintedControl {
public:
    enum Property : int32_t {
        Border = 8, BackColor = 9, PictureBytes = 10, DisplayMode = 11, Animate = 12, DataSource = 13,
        DataField = 14,
    };

    static std::unique_ptr<PictureBox> Create(const UnitDescription& unit, HWND parent);

    PropertyValue ReadProperty(int32_t number, int32_t selector) override;
    void WriteProperty(int32_t number, int32_t selector, const PropertyValue& value) override;

    // The decoded picture, if any (for the tests and the runtime).
    const std::optional<Picture>& LoadedPicture() const { return picture_; }

private:
    explicit PictureBox(const UnitDescription& unit);
    void Paint(HDC dc, const PAINTSTRUCT& paint) override;
    bool PreparePixels(HDC dc);

    PropertyStore properties_;
    GdiObject<HBRUSH> background_;
    std::optional<Picture> picture_;
    GdiObject<HBITMAP> prepared_;  // picture_ blended with preparedFor_
    COLORREF preparedFor_ = 0;
};

// Where a picture of the given size lands in a client area of the given size
// for display mode 0 (own size at 0,0), 1 (stretched) or 2 (centred, shrunk
// by the smaller ratio when too large).
RECT PictureTarget(int32_t mode, SIZE picture, SIZE client);

}  // namespace varnesse::window
