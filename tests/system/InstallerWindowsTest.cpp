// The installer's main window description against its layout table: the
// units in order with kinds, identifiers, places, flags, pointers, events and
// the kinds' own properties; the picture and the icon are the payloads.
#include <gtest/gtest.h>

#include <cstring>

#include "app/InstallerWindows.h"
#include "payload/Payloads.h"
#include "services/Win32Services.h"

namespace varnesse {
namespace {

Bytes BytesOf(const ByteBlock& block) { return Bytes(block.data, block.data + block.length); }

struct Font {
    int32_t height, weight;
    bool underline;
};

// LOGFONTA fields: height at 0, weight at 16, underline at 21, face from 28.
void ExpectFont(const PropertyValue& value, const Font& font) {
    const Bytes* record = std::get_if<Bytes>(&value);
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(record->size(), 60u);
    int32_t height, weight;
    std::memcpy(&height, record->data(), 4);
    std::memcpy(&weight, record->data() + 16, 4);
    EXPECT_EQ(height, font.height);
    EXPECT_EQ(weight, font.weight);
    EXPECT_EQ((*record)[21], font.underline ? 1 : 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(record->data() + 28), "宋体");
}

TEST(InstallerWindows, MainWindowAsLaidOut) {
    Win32Services services;
    std::vector<WindowDescription> windows = InstallerWindows(services);
    ASSERT_EQ(windows.size(), 1u);
    const WindowDescription& main = windows[0];
    EXPECT_EQ(main.windowId, 1375797249);
    const WindowSettings& s = main.settings;
    EXPECT_EQ(s.caption, Text("Varnesse商城客户端安装程序"));
    EXPECT_TRUE(s.centred && s.fixedBorder && s.minimiseButton && s.movable && s.showInTaskbar && s.escapeCloses);
    EXPECT_FALSE(s.maximiseButton || s.topmost);
    EXPECT_EQ(s.backColor, 0xFFFFFFu);
    EXPECT_EQ(s.icon, BytesOf(payload::WindowIcon()));

    struct Row {
        UnitKind kind;
        int32_t id;
        const char* name;
        int32_t left, top, width, height;
        bool visible, tabStop;
        int32_t pointer;
        std::vector<int32_t> events;
    };
    const Row rows[] = {
        {UnitKind::Window, 0x06010000, nullptr, 50, 50, 392, 250, true, false, 0, {0}},
        {UnitKind::Label, 369174383, "标签2", 24, 160, 272, 24, true, false, 0, {}},
        {UnitKind::Label, 369174382, "标签1", 160, 72, 192, 24, true, false, 0, {}},
        {UnitKind::PictureBox, 369174381, "图片框1", 16, 24, 128, 128, true, false, 0, {}},
        {UnitKind::ZipComponent, 369164333, "ZIP压缩1", 336, 160, 26, 26, false, false, 0, {}},
        {UnitKind::TransparentLabel, 369164317, "透明标签1", 288, 192, 48, 28, true, false, 32649, {-1}},
        {UnitKind::TransparentLabel, 369164292, "透明标签5", 115, 200, 117, 16, true, false, 0, {}},
        {UnitKind::TransparentLabel, 369164293, "透明标签4", 11, 200, 61, 16, true, false, 0, {}},
        {UnitKind::DriveBox, 369164291, "驱动器框1", 75, 198, 40, 20, true, true, 0, {}},
    };
    ASSERT_EQ(main.units.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const UnitDescription& unit = main.units[i];
        SCOPED_TRACE("unit " + std::to_string(i));
        EXPECT_EQ(unit.kind, row.kind);
        EXPECT_EQ(unit.id, row.id);
        if (row.name) EXPECT_EQ(unit.name, Text(row.name));
        EXPECT_EQ(std::vector<int32_t>({unit.left, unit.top, unit.width, unit.height}),
                  std::vector<int32_t>({row.left, row.top, row.width, row.height}));
        EXPECT_EQ(unit.visible, row.visible);
        EXPECT_EQ(unit.tabStop, row.tabStop);
        EXPECT_FALSE(unit.disabled);
        EXPECT_TRUE(unit.tag.IsEmpty());
        EXPECT_EQ(unit.mousePointer, row.pointer);
        std::vector<int32_t> bound;
        for (const BoundEvent& event : unit.events) bound.push_back(event.event);
        EXPECT_EQ(bound, row.events);
    }

    auto property = [&](size_t unit, int32_t number) { return main.units[unit].properties.at(number); };
    using V = PropertyValue;
    // Labels: caption, text colour black, back colour white, left, no wrap, centred vertically; no font.
    EXPECT_EQ(property(1, 8), V(Text("iOS请在App Store中搜索“Varnesse”安装！")));
    EXPECT_EQ(property(2, 8), V(Text("安卓端请扫描左侧二维码下载安装！")));
    for (size_t label : {1u, 2u}) {
        EXPECT_EQ(property(label, 16), V(0));
        EXPECT_EQ(property(label, 17), V(0xFFFFFF));
        EXPECT_EQ(property(label, 24), V(0));
        EXPECT_EQ(property(label, 25), V(false));
        EXPECT_EQ(property(label, 26), V(1));
        EXPECT_EQ(main.units[label].properties.count(15), 0u);
    }
    // Picture box: the QR picture stretched (mode 1).
    EXPECT_EQ(property(3, 10), V(BytesOf(payload::QrPicture())));
    EXPECT_EQ(property(3, 11), V(1));
    // Transparent labels: caption, font, colour, alignments.
    EXPECT_EQ(property(5, 8), V(Text("安装")));
    ExpectFont(property(5, 10), {-21, 700, true});
    EXPECT_EQ(property(5, 11), V(0x000080));
    EXPECT_EQ(property(5, 12), V(1));
    EXPECT_EQ(property(6, 8), V(Text("\\Varnesse商城")));
    EXPECT_EQ(property(7, 8), V(Text("安装目录：")));
    for (size_t label : {6u, 7u}) {
        ExpectFont(property(label, 10), {-12, 700, false});
        EXPECT_EQ(property(label, 11), V(0));
        EXPECT_EQ(property(label, 12), V(0));
    }
    for (size_t label : {5u, 6u, 7u}) {
        EXPECT_EQ(property(label, 13), V(false));
        EXPECT_EQ(property(label, 14), V(1));
    }
    // Drive box: fixed disks, black on white, no stored drive.
    EXPECT_EQ(property(8, 9), V(2));
    EXPECT_EQ(property(8, 10), V(0));
    EXPECT_EQ(property(8, 11), V(0xFFFFFF));
    ExpectFont(property(8, 12), {-12, 700, false});
    EXPECT_EQ(main.units[8].properties.count(8), 0u);
}

}  // namespace
}  // namespace varnesse
