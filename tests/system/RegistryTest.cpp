// Registry values on the sandbox's real registry (a fresh prefix per run).
#include <windows.h>

#include <gtest/gtest.h>

#include "services/Win32Services.h"

namespace varnesse {
namespace {

bool KeyExists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void SetRaw(const char* keyPath, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, keyPath, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

DWORD StoredType(HKEY root, const char* keyPath, const char* name) {
    DWORD type = REG_NONE;
    if (RegGetValueA(root, keyPath, name, RRF_RT_ANY, &type, nullptr, nullptr) != ERROR_SUCCESS) return REG_NONE;
    return type;
}

class RegistryTest : public ::testing::Test {
protected:
    Win32Services services_;
};

TEST_F(RegistryTest, RememberedDriveRoundTripAndUninstall) {
    EXPECT_EQ(services_.ReadRegistryText(3, "Varnesse商城\\安装目录", Text("shibai")), Text("shibai"));
    EXPECT_EQ(services_.ReadRegistryText(3, "Varnesse商城\\安装目录", std::nullopt), Text());
    EXPECT_EQ(services_.WriteRegistryValue(3, "Varnesse商城\\安装目录", Text("E")), 1);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Varnesse商城"));
    EXPECT_EQ(StoredType(HKEY_CURRENT_USER, "Varnesse商城", "安装目录"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(services_.ReadRegistryText(3, "Varnesse商城\\安装目录", Text("shibai")), Text("E"));

    EXPECT_EQ(services_.DeleteRegistryItem(3, "Varnesse商城"), 1);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Varnesse商城"));
    EXPECT_EQ(services_.DeleteRegistryItem(3, "Varnesse商城"), 0);
    EXPECT_EQ(services_.ReadRegistryText(3, "Varnesse商城\\安装目录", Text("shibai")), Text("shibai"));
}

TEST_F(RegistryTest, OnlyTextValuesWithDataAreRead) {
    const DWORD number = 7;
    const char empty[] = "";
    const char expandable[] = "%VARNESSE_PLACE%\\Orvu";
    SetEnvironmentVariableA("VARNESSE_PLACE", "D:\\Varnesse商城");
    SetRaw("VarnesseTypes", "dword", REG_DWORD, &number, sizeof number);
    SetRaw("VarnesseTypes", "nodata", REG_SZ, "", 0);
    SetRaw("VarnesseTypes", "empty", REG_SZ, empty, 1);
    SetRaw("VarnesseTypes", "binary", REG_BINARY, "ab", 2);
    SetRaw("VarnesseTypes", "expand", REG_EXPAND_SZ, expandable, sizeof expandable);
    SetRaw("VarnesseTypes", "unterminated", REG_SZ, "abc", 3);
    const struct {
        const char* path;
        const char* expected;
    } rows[] = {
        {"VarnesseTypes\\dword", "default"},
        {"VarnesseTypes\\nodata", "default"},
        {"VarnesseTypes\\binary", "default"},
        {"VarnesseTypes\\missing", "default"},
        {"VarnesseTypes\\empty", ""},
        {"VarnesseTypes\\expand", "D:\\Varnesse商城\\Orvu"},
        {"VarnesseTypes\\unterminated", "abc"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(services_.ReadRegistryText(3, row.path, Text("default")), Text(row.expected)) << "path: " << row.path;
    }
}

TEST_F(RegistryTest, ValuePathsSplitAtTheLastRealBackslash) {
    // No backslash: a value of the root key itself.
    EXPECT_EQ(services_.WriteRegistryValue(3, "VarnesseRootValue", Text("r")), 1);
    EXPECT_EQ(StoredType(HKEY_CURRENT_USER, nullptr, "VarnesseRootValue"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(services_.ReadRegistryText(3, "VarnesseRootValue", std::nullopt), Text("r"));
    RegDeleteValueA(HKEY_CURRENT_USER, "VarnesseRootValue");

    // A trailing backslash: the key's default value.
    EXPECT_EQ(services_.WriteRegistryValue(3, "VarnesseDefault\\", Text("d")), 1);
    EXPECT_EQ(StoredType(HKEY_CURRENT_USER, "VarnesseDefault", ""), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(services_.ReadRegistryText(3, "VarnesseDefault\\", std::nullopt), Text("d"));

    // 乗 is 0x81 0x5C in GBK: its trail byte is no separator.
    const char* gbkPath = "Varnesse\x81\x5C\\value";
    EXPECT_EQ(services_.WriteRegistryValue(3, gbkPath, Text("g")), 1);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Varnesse\x81\x5C"));
    EXPECT_EQ(StoredType(HKEY_CURRENT_USER, "Varnesse\x81\x5C", "value"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(services_.ReadRegistryText(3, gbkPath, std::nullopt), Text("g"));

    // Several missing levels are created at once.
    EXPECT_EQ(services_.WriteRegistryValue(3, "VarnesseDeep\\a\\b\\c\\v", Text("x")), 1);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "VarnesseDeep\\a\\b\\c"));
    // A key that still has subkeys is not deleted.
    EXPECT_EQ(services_.DeleteRegistryItem(3, "VarnesseDeep\\a"), 0);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "VarnesseDeep\\a\\b\\c"));
    EXPECT_EQ(services_.DeleteRegistryItem(3, "VarnesseDeep\\a\\b\\c\\v"), 1);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "VarnesseDeep\\a\\b\\c"));
}

TEST_F(RegistryTest, RootNumbersOutsideOneToFiveMeanTheCurrentUser) {
    for (int32_t root : {0, 6, -1, 100}) {
        std::string text = "root" + std::to_string(root);
        EXPECT_EQ(services_.WriteRegistryValue(root, "VarnesseRoots\\v", Text(text)), 1) << "root " << root;
        EXPECT_EQ(services_.ReadRegistryText(3, "VarnesseRoots\\v", std::nullopt), Text(text)) << "root " << root;
    }
    EXPECT_EQ(services_.ReadRegistryText(4, "VarnesseRoots\\v", Text("none")), Text("none"));
}

TEST_F(RegistryTest, NumbersAndBytesAreStoredWithTheirOwnTypes) {
    const uint8_t bytes[] = {1, 2, 0, 3};
    EXPECT_EQ(services_.WriteRegistryValue(3, "VarnesseKinds\\n", int32_t{-2}), 1);
    EXPECT_EQ(services_.WriteRegistryValue(3, "VarnesseKinds\\b", ByteBlock{bytes, 4}), 1);
    EXPECT_EQ(services_.WriteRegistryValue(3, "VarnesseKinds\\logical", true), 0);
    EXPECT_EQ(StoredType(HKEY_CURRENT_USER, "VarnesseKinds", "n"), static_cast<DWORD>(REG_DWORD));
    DWORD number = 0, size = sizeof number;
    RegGetValueA(HKEY_CURRENT_USER, "VarnesseKinds", "n", RRF_RT_REG_DWORD, nullptr, &number, &size);
    EXPECT_EQ(number, 0xFFFFFFFEu);
    EXPECT_EQ(StoredType(HKEY_CURRENT_USER, "VarnesseKinds", "b"), static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(StoredType(HKEY_CURRENT_USER, "VarnesseKinds", "logical"), static_cast<DWORD>(REG_NONE));
    // Text replaces a value of another type.
    EXPECT_EQ(services_.WriteRegistryValue(3, "VarnesseKinds\\n", Text("now text")), 1);
    EXPECT_EQ(services_.ReadRegistryText(3, "VarnesseKinds\\n", std::nullopt), Text("now text"));
}

}  // namespace
}  // namespace varnesse
