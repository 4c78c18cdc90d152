// Labels, transparent labels and picture boxes made by the control factory:
// their windows, their properties by number, fonts and picture placement.
#include <gtest/gtest.h>

#include <cstring>

#include "services/window/Fonts.h"
#include "services/window/Picture.h"
#include "services/window/PictureBox.h"
#include "tests/support/ControlHost.h"

namespace varnesse {
namespace {

using testing::ControlHost;

UnitDescription Unit(UnitKind kind, std::map<int32_t, PropertyValue> properties = {}) {
    UnitDescription unit;
    unit.kind = kind;
    unit.id = 0x16010100;
    unit.left = 12;
    unit.top = 34;
    unit.width = 120;
    unit.height = 40;
    unit.properties = std::move(properties);
    return unit;
}

Bytes FontRecord(const char* face, LONG height, LONG weight, BYTE underline) {
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfUnderline = underline;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&font);
    return Bytes(bytes, bytes + sizeof font);
}

// 2 x 1 RGBA: an opaque red pixel and a half-transparent blue one.
Bytes TwoPixelPng() {
    return {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
        0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xf4, 0x22, 0x7f, 0x8a, 0x00, 0x00, 0x00,
        0x0e, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0x63, 0xf8, 0xcf, 0xc0, 0x00, 0x42, 0x0d, 0x00, 0x0f, 0x7a, 0x03,
        0x7e, 0x6a, 0x81, 0x31, 0xe1, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82,
    };
}

TEST(Controls, EachKindIsAHiddenChildAtItsPlace) {
    struct Row {
        const char* name;
        UnitKind kind;
        DWORD extendedStyle;
    };
    const Row rows[] = {
        {"label", UnitKind::Label, 0},
        {"transparent label", UnitKind::TransparentLabel, WS_EX_TRANSPARENT},
        {"picture box", UnitKind::PictureBox, 0},
        {"drive box", UnitKind::DriveBox, 0},
    };
    for (const Row& row : rows) {
        ControlHost host;
        UnitDescription unit = Unit(row.kind, {{8, Text("标题&A")}});
        unit.disabled = true;
        unit.tabStop = true;
        window::Control* control = host.Add(unit);
        ASSERT_NE(control, nullptr) << row.name;
        HWND handle = control->Handle();
        ASSERT_NE(handle, nullptr) << row.name;
        EXPECT_EQ(GetParent(handle), host.Window()) << row.name;
        LONG style = GetWindowLongA(handle, GWL_STYLE);
        EXPECT_FALSE(style & WS_VISIBLE) << row.name;
        EXPECT_TRUE(style & WS_CHILD) << row.name;
        EXPECT_TRUE(style & WS_CLIPSIBLINGS) << row.name;
        EXPECT_TRUE(style & WS_DISABLED) << row.name;
        EXPECT_TRUE(style & WS_TABSTOP) << row.name;
        EXPECT_EQ(GetWindowLongA(handle, GWL_EXSTYLE) & WS_EX_TRANSPARENT, static_cast<LONG>(row.extendedStyle))
            << row.name;
        RECT place;
        GetWindowRect(handle, &place);
        MapWindowPoints(HWND_DESKTOP, host.Window(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, 12) << row.name;
        EXPECT_EQ(place.top, 34) << row.name;
        EXPECT_EQ(place.right - place.left, 120) << row.name;
    }
}

TEST(Controls, CaptionIsTheWindowText) {
    for (UnitKind kind : {UnitKind::Label, UnitKind::TransparentLabel}) {
        ControlHost host;
        window::Control* label = host.Add(Unit(kind, {{8, Text("安装")}}));
        ASSERT_NE(label, nullptr);
        char text[64] = {};
        GetWindowTextA(label->Handle(), text, sizeof text);
        EXPECT_STREQ(text, "安装");
        label->WriteProperty(8, -1, Text("卸载&X"));
        GetWindowTextA(label->Handle(), text, sizeof text);
        EXPECT_STREQ(text, "卸载&X");
        EXPECT_EQ(std::get<Text>(label->ReadProperty(8, -1)), Text("卸载&X"));
    }
}

TEST(Controls, PropertiesAreStoredAndClamped) {
    struct Row {
        UnitKind kind;
        int32_t number;
        PropertyValue written;
        PropertyValue read;
    };
    const Bytes font = FontRecord("宋体", -12, 700, 0);
    const Row rows[] = {
        {UnitKind::Label, 9, 7, 3},
        {UnitKind::Label, 9, -1, 0},
        {UnitKind::Label, 10, 9, 6},
        {UnitKind::Label, 11, 2, 5},
        {UnitKind::Label, 11, 9, 9},
        {UnitKind::Label, 15, font, font},
        {UnitKind::Label, 16, 0x000080, 0x000080},
        {UnitKind::Label, 17, static_cast<int32_t>(0xFF000000u), static_cast<int32_t>(0xFF000000u)},
        {UnitKind::Label, 19, 3, 2},
        {UnitKind::Label, 20, 100, 8},
        {UnitKind::Label, 24, -5, 0},
        {UnitKind::Label, 24, 5, 2},
        {UnitKind::Label, 25, true, true},
        {UnitKind::Label, 26, 3, 2},
        {UnitKind::Label, 27, Text("源"), Text("源")},
        {UnitKind::TransparentLabel, 9, 4, 3},
        {UnitKind::TransparentLabel, 10, font, font},
        {UnitKind::TransparentLabel, 11, 0x000080, 0x000080},
        {UnitKind::TransparentLabel, 12, 3, 2},
        {UnitKind::TransparentLabel, 13, true, true},
        {UnitKind::TransparentLabel, 14, -1, 0},
        {UnitKind::PictureBox, 8, 6, 5},
        {UnitKind::PictureBox, 9, 0x00FFFFFF, 0x00FFFFFF},
        {UnitKind::PictureBox, 11, 3, 2},
        {UnitKind::PictureBox, 11, -3, 0},
        {UnitKind::PictureBox, 12, true, true},
        {UnitKind::PictureBox, 10, Bytes{1, 2, 3}, Bytes{1, 2, 3}},
    };
    int index = 0;
    for (const Row& row : rows) {
        ControlHost host;
        window::Control* control = host.Add(Unit(row.kind));
        ASSERT_NE(control, nullptr) << "row " << index;
        control->WriteProperty(row.number, -1, row.written);
        EXPECT_TRUE(control->ReadProperty(row.number, -1) == row.read)
            << "row " << index << " property " << row.number;
        // Clamping applies to the described values as well.
        ControlHost described;
        window::Control* fromDescription = described.Add(Unit(row.kind, {{row.number, row.written}}));
        ASSERT_NE(fromDescription, nullptr) << "row " << index;
        EXPECT_TRUE(fromDescription->ReadProperty(row.number, -1) == row.read) << "described row " << index;
        ++index;
    }
}

TEST(Controls, UnknownPropertyNumbersReadNothingAndWriteNothing) {
    ControlHost host;
    window::Control* label = host.Add(Unit(UnitKind::TransparentLabel));
    ASSERT_NE(label, nullptr);
    label->WriteProperty(15, -1, 3);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(label->ReadProperty(15, -1)));
}

TEST(Controls, ZipComponentHasNoWindow) {
    ControlHost host;
    window::Control* component = host.Add(Unit(UnitKind::ZipComponent));
    ASSERT_NE(component, nullptr);
    EXPECT_EQ(component->Handle(), nullptr);
}

TEST(Fonts, RecordGivesTheStoredFaceWithDefaultsElsewhere) {
    GdiObject<HFONT> font = window::CreateFontFromRecord(FontRecord("宋体", -21, 700, 1));
    ASSERT_TRUE(font);
    LOGFONTA made{};
    ASSERT_EQ(GetObjectA(font.Get(), sizeof made, &made), static_cast<int>(sizeof made));
    EXPECT_STREQ(made.lfFaceName, "宋体");
    EXPECT_EQ(made.lfHeight, -21);
    EXPECT_EQ(made.lfWeight, 700);
    EXPECT_EQ(made.lfUnderline, 1);
    EXPECT_EQ(made.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(made.lfOutPrecision, OUT_DEFAULT_PRECIS);
    EXPECT_EQ(made.lfClipPrecision, CLIP_DEFAULT_PRECIS);
    EXPECT_EQ(made.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(made.lfPitchAndFamily, DEFAULT_PITCH);
}

TEST(Fonts, RecordOfAnotherLengthMeansTheDefaultGuiFont) {
    for (size_t length : {0u, 59u, 61u, 92u}) {
        GdiObject<HFONT> font = window::CreateFontFromRecord(Bytes(length, 0));
        EXPECT_FALSE(font) << length;
        EXPECT_EQ(window::FontOrDefault(font), GetStockObject(DEFAULT_GUI_FONT)) << length;
    }
}

TEST(Pictures, FormatsAreRecognisedByTheirFirstBytes) {
    struct Row {
        Bytes bytes;
        window::PictureFormat format;
    };
    using F = window::PictureFormat;
    const Row rows[] = {
        {{'B', 'M', 0, 0, 0, 0, 0, 0}, F::Bitmap},
        {{0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0, 0}, F::Jpeg},
        {{0x89, 'P', 'N', 'G', 13, 10, 26, 10}, F::Png},
        {{0, 0, 1, 0, 1, 0, 16, 16}, F::Icon},
        {{0, 0, 2, 0, 1, 0, 32, 32}, F::Cursor},
        {{'G', 'I', 'F', '8', '7', 'a', 1, 0}, F::Gif},
        {{'G', 'I', 'F', '8', '9', 'a', 1, 0}, F::Gif},
        {{'G', 'I', 'F', '8', '8', 'a', 1, 0}, F::Unknown},
        {{0x0A, 5, 1, 8, 0, 0, 0, 0}, F::Pcx},
        {{0x0A, 5, 1, 7, 0, 0, 0, 0}, F::Unknown},
        {{0x89, 'P', 'N', 'G', 13, 10, 26}, F::Unknown},  // fewer than 8 bytes
        {{}, F::Unknown},
        {{'<', 'h', 't', 'm', 'l', '>', 0, 0}, F::Unknown},
    };
    int index = 0;
    for (const Row& row : rows) EXPECT_EQ(window::RecognisePictureFormat(row.bytes), row.format) << "row " << index++;
}

TEST(Pictures, OnlyPngsDecodeAndBrokenOnesGiveNoPicture) {
    // 2 x 1 RGBA: one opaque red pixel, one half-transparent blue one.
    const Bytes png = TwoPixelPng();
    auto picture = window::LoadPicture(png);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 2);
    EXPECT_EQ(picture->height, 1);
    const std::vector<uint8_t> bgra = {0, 0, 255, 255, 255, 0, 0, 128};
    EXPECT_EQ(picture->bgra, bgra);

    Bytes truncated(png.begin(), png.begin() + 40);
    Bytes badChecksum = png;
    badChecksum[30] ^= 0xFF;  // IHDR CRC
    Bytes bitmap = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
    for (const Bytes* broken : {&truncated, &badChecksum, &bitmap}) EXPECT_FALSE(window::LoadPicture(*broken));
}

TEST(Pictures, TargetRectangleFollowsTheDisplayMode) {
    struct Row {
        int32_t mode;
        SIZE picture, client;
        RECT target;
    };
    const Row rows[] = {
        {0, {400, 400}, {128, 128}, {0, 0, 400, 400}},
        {0, {10, 20}, {128, 128}, {0, 0, 10, 20}},
        {1, {400, 400}, {128, 128}, {0, 0, 128, 128}},
        {1, {10, 300}, {128, 64}, {0, 0, 128, 64}},
        {2, {10, 20}, {128, 128}, {59, 54, 69, 74}},
        {2, {400, 400}, {128, 128}, {0, 0, 128, 128}},
        {2, {300, 100}, {100, 100}, {0, 33, 100, 66}},   // 100 * 100 / 300 = 33 (truncated)
        {2, {100, 300}, {100, 100}, {33, 0, 66, 100}},
        {2, {150, 50}, {100, 200}, {0, 83, 100, 116}},
    };
    int index = 0;
    for (const Row& row : rows) {
        RECT target = window::PictureTarget(row.mode, row.picture, row.client);
        EXPECT_TRUE(EqualRect(&target, &row.target))
            << "row " << index << ": " << target.left << "," << target.top << "," << target.right << ","
            << target.bottom;
        ++index;
    }
}

TEST(Pictures, PictureBoxDecodesOnLoadAndOnWrite) {
    ControlHost host;
    auto* box = dynamic_cast<window::PictureBox*>(host.Add(Unit(UnitKind::PictureBox, {{10, Bytes{1, 2, 3}}})));
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->LoadedPicture());
    host.Show();
    ControlHost::Pump();  // painting without a picture is only the background
    const Bytes png = TwoPixelPng();
    box->WriteProperty(10, -1, png);
    ASSERT_TRUE(box->LoadedPicture());
    EXPECT_EQ(box->LoadedPicture()->width, 2);
    ControlHost::Pump();
    box->WriteProperty(10, -1, std::monostate{});
    EXPECT_FALSE(box->LoadedPicture());
}

}  // namespace
}  // namespace varnesse
