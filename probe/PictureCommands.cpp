// Pictures and painted controls: probe.exe DecodePicture PATH,
// DecodePictures FOLDER, ShowControls PNGPATH, TimePicturePaint PNGPATH COUNT.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>

#include "probe/Probe.h"
#include "services/Owners.h"
#include "services/window/Picture.h"
#include "tests/support/ControlHost.h"

namespace varnesse::probe {
namespace {

Bytes ReadWholeFile(const Text& path) {
    std::ifstream file(path.CString(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// "WIDTHxHEIGHT", or "none" when the bytes give no picture.
std::string PictureSize(const Text& path) {
    auto picture = window::LoadPicture(ReadWholeFile(path));
    if (!picture) return "none";
    return std::to_string(picture->width) + "x" + std::to_string(picture->height);
}

int DecodePicture(Services&, const Arguments& a) {
    std::printf("%s\n", PictureSize(a[0]).c_str());
    return 0;
}

// One line per *.png of the folder: NAME WIDTHxHEIGHT or NAME none.
int DecodePictures(Services&, const Arguments& a) {
    std::string folder = a[0].Bytes();
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((folder + "\\*.png").c_str(), &found));
    if (!search) return 1;
    do {
        std::printf("%s %s\n", found.cFileName, PictureSize(Text(folder + "\\" + found.cFileName)).c_str());
    } while (FindNextFileA(search.Get(), &found));
    return 0;
}

Bytes FontRecord(const char* face, LONG height, LONG weight, BYTE underline) {
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfUnderline = underline;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&font);
    return Bytes(bytes, bytes + sizeof font);
}

UnitDescription Unit(UnitKind kind, int32_t left, int32_t top, int32_t width, int32_t height,
                     std::map<int32_t, PropertyValue> properties) {
    UnitDescription unit;
    unit.kind = kind;
    unit.left = left;
    unit.top = top;
    unit.width = width;
    unit.height = height;
    unit.properties = std::move(properties);
    return unit;
}

// Shows a white 300 x 200 window at the screen's top-left corner with a
// picture box (10,10 64x64, stretched, white background), a transparent
// label (100,10 120x40, "安装" dark red, bold, centred) and a label (100,60
// 120x24, "标签" black on light green). Prints "ready" once painted; then
// reads commands from standard input: "clear" empties the transparent
// label's caption and prints "cleared"; end of input ends the program.
int ShowControls(Services&, const Arguments& a) {
    testing::ControlHost host(300, 200);
    host.Add(Unit(UnitKind::PictureBox, 10, 10, 64, 64,
                  {{9, 0x00FFFFFF}, {10, ReadWholeFile(a[0])}, {11, 1}}));
    window::Control* transparent =
        host.Add(Unit(UnitKind::TransparentLabel, 100, 10, 120, 40,
                      {{8, Text("安装")}, {10, FontRecord("宋体", -21, 700, 1)}, {11, 0x000080}, {12, 1}, {14, 1}}));
    host.Add(Unit(UnitKind::Label, 100, 60, 120, 24,
                  {{8, Text("标签")}, {16, 0}, {17, 0x00C0FFC0}, {24, 0}, {26, 1}}));
    if (!transparent) return 1;
    host.Show();
    testing::ControlHost::Pump(500);
    std::printf("ready\n");
    std::fflush(stdout);

    std::atomic<bool> clear{false}, ended{false};
    std::thread reader([&] {
        char line[64];
        while (std::fgets(line, sizeof line, stdin)) {
            if (std::string(line).rfind("clear", 0) == 0) clear = true;
        }
        ended = true;
    });
    while (!ended) {
        testing::ControlHost::Pump(50);
        if (clear.exchange(false)) {
            transparent->WriteProperty(8, -1, Text());
            testing::ControlHost::Pump(300);
            std::printf("cleared\n");
            std::fflush(stdout);
        }
    }
    reader.join();
    return 0;
}

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (to.QuadPart - from.QuadPart) * 1e6 / frequency.QuadPart;
}

// Microseconds per decode of the picture and per paint of a 128 x 128
// picture box showing it stretched: "DECODE PAINT".
int TimePicturePaint(Services&, const Arguments& a) {
    Bytes bytes = ReadWholeFile(a[0]);
    int count = std::max(1, static_cast<int>(IntegerArgument(a[1])));
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < count; ++i) {
        if (!window::LoadPicture(bytes)) return 1;
    }
    QueryPerformanceCounter(&end);
    double decode = Microseconds(start, end) / count;

    testing::ControlHost host(300, 200);
    window::Control* box = host.Add(Unit(UnitKind::PictureBox, 16, 24, 128, 128, {{10, bytes}, {11, 1}}));
    if (!box) return 1;
    host.Show();
    testing::ControlHost::Pump(300);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < count; ++i) {
        InvalidateRect(box->Handle(), nullptr, FALSE);
        UpdateWindow(box->Handle());
    }
    GdiFlush();
    QueryPerformanceCounter(&end);
    std::printf("%.1f %.1f\n", decode, Microseconds(start, end) / count);
    return 0;
}

}  // namespace

std::vector<ProbeCommand> PictureCommands() {
    return {
        {"DecodePicture", 1, 1, DecodePicture},
        {"DecodePictures", 1, 1, DecodePictures},
        {"ShowControls", 1, 1, ShowControls},
        {"TimePicturePaint", 2, 2, TimePicturePaint},
    };
}

}  // namespace varnesse::probe
