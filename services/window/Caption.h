// The letters of a label or transparent label.
#pragma once

#include <windows.h>

#include <cstdint>

#include "services/Text.h"
#include "services/Owners.h"
#include "services/window/PropertyStore.h"

namespace varnesse::window {

struct CaptionLook {
    HFONT font = nullptr;
    COLORREF colour = 0;
    int32_t horizontalAlignment = 0;  // 0 left, 1 centred, 2 right
    bool wordWrap = false;
    int32_t verticalAlignment = 0;  // 0 top, 1 centred, 2 bottom (single line only)
    int32_t effect = 0;             // 0 none, 1 white shadow, 2 black shadow, 3 wide black shadow
};

// Where a kind keeps the properties that shape its letters.
struct CaptionProperties {
    int32_t textColor, horizontalAlignment, wordWrap, verticalAlignment, effect;
};

// The look of a caption from the kind's current property values.
CaptionLook CaptionLookOf(const PropertyStore& properties, const CaptionProperties& numbers,
                          const GdiObject<HFONT>& font);

// Draws the caption into the rectangle with a transparent background; an
// ampersand is drawn as it is. An empty caption draws nothing.
void DrawCaption(HDC dc, const RECT& area, const Text& caption, const CaptionLook& look);

}  // namespace varnesse::window
