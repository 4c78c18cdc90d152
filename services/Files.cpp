// Files, folders and INI values: thin layers over the ANSI file functions.
// Every failure becomes 0; the last-error value is never read.
#include "services/Owners.h"
#include "services/Win32Services.h"

namespace varnesse {

// A folder counts as existing, exactly like a file; a path ending in a
// backslash (a drive root among them) matches nothing.
int32_t Win32Services::FileExists(const Text& path) {
    WIN32_FIND_DATAA entry;
    FindHandle search(FindFirstFileA(path.CString(), &entry));
    return search ? 1 : 0;
}

// One level only: the parent must exist, and an existing name gives 0.
int32_t Win32Services::MakeDirectory(const Text& path) {
    return CreateDirectoryA(path.CString(), nullptr) ? 1 : 0;
}

// Never removes a folder and never expands wildcards.
int32_t Win32Services::RemoveFile(const Text& path) {
    return DeleteFileA(path.CString()) ? 1 : 0;
}

// The file holds exactly the blocks' bytes afterwards; a failure can leave a
// truncated file behind.
int32_t Win32Services::WriteBytesToFile(const Text& path, const std::vector<ByteBlock>& blocks) {
    if (path.IsEmpty()) return 0;
    FileHandle file(CreateFileA(path.CString(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 0;
    for (const ByteBlock& block : blocks) {
        if (block.length == 0) continue;
        DWORD written = 0;
        if (!WriteFile(file.Get(), block.data, block.length, &written, nullptr) || written != block.length) {
            return 0;
        }
    }
    return CloseHandle(file.Detach()) ? 1 : 0;
}

// A left-out key deletes the section and a left-out value the key; an empty
// value is kept as "key=".
int32_t Win32Services::WriteIniValue(const Text& file, const Text& section, std::optional<Text> key,
                                     std::optional<Text> value) {
    return WritePrivateProfileStringA(section.CString(), key ? key->CString() : nullptr,
                                      value ? value->CString() : nullptr, file.CString())
               ? 1
               : 0;
}

}  // namespace varnesse
