// Builds small ZIP archives byte by byte for the extraction tests, including
// deliberately broken ones (wrong CRC-32, short deflate data, odd names).
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace varnesse::testing {

struct ZipEntrySpec {
    std::string name;
    std::string data;
    bool deflate = true;
    uint32_t externalAttributes = 0x20;  // MS-DOS archive bit: a plain file
    uint16_t dosTime = 0x5000;           // 10:00:00
    uint16_t dosDate = 0x50B1;           // 2020-05-17
    std::string localExtra;              // extra field of the local header
    bool corruptCrc = false;             // store a CRC-32 that does not match
    int64_t expandedSizeOverride = -1;   // announce another expanded size
};

inline ZipEntrySpec FolderEntry(const std::string& name) {
    ZipEntrySpec entry;
    entry.name = name;
    entry.deflate = false;
    entry.externalAttributes = 0x10;
    return entry;
}

inline ZipEntrySpec FileEntry(const std::string& name, const std::string& data) {
    ZipEntrySpec entry;
    entry.name = name;
    entry.data = data;
    return entry;
}

// An extended-timestamp ("UT") block with the write time only.
inline std::string WriteTimeBlock(uint32_t unixSeconds) {
    std::string block = {'U', 'T', 5, 0, 1};
    for (int i = 0; i < 4; ++i) block.push_back(static_cast<char>(unixSeconds >> (8 * i)));
    return block;
}

inline std::string RawDeflate(const std::string& data) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()) + 16, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

inline std::string BuildZip(const std::vector<ZipEntrySpec>& entries) {
    auto put16 = [](std::string& s, uint32_t v) {
        s.push_back(static_cast<char>(v));
        s.push_back(static_cast<char>(v >> 8));
    };
    auto put32 = [&](std::string& s, uint32_t v) {
        put16(s, v & 0xFFFF);
        put16(s, v >> 16);
    };
    std::string archive, central;
    for (const ZipEntrySpec& entry : entries) {
        std::string stored = entry.deflate ? RawDeflate(entry.data) : entry.data;
        uint32_t crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size())));
        if (entry.corruptCrc) crc ^= 0xA5A5A5A5;
        uint32_t expanded = entry.expandedSizeOverride >= 0 ? static_cast<uint32_t>(entry.expandedSizeOverride)
                                                            : static_cast<uint32_t>(entry.data.size());
        uint32_t offset = static_cast<uint32_t>(archive.size());
        uint16_t method = entry.deflate ? 8 : 0;

        put32(archive, 0x04034B50);
        put16(archive, 20);
        put16(archive, 0);
        put16(archive, method);
        put16(archive, entry.dosTime);
        put16(archive, entry.dosDate);
        put32(archive, crc);
        put32(archive, static_cast<uint32_t>(stored.size()));
        put32(archive, expanded);
        put16(archive, static_cast<uint32_t>(entry.name.size()));
        put16(archive, static_cast<uint32_t>(entry.localExtra.size()));
        archive += entry.name + entry.localExtra + stored;

        put32(central, 0x02014B50);
        put16(central, 20);
        put16(central, 20);
        put16(central, 0);
        put16(central, method);
        put16(central, entry.dosTime);
        put16(central, entry.dosDate);
        put32(central, crc);
        put32(central, static_cast<uint32_t>(stored.size()));
        put32(central, expanded);
        put16(central, static_cast<uint32_t>(entry.name.size()));
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put32(central, entry.externalAttributes);
        put32(central, offset);
        central += entry.name;
    }
    uint32_t centralOffset = static_cast<uint32_t>(archive.size());
    archive += central;
    put32(archive, 0x06054B50);
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, static_cast<uint32_t>(entries.size()));
    put16(archive, static_cast<uint32_t>(entries.size()));
    put32(archive, static_cast<uint32_t>(central.size()));
    put32(archive, centralOffset);
    put16(archive, 0);
    return archive;
}

}  // namespace varnesse::testing
