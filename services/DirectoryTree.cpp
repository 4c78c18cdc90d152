// RemoveDirectoryTree: empties a folder depth first and removes it. Entries
// whose name begins with a dot are kept, attributes are never changed, inner
// failures are ignored. Links to folders (junctions, symbolic links) are
// neither followed nor removed: removing one through a layer that resolves it
// could reach its target, so a link keeps its folder, like a read-only file.
#include <algorithm>
#include <string>
#include <vector>

#include "services/Owners.h"
#include "services/Win32Services.h"

namespace varnesse {
namespace {

struct FolderEntry {
    std::string path;
    bool isFolder = false;
    bool isLink = false;
};

// The whole listing is taken before anything in the folder is deleted.
std::vector<FolderEntry> ListFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((folder + "\\*.*").c_str(), &found));
    if (!search) return entries;
    do {
        if (found.cFileName[0] == '.') continue;
        entries.push_back({folder + "\\" + found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileA(search.Get(), &found));
    return entries;
}

void EmptyFolder(const std::string& folder) {
    for (const FolderEntry& entry : ListFolder(folder)) {
        if (entry.isLink) continue;
        if (entry.isFolder) {
            EmptyFolder(entry.path);
            RemoveDirectoryA(entry.path.c_str());
        } else {
            DeleteFileA(entry.path.c_str());
        }
    }
}

// "D:" and "D:\" name a whole drive.
bool IsDriveOrDriveRoot(const std::string& folder) {
    if (folder.size() < 2 || folder[1] != ':') return false;
    return folder.size() == 2 || (folder.size() == 3 && folder[2] == '\\');
}

}  // namespace

int32_t Win32Services::RemoveDirectoryTree(const Text& path) {
    const std::string& bytes = path.Bytes();
    std::string folder = bytes.substr(std::min(bytes.find_first_not_of(' '), bytes.size()));
    if (folder.empty() || IsDriveOrDriveRoot(folder)) return 0;
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return 0;
    EmptyFolder(folder);
    return RemoveDirectoryA(folder.c_str()) ? 1 : 0;
}

}  // namespace varnesse
