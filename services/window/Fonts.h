// Fonts of the controls, made from a 60-byte LOGFONTA record.
#pragma once

#include <windows.h>

#include "services/Owners.h"
#include "services/Services.h"

namespace varnesse::window {

// The font of a record: height, weight, italic, underline, strike-out and
// face as stored; character set, precisions, quality and pitch replaced by
// the defaults. Empty when the record is not 60 bytes or creation fails.
GdiObject<HFONT> CreateFontFromRecord(const Bytes& record);

// The font to select: the made one, or the system's default GUI font.
HFONT FontOrDefault(const GdiObject<HFONT>& font);

}  // namespace varnesse::window
