#include "services/window/Colours.h"

#include "services/window/PropertyStore.h"

namespace varnesse::window {

COLORREF BackgroundColour(int32_t colour) {
    if (colour == kDefaultColour) return GetSysColor(COLOR_BTNFACE);
    return static_cast<COLORREF>(colour) & 0x00FFFFFFu;
}

COLORREF LetterColour(int32_t colour) {
    if (colour == kDefaultColour) return GetSysColor(COLOR_BTNTEXT);
    return static_cast<COLORREF>(colour) & 0x00FFFFFFu;
}

}  // namespace varnesse::window
