#include "services/zip/EntryInformation.h"

#include <vector>

#include "services/Owners.h"

namespace varnesse::zip {
namespace {

constexpr size_t kNameLimit = 260;
constexpr uint16_t kExtendedTimestamp = 0x5455;  // "UT"

uint32_t LittleEndian(const uint8_t* bytes, int width) {
    uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

FILETIME FileTimeFromUnixSeconds(int32_t seconds) {
    const int64_t kTicksPerSecond = 10000000;
    const int64_t kEpochOffsetTicks = 116444736000000000;  // 1601-01-01 to 1970-01-01
    uint64_t ticks = static_cast<uint64_t>(static_cast<int64_t>(seconds) * kTicksPerSecond + kEpochOffsetTicks);
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// The MS-DOS stamp is taken as it stands, as if it were UTC.
void TakeDosTime(uint32_t dosDateTime, EntryInformation& entry) {
    FILETIME time;
    if (!DosDateTimeToFileTime(HIWORD(dosDateTime), LOWORD(dosDateTime), &time)) return;
    entry.creationTime = entry.accessTime = entry.writeTime = time;
}

// An extended-timestamp block: a flag byte, then the write, access and
// creation times (UTC seconds since 1970) that its bits 0, 1 and 2 announce.
void TakeExtendedTimestamp(const std::vector<uint8_t>& extra, EntryInformation& entry) {
    size_t position = 0;
    while (position + 4 <= extra.size()) {
        uint16_t id = static_cast<uint16_t>(LittleEndian(&extra[position], 2));
        size_t size = LittleEndian(&extra[position + 2], 2);
        const uint8_t* data = &extra[position + 4];
        if (position + 4 + size > extra.size()) return;
        if (id == kExtendedTimestamp && size >= 1) {
            std::optional<FILETIME>* targets[] = {&entry.writeTime, &entry.accessTime, &entry.creationTime};
            size_t offset = 1;
            for (int bit = 0; bit < 3; ++bit) {
                if (!(data[0] & (1 << bit))) continue;
                if (offset + 4 > size) break;
                *targets[bit] = FileTimeFromUnixSeconds(static_cast<int32_t>(LittleEndian(data + offset, 4)));
                offset += 4;
            }
            return;
        }
        position += 4 + size;
    }
}

}  // namespace

DWORD AttributesFromExternal(uint32_t external) {
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (external & (1u << 30 | 1u << 4)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (external & (1u << 5)) attributes |= FILE_ATTRIBUTE_ARCHIVE;
    if (external & (1u << 1)) attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (!(external & (1u << 23)) || (external & 1u)) attributes |= FILE_ATTRIBUTE_READONLY;
    if (external & (1u << 2)) attributes |= FILE_ATTRIBUTE_SYSTEM;
    return attributes;
}

bool ReadEntryInformation(unzFile archive, EntryInformation& entry) {
    unz_file_info64 central;
    char name[kNameLimit];
    if (unzGetCurrentFileInfo64(archive, &central, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) {
        return false;
    }
    if (central.size_filename >= kNameLimit) return false;
    if (central.compression_method != 0 && central.compression_method != Z_DEFLATED) return false;
    if (central.flag & 1) return false;  // encrypted: no password can be given

    // Opening the entry raw checks its local header against the central
    // record without starting to inflate.
    int method = 0, level = 0;
    if (unzOpenCurrentFile2(archive, &method, &level, 1) != UNZ_OK) return false;
    OpenArchiveEntry open(archive);
    int extraSize = unzGetLocalExtrafield(archive, nullptr, 0);
    std::vector<uint8_t> extra(extraSize > 0 ? extraSize : 0);
    if (!extra.empty() && unzGetLocalExtrafield(archive, extra.data(), static_cast<unsigned>(extra.size())) !=
                              static_cast<int>(extra.size())) {
        return false;
    }

    entry.name.assign(name);
    entry.attributes = AttributesFromExternal(static_cast<uint32_t>(central.external_fa));
    entry.compressedSize = central.compressed_size;
    entry.expandedSize = central.uncompressed_size;
    TakeDosTime(static_cast<uint32_t>(central.dosDate), entry);
    TakeExtendedTimestamp(extra, entry);
    return true;
}

}  // namespace varnesse::zip
