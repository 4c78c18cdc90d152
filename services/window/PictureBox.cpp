#include "services/window/PictureBox.h"

#include <cstring>

#include "services/window/Colours.h"

namespace varnesse::window {
namespace {

std::vector<PropertyRule> PictureBoxRules() {
    using T = PropertyType;
    return {
        {PictureBox::Border, T::Integer, 0, 0, 5},
        {PictureBox::BackColor, T::Colour, kDefaultColour},
        {PictureBox::PictureBytes, T::Bytes},
        {PictureBox::DisplayMode, T::Integer, 0, 0, 2},
        {PictureBox::Animate, T::Logical},
        {PictureBox::DataSource, T::Text},
        {PictureBox::DataField, T::Text},
    };
}

// Restores the object that was selected into a device context before.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

uint8_t Blend(uint8_t colour, uint8_t background, uint8_t alpha) {
    return static_cast<uint8_t>((colour * alpha + background * (255 - alpha) + 127) / 255);
}

// The picture's pixels with every not fully opaque pixel blended with the
// background colour.
void CopyBlended(const Picture& picture, COLORREF background, uint8_t* target) {
    const uint8_t blue = GetBValue(background), green = GetGValue(background), red = GetRValue(background);
    const uint8_t* source = picture.bgra.data();
    size_t count = picture.bgra.size() / 4;
    for (size_t i = 0; i < count; ++i, source += 4, target += 4) {
        uint8_t alpha = source[3];
        if (alpha == 255) {
            std::memcpy(target, source, 4);
            continue;
        }
        target[0] = Blend(source[0], blue, alpha);
        target[1] = Blend(source[1], green, alpha);
        target[2] = Blend(source[2], red, alpha);
        target[3] = 255;
    }
}

int DisplayBitsPerPixel() {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
    return static_cast<int>(mode.dmBitsPerPel);
}

}  // namespace

RECT PictureTarget(int32_t mode, SIZE picture, SIZE client) {
    if (mode == 1) return {0, 0, client.cx, client.cy};
    if (mode != 2) return {0, 0, picture.cx, picture.cy};
    LONG width = picture.cx, height = picture.cy;
    if (width > client.cx || height > client.cy) {
        // Scale by the smaller ratio; integer arithmetic truncates exactly.
        if (static_cast<int64_t>(client.cx) * picture.cy <= static_cast<int64_t>(client.cy) * picture.cx) {
            width = client.cx;
            height = static_cast<LONG>(static_cast<int64_t>(picture.cy) * client.cx / picture.cx);
        } else {
            height = client.cy;
            width = static_cast<LONG>(static_cast<int64_t>(picture.cx) * client.cy / picture.cy);
        }
    }
    LONG left = (client.cx - width) / 2, top = (client.cy - height) / 2;
    return {left, top, left + width, top + height};
}

PictureBox::PictureBox(const UnitDescription& unit) : properties_(PictureBoxRules(), unit) {
    background_.Reset(CreateSolidBrush(BackgroundColour(properties_.IntegerOf(BackColor))));
    picture_ = LoadPicture(properties_.BytesOf(PictureBytes));
}

std::unique_ptr<PictureBox> PictureBox::Create(const UnitDescription& unit, HWND parent) {
    std::unique_ptr<PictureBox> box(new PictureBox(unit));
    if (!box->CreateChildWindow(unit, parent, 0, Text())) return nullptr;
    return box;
}

PropertyValue PictureBox::ReadProperty(int32_t number, int32_t) { return properties_.Read(number); }

void PictureBox::WriteProperty(int32_t number, int32_t, const PropertyValue& value) {
    if (!properties_.Write(number, value)) return;
    if (number == BackColor) {
        background_.Reset(CreateSolidBrush(BackgroundColour(properties_.IntegerOf(BackColor))));
    }
    if (number == PictureBytes) {
        picture_ = LoadPicture(properties_.BytesOf(PictureBytes));
        prepared_.Reset();
    }
    InvalidateRect(Handle(), nullptr, FALSE);
}

// The picture's pixels ready for the screen: made once per picture and
// background colour, so a paint only stretches.
bool PictureBox::PreparePixels(HDC dc) {
    COLORREF background = BackgroundColour(properties_.IntegerOf(BackColor));
    if (prepared_ && preparedFor_ == background) return true;
    prepared_.Reset();
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = picture_->width;
    header.bmiHeader.biHeight = -picture_->height;  // rows from top to bottom
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(dc, &header, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap || !pixels) return false;
    CopyBlended(*picture_, background, static_cast<uint8_t*>(pixels));
    GdiFlush();
    prepared_ = std::move(bitmap);
    preparedFor_ = background;
    return true;
}

void PictureBox::Paint(HDC dc, const PAINTSTRUCT&) {
    RECT client = ClientRectangle(Handle());
    FillRect(dc, &client, background_ ? background_.Get() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (!picture_ || !PreparePixels(dc)) return;
    MemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    Selection selected(memory.Get(), prepared_.Get());
    RECT target = PictureTarget(properties_.IntegerOf(DisplayMode), {picture_->width, picture_->height},
                                {client.right, client.bottom});
    if (DisplayBitsPerPixel() > 16) {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
    }
    StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, memory.Get(),
               0, 0, picture_->width, picture_->height, SRCCOPY);
}

}  // namespace varnesse::window
