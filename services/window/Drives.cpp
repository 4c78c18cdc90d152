#include "services/window/Drives.h"

#include <windows.h>

#include <string>

#include "services/Win32Services.h"

namespace varnesse {
namespace window {

char UpperCaseLetter(char letter) { return (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter; }

char CurrentDriveLetter() {
    DWORD length = GetCurrentDirectoryA(0, nullptr);
    if (length == 0) return '@';
    std::string directory(length, '\0');
    DWORD written = GetCurrentDirectoryA(length, directory.data());
    if (written < 2 || written >= length || directory[1] != ':') return '@';
    return UpperCaseLetter(directory[0]);
}

}  // namespace window

TextList Win32Services::ListDrives(std::optional<int32_t> kind) {
    // Kinds 1..4 name one type; kind 0 (and anything else) takes types 2 to 5.
    static constexpr UINT kTypeOfKind[] = {0, DRIVE_FIXED, DRIVE_CDROM, DRIVE_REMOVABLE, DRIVE_REMOTE};
    int32_t chosen = kind.value_or(0);
    if (chosen < 0 || chosen > 4) chosen = 0;
    TextList drives;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char name[] = {letter, ':', '\0'};
        UINT type = GetDriveTypeA(name);
        bool taken = chosen == 0 ? (type >= DRIVE_REMOVABLE && type <= DRIVE_CDROM) : type == kTypeOfKind[chosen];
        if (taken) drives.Append(Text(name));
    }
    return drives;
}

}  // namespace varnesse
