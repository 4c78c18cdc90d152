#include "services/window/Label.h"

#include "services/window/Caption.h"
#include "services/window/Colours.h"
#include "services/window/Fonts.h"

namespace varnesse::window {
namespace {

std::vector<PropertyRule> LabelRules() {
    using T = PropertyType;
    return {
        {Label::Caption, T::Text},
        {Label::TextEffect, T::Integer, 0, 0, 3},
        {Label::Border, T::Integer, 0, 0, 6},
        {Label::BorderWidth, T::Integer, 5, 5},
        {Label::BorderColour1, T::Colour},
        {Label::BorderColour2, T::Colour},
        {Label::BorderColour3, T::Colour},
        {Label::Font, T::Bytes},
        {Label::TextColor, T::Colour, 0},
        {Label::BackColor, T::Colour, kDefaultColour},
        {Label::BackgroundPicture, T::Bytes},
        {Label::PictureMode, T::Integer, 0, 0, 2},
        {Label::Gradient, T::Integer, 0, 0, 8},
        {Label::GradientColour1, T::Colour},
        {Label::GradientColour2, T::Colour},
        {Label::GradientColour3, T::Colour},
        {Label::HorizontalAlignment, T::Integer, 0, 0, 2},
        {Label::WordWrap, T::Logical},
        {Label::VerticalAlignment, T::Integer, 0, 0, 2},
        {Label::DataSource, T::Text},
        {Label::DataField, T::Text},
    };
}

const CaptionProperties kCaptionProperties{Label::TextColor, Label::HorizontalAlignment,
                                           Label::WordWrap, Label::VerticalAlignment, Label::TextEffect};

}  // namespace

Label::Label(const UnitDescription& unit) : properties_(LabelRules(), unit) {
    font_ = CreateFontFromRecord(properties_.BytesOf(Font));
}

std::unique_ptr<Label> Label::Create(const UnitDescription& unit, HWND parent) {
    std::unique_ptr<Label> label(new Label(unit));
    if (!label->CreateChildWindow(unit, parent, 0, label->properties_.TextOf(Caption))) return nullptr;
    return label;
}

PropertyValue Label::ReadProperty(int32_t number, int32_t) { return properties_.Read(number); }

void Label::WriteProperty(int32_t number, int32_t, const PropertyValue& value) {
    if (!properties_.Write(number, value)) return;
    if (number == Caption) SetWindowTextA(Handle(), properties_.TextOf(Caption).CString());
    if (number == Font) font_ = CreateFontFromRecord(properties_.BytesOf(Font));
    InvalidateRect(Handle(), nullptr, FALSE);
}

void Label::Paint(HDC dc, const PAINTSTRUCT& paint) {
    // BeginPaint already limits drawing to the update region.
    GdiObject<HBRUSH> background(CreateSolidBrush(BackgroundColour(properties_.IntegerOf(BackColor))));
    FillRect(dc, &paint.rcPaint, background.Get());
    CaptionLook look = CaptionLookOf(properties_, kCaptionProperties, font_);
    DrawCaption(dc, ClientRectangle(Handle()), properties_.TextOf(Caption), look);
}

}  // namespace varnesse::window
