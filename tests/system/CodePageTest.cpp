#include <windows.h>

#include <gtest/gtest.h>

TEST(Sandbox, AnsiCodePageIsGbk) {
    EXPECT_EQ(GetACP(), 936u);
    EXPECT_EQ(GetOEMCP(), 936u);
}

TEST(Sandbox, GbkFolderNamesWork) {
    const char* folder = "D:\\Varnesse商城";
    ASSERT_TRUE(CreateDirectoryA(folder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_NE(GetFileAttributesA(folder), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(RemoveDirectoryA(folder));
}

TEST(Sandbox, LinuxFileSystemIsUnreachable) {
    EXPECT_EQ(GetDriveTypeA("Z:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
}
