#include "services/zip/EntryWriter.h"

#include "services/Owners.h"

namespace varnesse::zip {
namespace {

constexpr unsigned kPieceSize = 16384;

// Leaves the file with only the "normal" attribute on every way out, after
// its handle is closed.
class NormalAttributesAfterwards {
public:
    explicit NormalAttributesAfterwards(const std::string& path) : path_(path) {}
    NormalAttributesAfterwards(const NormalAttributesAfterwards&) = delete;
    NormalAttributesAfterwards& operator=(const NormalAttributesAfterwards&) = delete;
    ~NormalAttributesAfterwards() { SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL); }

private:
    const std::string& path_;
};

const FILETIME* TimeOrNull(const std::optional<FILETIME>& time) { return time ? &*time : nullptr; }

}  // namespace

bool WriteFileEntry(unzFile archive, const EntryInformation& entry, const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    NormalAttributesAfterwards normalAfterwards(path);
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                entry.attributes & ~FILE_ATTRIBUTE_DIRECTORY, nullptr));
    if (!file) return false;
    if (unzOpenCurrentFile(archive) != UNZ_OK) return false;
    OpenArchiveEntry open(archive);

    char piece[kPieceSize];
    uint64_t written = 0;
    for (;;) {
        int read = unzReadCurrentFile(archive, piece, kPieceSize);
        if (read < 0) return false;
        if (read == 0) break;
        DWORD done = 0;
        if (!WriteFile(file.Get(), piece, static_cast<DWORD>(read), &done, nullptr) ||
            done != static_cast<DWORD>(read)) {
            return false;
        }
        written += static_cast<uint64_t>(read);
    }
    // Inflate that stops short of the recorded size, or data whose CRC-32
    // differs from the recorded one, is a failed entry.
    if (written != entry.expandedSize) return false;
    if (unzCloseCurrentFile(open.Detach()) != UNZ_OK) return false;

    SetFileTime(file.Get(), TimeOrNull(entry.creationTime), TimeOrNull(entry.accessTime),
                TimeOrNull(entry.writeTime));
    return CloseHandle(file.Detach()) != FALSE;
}

}  // namespace varnesse::zip
