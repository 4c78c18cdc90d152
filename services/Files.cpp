// Placeholder until the file operations land.
#include "services/Win32Services.h"

namespace varnesse {
int32_t Win32Services::FileExists(const Text&) { return 0; }
int32_t Win32Services::MakeDirectory(const Text&) { return 0; }
int32_t Win32Services::RemoveDirectoryTree(const Text&) { return 0; }
int32_t Win32Services::RemoveFile(const Text&) { return 0; }
int32_t Win32Services::WriteBytesToFile(const Text&, const std::vector<ByteBlock>&) { return 0; }
int32_t Win32Services::WriteIniValue(const Text&, const Text&, std::optional<Text>, std::optional<Text>) { return 0; }
}  // namespace varnesse
