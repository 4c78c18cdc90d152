#include "services/window/Fonts.h"

#include <cstring>

namespace varnesse::window {

static_assert(sizeof(LOGFONTA) == 60, "a font record is one LOGFONTA");

GdiObject<HFONT> CreateFontFromRecord(const Bytes& record) {
    if (record.size() != sizeof(LOGFONTA)) return {};
    LOGFONTA font;
    std::memcpy(&font, record.data(), sizeof font);
    font.lfFaceName[LF_FACESIZE - 1] = '\0';  // a record without an ending zero stays inside its face field
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    return GdiObject<HFONT>(CreateFontIndirectA(&font));
}

HFONT FontOrDefault(const GdiObject<HFONT>& font) {
    return font ? font.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace varnesse::window
