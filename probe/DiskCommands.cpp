// Files, folders, INI values, registry values and ZIP extraction:
// probe.exe FileExists PATH, WriteBytesToFile PATH SOURCEFILE..., ...
#include <windows.h>
#include <psapi.h>

#include <fstream>
#include <iterator>

#include "probe/Probe.h"

namespace varnesse::probe {
namespace {

// The main window and its archive component "ZIP压缩1".
const WindowUnit kArchiveComponent{1375797249, 369164333};

// WriteBytesToFile PATH SOURCEFILE...: each source file's bytes become one block.
int WriteBytes(Services& services, const Arguments& a) {
    std::vector<std::vector<uint8_t>> contents;
    for (size_t i = 1; i < a.size(); ++i) {
        std::ifstream source(a[i].CString(), std::ios::binary);
        if (!source) {
            std::fprintf(stderr, "probe.exe: cannot read %s\n", a[i].CString());
            return 2;
        }
        contents.emplace_back(std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>());
    }
    std::vector<ByteBlock> blocks;
    for (const auto& bytes : contents) blocks.push_back(ByteBlock{bytes.data(), static_cast<uint32_t>(bytes.size())});
    PrintInteger(services.WriteBytesToFile(a[0], blocks));
    return 0;
}

// WriteRegistryValue ROOT PATH TEXT, or ROOT PATH --dword NUMBER.
int WriteRegistry(Services& services, const Arguments& a) {
    if (a.size() == 4 && a[2] == Text("--dword")) {
        PrintInteger(services.WriteRegistryValue(IntegerArgument(a[0]), a[1], IntegerArgument(a[3])));
    } else if (a.size() == 3) {
        PrintInteger(services.WriteRegistryValue(IntegerArgument(a[0]), a[1], a[2]));
    } else {
        return 2;
    }
    return 0;
}

// BenchExtractArchive ZIP TARGET: the result, the milliseconds the call took
// and the process's peak working set in bytes, on one line.
int BenchExtract(Services& services, const Arguments& a) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    int32_t result = services.ExtractArchive(kArchiveComponent, a[0], a[1]);
    QueryPerformanceCounter(&end);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("%d %.3f %llu\n", result,
                static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart),
                static_cast<unsigned long long>(memory.PeakWorkingSetSize));
    return 0;
}

}  // namespace

std::vector<ProbeCommand> DiskCommands() {
    return {
        {"FileExists", 1, 1, [](Services& s, const Arguments& a) { PrintInteger(s.FileExists(a[0])); return 0; }},
        {"MakeDirectory", 1, 1, [](Services& s, const Arguments& a) { PrintInteger(s.MakeDirectory(a[0])); return 0; }},
        {"RemoveDirectoryTree", 1, 1,
         [](Services& s, const Arguments& a) { PrintInteger(s.RemoveDirectoryTree(a[0])); return 0; }},
        {"RemoveFile", 1, 1, [](Services& s, const Arguments& a) { PrintInteger(s.RemoveFile(a[0])); return 0; }},
        {"WriteBytesToFile", 1, 64, WriteBytes},
        // WriteIniValue FILE SECTION [KEY [VALUE]]: a missing KEY or VALUE is left out.
        {"WriteIniValue", 2, 4,
         [](Services& s, const Arguments& a) {
             PrintInteger(s.WriteIniValue(a[0], a[1], OptionalArgument(a, 2), OptionalArgument(a, 3)));
             return 0;
         }},
        {"ReadRegistryText", 2, 3,
         [](Services& s, const Arguments& a) {
             PrintText(s.ReadRegistryText(IntegerArgument(a[0]), a[1], OptionalArgument(a, 2)));
             return 0;
         }},
        {"WriteRegistryValue", 3, 4, WriteRegistry},
        {"DeleteRegistryItem", 2, 2,
         [](Services& s, const Arguments& a) {
             PrintInteger(s.DeleteRegistryItem(IntegerArgument(a[0]), a[1]));
             return 0;
         }},
        {"ExtractArchive", 2, 2,
         [](Services& s, const Arguments& a) {
             PrintInteger(s.ExtractArchive(kArchiveComponent, a[0], a[1]));
             return 0;
         }},
        {"BenchExtractArchive", 2, 2, BenchExtract},
    };
}

}  // namespace varnesse::probe
