// The user's shell folders, the system's folders, and path helpers.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
// The service names, not the header's A/W macros.
#undef PathFindFileName
#undef PathFindExtension

#include "services/Win32Services.h"

namespace varnesse {
namespace {

// The system's path length: every folder call gets a buffer of this size.
constexpr DWORD kPathBuffer = MAX_PATH;

// A length reported by GetWindowsDirectoryA and its kin: 0 on failure, the
// needed size when the buffer was too small; only a fitting one is a path.
std::optional<Text> FittingPath(DWORD length, const char* buffer) {
    if (length == 0 || length >= kPathBuffer) return std::nullopt;
    return Text(std::string_view(buffer, length));
}

// Whether the last character (double-byte rule) is a backslash: a trail byte
// 0x5C of a GBK character does not count as one.
bool EndsWithBackslash(const Text& path) {
    const std::string& bytes = path.Bytes();
    bool lastIsBackslash = false;
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x80 && i + 1 < bytes.size()) {
            lastIsBackslash = false;
            i += 2;
        } else {
            lastIsBackslash = byte == '\\';
            i += 1;
        }
    }
    return lastIsBackslash;
}

std::optional<Text> SourceOfKind(Win32Services& services, int32_t kind) {
    static const int kFolderIds[] = {CSIDL_PERSONAL, CSIDL_FAVORITES, CSIDL_DESKTOPDIRECTORY, CSIDL_FONTS,
                                     CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_STARTUP, CSIDL_APPDATA};
    if (kind >= 1 && kind <= 8) return services.ShellFolderPath(kFolderIds[kind - 1]);
    if (kind == 9) return services.WindowsDirectory();
    if (kind == 10) return services.SystemDirectory();
    if (kind == 11) return services.TempPath();
    return std::nullopt;
}

}  // namespace

// The folder of a kind 1..11 ending in one backslash; empty for other kinds
// and when the system gives no folder.
Text Win32Services::GetSpecialFolder(int32_t kind) {
    std::optional<Text> path = SourceOfKind(*this, kind);
    if (!path || path->IsEmpty()) return Text();
    if (EndsWithBackslash(*path)) return *path;
    return JoinText(*path, "\\");
}

std::optional<Text> Win32Services::ShellFolderPath(int32_t csidl) {
    char buffer[kPathBuffer] = {};
    if (!SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE)) return std::nullopt;
    return Text(std::string_view(buffer, strnlen(buffer, sizeof buffer)));
}

std::optional<Text> Win32Services::WindowsDirectory() {
    char buffer[kPathBuffer] = {};
    return FittingPath(GetWindowsDirectoryA(buffer, kPathBuffer), buffer);
}

std::optional<Text> Win32Services::SystemDirectory() {
    char buffer[kPathBuffer] = {};
    return FittingPath(GetSystemDirectoryA(buffer, kPathBuffer), buffer);
}

std::optional<Text> Win32Services::TempPath() {
    char buffer[kPathBuffer] = {};
    return FittingPath(GetTempPathA(kPathBuffer, buffer), buffer);
}

// The file name part of a path (the whole text when it has no folder).
Text Win32Services::PathFindFileName(const Text& path) { return Text(::PathFindFileNameA(path.CString())); }

// The extension with its dot, or empty when the file name has none.
Text Win32Services::PathFindExtension(const Text& path) { return Text(::PathFindExtensionA(path.CString())); }

}  // namespace varnesse
