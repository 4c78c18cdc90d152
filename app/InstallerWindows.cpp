// The main window as the installer carries it: its settings, its eight
// controls and the two events bound to the installer's handlers.
#include "app/InstallerWindows.h"

#include <cstring>

#include "app/InstallerHandlers.h"
#include "app/InstallerTexts.h"
#include "payload/Payloads.h"

namespace varnesse {
namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kDarkRed = 0x000080;  // 0x00BBGGRR: red 128
constexpr uint32_t kDefaultColour = 0xFF000000;
constexpr int32_t kHandPointer = 32649;
constexpr int32_t kLeftButtonPressed = -1;
constexpr int32_t kCreated = 0;

// Alignments of the labels.
constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignCentre = 1;

// A 60-byte LOGFONTA record: height, width, escapement, orientation, weight
// (4 bytes each, little-endian), italic, underline, strike-out, character
// set, output and clipping precision, quality, pitch and family, 32 bytes of
// face name.
Bytes FontRecord(const char* face, int32_t height, int32_t weight, bool underline) {
    Bytes record(60, 0);
    auto put = [&record](size_t offset, int32_t value) {
        for (int i = 0; i < 4; ++i) record[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
    };
    put(0, height);
    put(16, weight);
    record[21] = underline ? 1 : 0;
    record[23] = 134;  // GB2312_CHARSET; replaced by the default set when the font is made
    std::memcpy(&record[28], face, std::strlen(face));
    return record;
}

Bytes BytesOf(const ByteBlock& block) { return Bytes(block.data, block.data + block.length); }

int32_t ArgumentAt(const std::vector<int32_t>& arguments, size_t index) {
    return index < arguments.size() ? arguments[index] : 0;
}

UnitDescription Unit(UnitKind kind, int32_t id, const char* name, int32_t left, int32_t top, int32_t width,
                     int32_t height) {
    UnitDescription unit;
    unit.kind = kind;
    unit.id = id;
    unit.name = name;
    unit.left = left;
    unit.top = top;
    unit.width = width;
    unit.height = height;
    return unit;
}

// "标签": text on a white background of its own, default GUI font, one line
// centred vertically.
UnitDescription HintLabel(int32_t id, const char* name, int32_t left, int32_t top, int32_t width, int32_t height,
                          const char* caption) {
    UnitDescription unit = Unit(UnitKind::Label, id, name, left, top, width, height);
    unit.properties = {{8, Text(caption)}, {9, 0},           {10, 0},          {16, static_cast<int32_t>(kBlack)},
                       {17, static_cast<int32_t>(kWhite)},    {24, kAlignLeft}, {25, false},      {26, kAlignCentre}};
    return unit;
}

// "透明标签": letters only, over the window's own white.
UnitDescription TransparentText(int32_t id, const char* name, int32_t left, int32_t top, int32_t width,
                                int32_t height, const char* caption, Bytes font, uint32_t colour,
                                int32_t alignment) {
    UnitDescription unit = Unit(UnitKind::TransparentLabel, id, name, left, top, width, height);
    unit.properties = {{8, Text(caption)},  {9, 0},          {10, std::move(font)}, {11, static_cast<int32_t>(colour)},
                       {12, alignment},     {13, false},     {14, kAlignCentre}};
    return unit;
}

}  // namespace

std::vector<WindowDescription> InstallerWindows(Services& services) {
    WindowDescription main;
    main.windowId = texts::kMainWindow;
    main.settings.caption = "Varnesse商城客户端安装程序";
    main.settings.centred = true;
    main.settings.fixedBorder = true;
    main.settings.minimiseButton = true;
    main.settings.maximiseButton = false;
    main.settings.movable = true;
    main.settings.topmost = false;
    main.settings.showInTaskbar = true;
    main.settings.escapeCloses = true;
    main.settings.backColor = kWhite;
    main.settings.icon = BytesOf(payload::WindowIcon());

    // The window itself; its stored place 50, 50 gives way to centring.
    UnitDescription window = Unit(UnitKind::Window, texts::kWindowItself, "启动窗口", 50, 50, 392, 250);
    window.events.push_back({kCreated, [&services](const std::vector<int32_t>&) -> std::optional<bool> {
                                 OnMainWindowCreated(services);
                                 return std::nullopt;
                             }});
    main.units.push_back(std::move(window));

    main.units.push_back(HintLabel(369174383, "标签2", 24, 160, 272, 24, "iOS请在App Store中搜索“Varnesse”安装！"));
    main.units.push_back(HintLabel(369174382, "标签1", 160, 72, 192, 24, "安卓端请扫描左侧二维码下载安装！"));

    UnitDescription picture = Unit(UnitKind::PictureBox, 369174381, "图片框1", 16, 24, 128, 128);
    picture.properties = {{8, 0},  {9, static_cast<int32_t>(kDefaultColour)}, {10, BytesOf(payload::QrPicture())},
                          {11, 1}, {12, true}};
    main.units.push_back(std::move(picture));

    UnitDescription zip = Unit(UnitKind::ZipComponent, texts::kZipComponent, "ZIP压缩1", 336, 160, 26, 26);
    zip.visible = false;
    main.units.push_back(std::move(zip));

    UnitDescription install = TransparentText(369164317, "透明标签1", 288, 192, 48, 28, "安装",
                                              FontRecord("宋体", -21, 700, true), kDarkRed, kAlignCentre);
    install.mousePointer = kHandPointer;
    install.events.push_back(
        {kLeftButtonPressed, [&services](const std::vector<int32_t>& arguments) -> std::optional<bool> {
             OnInstallPressed(services, ArgumentAt(arguments, 0), ArgumentAt(arguments, 1), ArgumentAt(arguments, 2));
             return std::nullopt;
         }});
    main.units.push_back(std::move(install));

    main.units.push_back(TransparentText(369164292, "透明标签5", 115, 200, 117, 16, "\\Varnesse商城",
                                         FontRecord("宋体", -12, 700, false), kBlack, kAlignLeft));
    main.units.push_back(TransparentText(369164293, "透明标签4", 11, 200, 61, 16, "安装目录：",
                                         FontRecord("宋体", -12, 700, false), kBlack, kAlignLeft));

    UnitDescription drives = Unit(UnitKind::DriveBox, texts::kDriveBox, "驱动器框1", 75, 198, 40, 20);
    drives.tabStop = true;
    drives.properties = {{9, 2},
                         {10, static_cast<int32_t>(kBlack)},
                         {11, static_cast<int32_t>(kWhite)},
                         {12, FontRecord("宋体", -12, 700, false)}};
    main.units.push_back(std::move(drives));

    return {std::move(main)};
}

}  // namespace varnesse
