// Colours of the controls: 0x00BBGGRR, with 0xFF000000 as the default colour.
#pragma once

#include <windows.h>

#include <cstdint>

namespace varnesse::window {

// A colour for filling or as a background: the default colour is the
// system's button-face colour.
COLORREF BackgroundColour(int32_t colour);
// A colour for letters: the default colour is the system's button text.
COLORREF LetterColour(int32_t colour);

}  // namespace varnesse::window
