// Special folders and path helpers on the real system.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "services/Owners.h"
#include "services/Win32Services.h"

namespace {

using varnesse::Text;

bool EndsWithOneBackslash(const std::string& path) {
    return path.size() >= 2 && path.back() == '\\' && path[path.size() - 2] != '\\';
}

TEST(GetSpecialFolder, EveryKindEndsWithOneBackslashOthersAreEmpty) {
    varnesse::Win32Services services;
    const std::map<int32_t, std::string> known = {
        {3, "C:\\users\\varnesse\\Desktop\\"},
        {6, "C:\\users\\varnesse\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\"},
        {9, "C:\\windows\\"},
    };
    for (int32_t kind = 1; kind <= 11; ++kind) {
        const std::string path = services.GetSpecialFolder(kind).Bytes();
        EXPECT_TRUE(EndsWithOneBackslash(path)) << "kind " << kind << ": " << path;
        auto expected = known.find(kind);
        if (expected != known.end()) EXPECT_EQ(path, expected->second) << "kind " << kind;
    }
    for (int32_t kind : {0, 12, -1}) EXPECT_TRUE(services.GetSpecialFolder(kind).IsEmpty()) << "kind " << kind;
}

// The last character decides, not the last byte: "乗" ends in the byte 0x5C.
TEST(GetSpecialFolder, FolderEndingInACharacterWithBackslashByteGetsItsBackslash) {
    const char* folder = "C:\\users\\varnesse\\文档乗";
    ASSERT_TRUE(CreateDirectoryA(folder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    varnesse::RegistryKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, key.Put()),
              ERROR_SUCCESS);
    char saved[MAX_PATH] = {};
    DWORD savedType = REG_EXPAND_SZ, savedSize = sizeof saved;
    RegQueryValueExA(key.Get(), "Personal", nullptr, &savedType, reinterpret_cast<BYTE*>(saved), &savedSize);
    RegSetValueExA(key.Get(), "Personal", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                   static_cast<DWORD>(strlen(folder) + 1));

    varnesse::Win32Services services;
    EXPECT_EQ(services.GetSpecialFolder(1), Text(std::string(folder) + "\\"));

    RegSetValueExA(key.Get(), "Personal", 0, savedType, reinterpret_cast<const BYTE*>(saved), savedSize);
    RemoveDirectoryA(folder);
}

TEST(ShellFolderSources, RawPathsAndFailures) {
    varnesse::Win32Services services;
    EXPECT_EQ(services.ShellFolderPath(CSIDL_DESKTOPDIRECTORY), std::optional<Text>("C:\\users\\varnesse\\Desktop"));
    EXPECT_EQ(services.ShellFolderPath(0x7F), std::nullopt);
    EXPECT_EQ(services.WindowsDirectory(), std::optional<Text>("C:\\windows"));
    ASSERT_TRUE(services.SystemDirectory().has_value());
    EXPECT_EQ(services.SystemDirectory()->Bytes().rfind("C:\\windows\\", 0), 0u);
    ASSERT_TRUE(services.TempPath().has_value());
    EXPECT_EQ(services.TempPath()->Bytes().back(), '\\');
}

TEST(PathHelpers, FileNameAndExtension) {
    varnesse::Win32Services services;
    struct Case {
        const char* path;
        const char* fileName;
        const char* extension;
    };
    const Case cases[] = {
        {"C:\\a\\b.txt", "b.txt", ".txt"},
        {"C:\\a.b\\c", "c", ""},
        {"name", "name", ""},
        {"", "", ""},
        {"D:\\商城\\卸载.lnk", "卸载.lnk", ".lnk"},
        {"C:\\a\\b.tar.gz", "b.tar.gz", ".gz"},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(services.PathFindFileName(row.path), Text(row.fileName)) << row.path;
        EXPECT_EQ(services.PathFindExtension(row.path), Text(row.extension)) << row.path;
    }
}

}  // namespace
