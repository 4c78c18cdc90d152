#include "app/SpecialFolderPath.h"

namespace varnesse {
namespace {

// CSIDL numbers of kinds 1 to 8 and 12; 0 for the kinds with their own function.
int32_t ShellFolderOfKind(int32_t kind) {
    switch (kind) {
        case 1: return 0x05;   // CSIDL_PERSONAL
        case 2: return 0x06;   // CSIDL_FAVORITES
        case 3: return 0x10;   // CSIDL_DESKTOPDIRECTORY
        case 4: return 0x14;   // CSIDL_FONTS
        case 5: return 0x0B;   // CSIDL_STARTMENU
        case 6: return 0x02;   // CSIDL_PROGRAMS
        case 7: return 0x07;   // CSIDL_STARTUP
        case 8: return 0x1A;   // CSIDL_APPDATA
        case 12: return 0x20;  // CSIDL_INTERNET_CACHE
        default: return 0;
    }
}

std::optional<Text> RawFolderPath(Services& services, int32_t kind) {
    switch (kind) {
        case 9: return services.WindowsDirectory();
        case 10: return services.SystemDirectory();
        case 11: return services.TempPath();
        default: break;
    }
    int32_t csidl = ShellFolderOfKind(kind);
    if (csidl == 0) return std::nullopt;
    return services.ShellFolderPath(csidl);
}

}  // namespace

Text SpecialFolderPath(Services& services, std::optional<int32_t> kind) {
    int32_t effectiveKind = kind.value_or(3);
    if (effectiveKind == 0) effectiveKind = 3;

    std::optional<Text> path = RawFolderPath(services, effectiveKind);
    if (!path) return Text();
    // Only the last byte counts: a double-byte character ending in 0x5C
    // already looks like a trailing backslash.
    if (CompareText(RightText(*path, 1), "\\") != 0) return JoinText(*path, "\\");
    return *path;
}

}  // namespace varnesse
