// Folder paths of the extraction, walked character by character under the
// double-byte rule: a GBK trail byte 0x5C is never a separator.
#pragma once

#include <string>

namespace varnesse::zip {

// The path with a backslash appended unless its last character is one.
std::string WithTrailingBackslash(const std::string& path);

// True when something (file or folder) exists under the path.
bool PathExists(const std::string& path);

// Creates the folder and every missing folder above it, from the left. A
// drive prefix such as "D:\" exists and is skipped.
bool CreateFolderPath(const std::string& path);

}  // namespace varnesse::zip
