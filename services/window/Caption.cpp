#include "services/window/Caption.h"

#include "services/window/Colours.h"
#include "services/window/Fonts.h"

namespace varnesse::window {
namespace {

UINT TextFormat(const CaptionLook& look) {
    UINT format = DT_NOPREFIX;
    if (look.horizontalAlignment == 1) format |= DT_CENTER;
    if (look.horizontalAlignment == 2) format |= DT_RIGHT;
    if (look.wordWrap) return format | DT_WORDBREAK;
    format |= DT_SINGLELINE;
    if (look.verticalAlignment == 1) format |= DT_VCENTER;
    if (look.verticalAlignment == 2) format |= DT_BOTTOM;
    return format;
}

void DrawShifted(HDC dc, RECT area, const Text& caption, UINT format, int shift, COLORREF colour) {
    OffsetRect(&area, shift, shift);
    SetTextColor(dc, colour);
    DrawTextA(dc, caption.CString(), caption.Length(), &area, format);
}

}  // namespace

CaptionLook CaptionLookOf(const PropertyStore& properties, const CaptionProperties& numbers,
                          const GdiObject<HFONT>& font) {
    CaptionLook look;
    look.font = FontOrDefault(font);
    look.colour = LetterColour(properties.IntegerOf(numbers.textColor));
    look.horizontalAlignment = properties.IntegerOf(numbers.horizontalAlignment);
    look.wordWrap = properties.LogicalOf(numbers.wordWrap);
    look.verticalAlignment = properties.IntegerOf(numbers.verticalAlignment);
    look.effect = properties.IntegerOf(numbers.effect);
    return look;
}

void DrawCaption(HDC dc, const RECT& area, const Text& caption, const CaptionLook& look) {
    if (caption.IsEmpty()) return;
    HGDIOBJ previousFont = SelectObject(dc, look.font);
    int previousMode = SetBkMode(dc, TRANSPARENT);
    COLORREF previousColour = GetTextColor(dc);
    UINT format = TextFormat(look);
    if (look.effect == 1) DrawShifted(dc, area, caption, format, 1, RGB(255, 255, 255));
    if (look.effect == 2) DrawShifted(dc, area, caption, format, 1, RGB(0, 0, 0));
    if (look.effect == 3) DrawShifted(dc, area, caption, format, 2, RGB(0, 0, 0));
    DrawShifted(dc, area, caption, format, 0, look.colour);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

}  // namespace varnesse::window
