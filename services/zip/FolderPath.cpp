#include "services/zip/FolderPath.h"

#include <windows.h>

namespace varnesse::zip {
namespace {

// Calls `visit` with the position of every backslash that is a character of
// its own.
template <typename Visit>
bool ForEachSeparator(const std::string& path, Visit visit) {
    for (size_t i = 0; i < path.size(); ++i) {
        if (static_cast<unsigned char>(path[i]) >= 0x80) {
            ++i;
        } else if (path[i] == '\\' && !visit(i)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string WithTrailingBackslash(const std::string& path) {
    bool endsInSeparator = false;
    ForEachSeparator(path, [&](size_t position) {
        endsInSeparator = position + 1 == path.size();
        return true;
    });
    return endsInSeparator ? path : path + "\\";
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool CreateFolderPath(const std::string& path) {
    std::string full = WithTrailingBackslash(path);
    return ForEachSeparator(full, [&](size_t position) {
        std::string prefix = full.substr(0, position + 1);
        return PathExists(prefix) || CreateDirectoryA(prefix.c_str(), nullptr);
    });
}

}  // namespace varnesse::zip
