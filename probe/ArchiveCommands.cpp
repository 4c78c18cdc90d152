// ListArchive PATH: the entries of a ZIP archive in central-directory order,
// one line each, fields separated by tabs: name, method, general-purpose
// flags, compressed size, expanded size, CRC-32 (hex), external attributes
// (hex), version made by, version needed, extra field length, comment
// length. Exit code 1 when the archive cannot be read to its end.
#include <cinttypes>
#include <cstdio>
#include <vector>

#include "probe/Probe.h"
#include "services/Owners.h"

namespace varnesse::probe {

namespace {

int ListArchive(Services&, const Arguments& arguments) {
    ArchiveFile archive(unzOpen64(arguments[0].CString()));
    if (!archive) return 1;
    std::vector<char> name(65536);
    for (int result = unzGoToFirstFile(archive.Get()); result != UNZ_END_OF_LIST_OF_FILE;
         result = unzGoToNextFile(archive.Get())) {
        if (result != UNZ_OK) return 1;
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(archive.Get(), &info, name.data(), name.size(), nullptr, 0, nullptr, 0) !=
            UNZ_OK) {
            return 1;
        }
        std::printf("%s\t%lu\t%lu\t%" PRIu64 "\t%" PRIu64 "\t%08lx\t0x%lx\t%lu\t%lu\t%lu\t%lu\n", name.data(),
                    info.compression_method, info.flag, static_cast<uint64_t>(info.compressed_size),
                    static_cast<uint64_t>(info.uncompressed_size), info.crc, info.external_fa, info.version,
                    info.version_needed, info.size_file_extra, info.size_file_comment);
    }
    return 0;
}

}  // namespace

std::vector<ProbeCommand> ArchiveCommands() { return {{"ListArchive", 1, 1, ListArchive}}; }

}  // namespace varnesse::probe
