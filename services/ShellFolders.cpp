// Placeholder until the shell operations land.
#include "services/Win32Services.h"

namespace varnesse {
Text Win32Services::GetSpecialFolder(int32_t) { return Text(); }
bool Win32Services::CreateShellShortcut(const Text&, const Text&, std::optional<Text>, std::optional<Text>, std::optional<Text>) { return false; }
Text Win32Services::PathFindFileName(const Text& path) { return path; }
Text Win32Services::PathFindExtension(const Text&) { return Text(); }
std::optional<Text> Win32Services::ShellFolderPath(int32_t) { return std::nullopt; }
std::optional<Text> Win32Services::WindowsDirectory() { return std::nullopt; }
std::optional<Text> Win32Services::SystemDirectory() { return std::nullopt; }
std::optional<Text> Win32Services::TempPath() { return std::nullopt; }
}  // namespace varnesse
