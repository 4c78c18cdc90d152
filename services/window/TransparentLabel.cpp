#include "services/window/TransparentLabel.h"

#include <vector>

#include "services/window/Caption.h"
#include "services/window/Colours.h"
#include "services/window/Fonts.h"

namespace varnesse::window {
namespace {

std::vector<PropertyRule> TransparentLabelRules() {
    using T = PropertyType;
    return {
        {TransparentLabel::Caption, T::Text},
        {TransparentLabel::TextEffect, T::Integer, 0, 0, 3},
        {TransparentLabel::Font, T::Bytes},
        {TransparentLabel::TextColor, T::Colour, 0},
        {TransparentLabel::HorizontalAlignment, T::Integer, 0, 0, 2},
        {TransparentLabel::WordWrap, T::Logical},
        {TransparentLabel::VerticalAlignment, T::Integer, 0, 0, 2},
    };
}

// Every window inside the top-level window, parents before their children.
BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

const CaptionProperties kCaptionProperties{TransparentLabel::TextColor, TransparentLabel::HorizontalAlignment,
                                           TransparentLabel::WordWrap, TransparentLabel::VerticalAlignment,
                                           TransparentLabel::TextEffect};

}  // namespace

TransparentLabel::TransparentLabel(const UnitDescription& unit) : properties_(TransparentLabelRules(), unit) {
    font_ = CreateFontFromRecord(properties_.BytesOf(Font));
}

std::unique_ptr<TransparentLabel> TransparentLabel::Create(const UnitDescription& unit, HWND parent) {
    std::unique_ptr<TransparentLabel> label(new TransparentLabel(unit));
    if (!label->CreateChildWindow(unit, parent, WS_EX_TRANSPARENT, label->properties_.TextOf(Caption))) {
        return nullptr;
    }
    return label;
}

PropertyValue TransparentLabel::ReadProperty(int32_t number, int32_t) { return properties_.Read(number); }

void TransparentLabel::WriteProperty(int32_t number, int32_t, const PropertyValue& value) {
    if (!properties_.Write(number, value)) return;
    if (number == Caption) SetWindowTextA(Handle(), properties_.TextOf(Caption).CString());
    if (number == Font) font_ = CreateFontFromRecord(properties_.BytesOf(Font));
    RepaintSurroundings();
}

void TransparentLabel::Paint(HDC dc, const PAINTSTRUCT&) {
    CaptionLook look = CaptionLookOf(properties_, kCaptionProperties, font_);
    DrawCaption(dc, ClientRectangle(Handle()), properties_.TextOf(Caption), look);
}

LRESULT TransparentLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGED) {
        auto* place = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((place->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) RepaintSurroundings();
    }
    return PaintedControl::HandleMessage(message, wParam, lParam);
}

void TransparentLabel::RepaintSurroundings() {
    HWND label = Handle();
    HWND top = GetAncestor(label, GA_ROOT);
    if (!label || !top || top == label) return;
    RECT covered;  // screen coordinates
    GetWindowRect(label, &covered);

    RECT inTop = covered;
    MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&inTop), 2);
    InvalidateRect(top, &inTop, TRUE);
    UpdateWindow(top);

    std::vector<HWND> inside;
    EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&inside));
    for (auto window = inside.rbegin(); window != inside.rend(); ++window) {
        if (!IsWindowVisible(*window)) continue;
        RECT own, common;
        GetWindowRect(*window, &own);
        if (!IntersectRect(&common, &own, &covered)) continue;
        // RedrawWindow takes client coordinates; the frame is included by RDW_FRAME.
        MapWindowPoints(HWND_DESKTOP, *window, reinterpret_cast<POINT*>(&common), 2);
        RedrawWindow(*window, &common, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }
    InvalidateRect(label, nullptr, FALSE);
}

}  // namespace varnesse::window
