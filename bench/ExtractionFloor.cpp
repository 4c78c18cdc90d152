// extraction_floor.exe ZIP TARGET: the least work an extraction can do, as a
// reference for the extraction benchmark. Reads the whole archive, inflates
// every file entry with zlib in pieces of 16,384 bytes and writes each to
// TARGET\<index> with WriteFile: no folders, names, times, attributes or
// CRC checks. Prints the milliseconds taken and the bytes written.
#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

uint32_t Read32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    bool ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
    CloseHandle(file);
    return ok;
}

bool WriteEntry(const std::string& path, const uint8_t* data, uint32_t packed, bool deflated) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    static uint8_t piece[16384];
    DWORD written = 0;
    bool ok = true;
    if (!deflated) {
        for (uint32_t at = 0; ok && at < packed; at += sizeof piece) {
            DWORD size = packed - at < sizeof piece ? packed - at : sizeof piece;
            ok = WriteFile(file, data + at, size, &written, nullptr);
        }
    } else {
        z_stream stream{};
        inflateInit2(&stream, -MAX_WBITS);
        stream.next_in = const_cast<uint8_t*>(data);
        stream.avail_in = packed;
        int status = Z_OK;
        while (ok && status == Z_OK) {
            stream.next_out = piece;
            stream.avail_out = sizeof piece;
            status = inflate(&stream, Z_NO_FLUSH);
            DWORD size = static_cast<DWORD>(sizeof piece - stream.avail_out);
            if (size > 0) ok = WriteFile(file, piece, size, &written, nullptr);
        }
        ok = ok && status == Z_STREAM_END;
        inflateEnd(&stream);
    }
    CloseHandle(file);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: extraction_floor.exe ZIP TARGET\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    std::vector<uint8_t> zip;
    if (!ReadWholeFile(argv[1], zip) || zip.size() < 22) return 1;
    CreateDirectoryA(argv[2], nullptr);
    const uint8_t* end_record = zip.data() + zip.size() - 22;
    while (end_record > zip.data() && Read32(end_record) != 0x06054B50) --end_record;
    uint16_t count = Read16(end_record + 10);
    const uint8_t* record = zip.data() + Read32(end_record + 16);
    uint64_t total = 0;
    for (uint16_t i = 0; i < count; ++i) {
        uint16_t method = Read16(record + 10);
        uint32_t packed = Read32(record + 20);
        uint32_t expanded = Read32(record + 24);
        uint16_t nameLength = Read16(record + 28);
        const uint8_t* local = zip.data() + Read32(record + 42);
        bool folder = nameLength > 0 && record[46 + nameLength - 1] == '/';
        if (!folder) {
            const uint8_t* data = local + 30 + Read16(local + 26) + Read16(local + 28);
            std::string path = std::string(argv[2]) + "\\" + std::to_string(i);
            if (!WriteEntry(path, data, packed, method == 8)) return 1;
            total += expanded;
        }
        record += 46 + nameLength + Read16(record + 30) + Read16(record + 32);
    }
    QueryPerformanceCounter(&end);
    std::printf("%.3f %llu\n",
                static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart),
                static_cast<unsigned long long>(total));
    return 0;
}
