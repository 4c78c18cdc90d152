// ExtractArchive of the archive component: every entry of a ZIP file into a
// target folder, folders before files in central-directory order. Result 1
// when every entry was written, 0 when the walk could not start or an entry
// failed (files written so far stay), -1 when an argument is missing or the
// archive path names nothing.
#include <optional>
#include <string>

// iowin32.h relies on the zlib and unzip declarations before it.
#include <minizip/unzip.h>
#include <minizip/iowin32.h>

#include "services/Owners.h"
#include "services/Win32Services.h"
#include "services/zip/ArchiveHeader.h"
#include "services/zip/EntryInformation.h"
#include "services/zip/EntryNames.h"
#include "services/zip/EntryWriter.h"
#include "services/zip/ExtractionProgress.h"
#include "services/zip/FolderPath.h"

namespace varnesse {
namespace {

using namespace zip;

// First walk: every entry that the central directory announces must be
// readable and carry a name that stays inside the target, before anything is
// written. The count is the total of the progress percentages.
std::optional<int32_t> CountEntries(unzFile archive) {
    unz_global_info64 global;
    if (unzGetGlobalInfo64(archive, &global) != UNZ_OK) return std::nullopt;
    uint64_t count = 0;
    for (int status = unzGoToFirstFile(archive); status == UNZ_OK; status = unzGoToNextFile(archive)) {
        EntryInformation entry;
        if (!ReadEntryInformation(archive, entry) || !IsContainedEntryName(entry.name)) return std::nullopt;
        ++count;
    }
    if (count != global.number_entry || count > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(count);
}

int32_t ExtractEntries(unzFile archive, int32_t total, const std::string& folder, ExtractionProgress& progress) {
    int status = unzGoToFirstFile(archive);
    for (int32_t index = 0; index < total; ++index, status = unzGoToNextFile(archive)) {
        EntryInformation entry;
        if (status != UNZ_OK || !ReadEntryInformation(archive, entry) || !IsContainedEntryName(entry.name)) {
            return 0;
        }
        std::string path = folder + WithBackslashes(entry.name);
        if (entry.IsFolder()) {
            if (!PathExists(path) && !CreateFolderPath(path)) return 0;
        } else if (!WriteFileEntry(archive, entry, path)) {
            return 0;
        }
        if (progress.EntryHandled(index, Text(path))) return 1;
    }
    return 1;
}

int32_t Extract(const Text& archivePath, const Text& targetFolder, ExtractionProgress& progress) {
    if (archivePath.IsEmpty() || targetFolder.IsEmpty() || !PathExists(archivePath.Bytes())) return -1;
    if (!PathExists(targetFolder.Bytes()) && !CreateFolderPath(targetFolder.Bytes())) return 0;
    if (!HasArchiveHeader(archivePath)) return 0;

    // The archive is open for reading, shared for reading only, until the
    // end of the call.
    zlib_filefunc_def files;
    fill_win32_filefunc(&files);
    ArchiveFile archive(unzOpen2(archivePath.CString(), &files));
    if (!archive) return 0;
    std::optional<int32_t> total = CountEntries(archive.Get());
    if (!total) return 0;
    progress.SetTotal(*total);
    return ExtractEntries(archive.Get(), *total, WithTrailingBackslash(targetFolder.Bytes()), progress);
}

}  // namespace

int32_t Win32Services::ExtractArchive(const WindowUnit& component, const Text& archivePath,
                                      const Text& targetFolder) {
    ExtractionProgress progress(component);
    int32_t result = Extract(archivePath, targetFolder, progress);
    progress.Finish();
    return result;
}

}  // namespace varnesse
