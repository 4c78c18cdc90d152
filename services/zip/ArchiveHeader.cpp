#include "services/zip/ArchiveHeader.h"

#include <cstdint>

#include "services/Owners.h"

namespace varnesse::zip {

bool HasArchiveHeader(const Text& path) {
    FileHandle file(CreateFileA(path.CString(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    uint8_t header[32];
    DWORD read = 0;
    if (!ReadFile(file.Get(), header, sizeof header, &read, nullptr) || read != sizeof header) return false;
    if (header[0] != 0x50 || header[1] != 0x4B || header[2] != 0x03 || header[3] != 0x04) return false;
    uint32_t atOffset24 = static_cast<uint32_t>(header[24]) | static_cast<uint32_t>(header[25]) << 8 |
                          static_cast<uint32_t>(header[26]) << 16 | static_cast<uint32_t>(header[27]) << 24;
    return static_cast<int32_t>(atOffset24) >= 1;
}

}  // namespace varnesse::zip
