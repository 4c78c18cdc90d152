// Files, folders and INI values on real folders of drive D.
#include <windows.h>

#include <gtest/gtest.h>

#include "services/Win32Services.h"
#include "tests/support/DiskFixtures.h"

namespace varnesse {
namespace {

using testing::Exists;
using testing::FolderNames;
using testing::FreshFolder;
using testing::ReadWholeFile;
using testing::WriteWholeFile;

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override { root_ = FreshFolder("D:\\files"); }
    void TearDown() override { testing::ForceRemoveTree(root_); }
    std::string root_;
    Win32Services services_;
};

TEST_F(FilesTest, FileExistsAnswersOnlyForDirectoryEntries) {
    ASSERT_TRUE(CreateDirectoryA("D:\\files\\Varnesse商城", nullptr));
    ASSERT_TRUE(WriteWholeFile("D:\\files\\a.txt", "a"));
    ASSERT_TRUE(WriteWholeFile("D:\\files\\hidden.txt", "h"));
    SetFileAttributesA("D:\\files\\hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const struct {
        const char* path;
        int32_t expected;
    } rows[] = {
        {"D:\\files\\Varnesse商城", 1},
        {"D:\\files\\Varnesse商城\\", 0},
        {"D:\\files\\a.txt", 1},
        {"D:\\files\\A.TXT", 1},
        {"D:\\files\\hidden.txt", 1},
        {"D:\\files\\*.txt", 1},
        {"D:\\files\\?.txt", 1},
        {"D:\\files\\*.none", 0},
        {"D:\\files\\missing", 0},
        {"D:\\", 0},
        {"", 0},
        {"shibai:\\Varnesse商城", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(services_.FileExists(row.path), row.expected) << "path: " << row.path;
    }
}

TEST_F(FilesTest, MakeDirectoryCreatesExactlyOneNewLevel) {
    ASSERT_TRUE(CreateDirectoryA("D:\\files\\old", nullptr));
    ASSERT_TRUE(WriteWholeFile("D:\\files\\old\\keep.txt", "k"));
    ASSERT_TRUE(WriteWholeFile("D:\\files\\plain", "p"));

    EXPECT_EQ(services_.MakeDirectory("D:\\files\\新建"), 1);
    EXPECT_EQ(GetFileAttributesA("D:\\files\\新建"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(services_.MakeDirectory("D:\\files\\old"), 0);
    EXPECT_EQ(ReadWholeFile("D:\\files\\old\\keep.txt"), "k");
    EXPECT_EQ(services_.MakeDirectory("D:\\files\\plain"), 0);
    EXPECT_EQ(ReadWholeFile("D:\\files\\plain"), "p");
    EXPECT_EQ(services_.MakeDirectory("D:\\files\\missing\\child"), 0);
    EXPECT_FALSE(Exists("D:\\files\\missing"));
}

TEST_F(FilesTest, RemoveDirectoryTreeRemovesAPlainTree) {
    CreateDirectoryA("D:\\files\\tree", nullptr);
    CreateDirectoryA("D:\\files\\tree\\Trade", nullptr);
    CreateDirectoryA("D:\\files\\tree\\Trade\\empty", nullptr);
    WriteWholeFile("D:\\files\\tree\\Trade\\a.dll", "a");
    WriteWholeFile("D:\\files\\tree\\商城.txt", "b");
    WriteWholeFile("D:\\files\\tree\\hidden.sys", "c");
    SetFileAttributesA("D:\\files\\tree\\hidden.sys", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    EXPECT_EQ(services_.RemoveDirectoryTree("D:\\files\\tree"), 1);
    EXPECT_FALSE(Exists("D:\\files\\tree"));
}

TEST_F(FilesTest, RemoveDirectoryTreeKeepsDotNamesAndReadOnlyFilesWithTheirFolders) {
    CreateDirectoryA("D:\\files\\tree", nullptr);
    CreateDirectoryA("D:\\files\\tree\\.git", nullptr);
    WriteWholeFile("D:\\files\\tree\\.git\\config", "c");
    WriteWholeFile("D:\\files\\tree\\.profile", "p");
    CreateDirectoryA("D:\\files\\tree\\locked", nullptr);
    CreateDirectoryA("D:\\files\\tree\\locked\\inner", nullptr);
    WriteWholeFile("D:\\files\\tree\\locked\\inner\\ro.txt", "r");
    SetFileAttributesA("D:\\files\\tree\\locked\\inner\\ro.txt", FILE_ATTRIBUTE_READONLY);
    WriteWholeFile("D:\\files\\tree\\locked\\inner\\gone.txt", "g");
    WriteWholeFile("D:\\files\\tree\\locked\\gone.txt", "g");
    CreateDirectoryA("D:\\files\\tree\\free", nullptr);
    WriteWholeFile("D:\\files\\tree\\free\\gone.txt", "g");

    EXPECT_EQ(services_.RemoveDirectoryTree("D:\\files\\tree"), 0);
    EXPECT_EQ(FolderNames("D:\\files\\tree"), (std::set<std::string>{".git", ".profile", "locked"}));
    EXPECT_EQ(ReadWholeFile("D:\\files\\tree\\.git\\config"), "c");
    EXPECT_EQ(FolderNames("D:\\files\\tree\\locked"), std::set<std::string>{"inner"});
    EXPECT_EQ(FolderNames("D:\\files\\tree\\locked\\inner"), std::set<std::string>{"ro.txt"});
    EXPECT_TRUE(GetFileAttributesA("D:\\files\\tree\\locked\\inner\\ro.txt") & FILE_ATTRIBUTE_READONLY);
}

TEST_F(FilesTest, RemoveDirectoryTreeNeverTouchesDrivesFilesOrMissingPaths) {
    ASSERT_TRUE(WriteWholeFile("D:\\files\\plain.txt", "p"));
    ASSERT_TRUE(WriteWholeFile("D:\\marker.txt", "m"));
    const char* rows[] = {"", "   ", "D:", "D:\\", "  D:", "  D:\\", "D:\\files\\plain.txt",
                          "D:\\files\\missing", "shibai:\\Varnesse商城"};
    for (const char* path : rows) {
        EXPECT_EQ(services_.RemoveDirectoryTree(path), 0) << "path: '" << path << "'";
    }
    EXPECT_EQ(ReadWholeFile("D:\\marker.txt"), "m");
    EXPECT_EQ(ReadWholeFile("D:\\files\\plain.txt"), "p");
    DeleteFileA("D:\\marker.txt");
}

TEST_F(FilesTest, RemoveFileDeletesFilesOnly) {
    CreateDirectoryA("D:\\files\\folder", nullptr);
    WriteWholeFile("D:\\files\\a.txt", "a");
    WriteWholeFile("D:\\files\\b.txt", "b");
    EXPECT_EQ(services_.RemoveFile("D:\\files\\folder"), 0);
    EXPECT_TRUE(Exists("D:\\files\\folder"));
    EXPECT_EQ(services_.RemoveFile("D:\\files\\*.txt"), 0);
    EXPECT_EQ(services_.RemoveFile("D:\\files\\missing.txt"), 0);
    EXPECT_EQ(services_.RemoveFile("D:\\files\\a.txt"), 1);
    EXPECT_FALSE(Exists("D:\\files\\a.txt"));
    EXPECT_TRUE(Exists("D:\\files\\b.txt"));
}

TEST_F(FilesTest, WriteBytesToFileLeavesExactlyTheBlocks) {
    const uint8_t first[] = {'P', 'K', 3, 4};
    const uint8_t second[] = {0, 0xFF, '\n'};
    ASSERT_TRUE(WriteWholeFile("D:\\files\\long.bin", std::string(100, 'x')));

    EXPECT_EQ(services_.WriteBytesToFile("D:\\files\\long.bin", {ByteBlock{first, 4}}), 1);
    EXPECT_EQ(ReadWholeFile("D:\\files\\long.bin"), std::string("PK\3\4"));
    EXPECT_EQ(services_.WriteBytesToFile("D:\\files\\two.bin", {ByteBlock{first, 4}, ByteBlock{}, ByteBlock{second, 3}}),
              1);
    EXPECT_EQ(ReadWholeFile("D:\\files\\two.bin"), std::string("PK\3\4\0\xFF\n", 7));
    EXPECT_EQ(services_.WriteBytesToFile("D:\\files\\empty.bin", {ByteBlock{}}), 1);
    EXPECT_EQ(ReadWholeFile("D:\\files\\empty.bin"), "");
    EXPECT_EQ(services_.WriteBytesToFile("D:\\files\\missing\\a.bin", {ByteBlock{first, 4}}), 0);
    EXPECT_FALSE(Exists("D:\\files\\missing"));
    EXPECT_EQ(services_.WriteBytesToFile("", {ByteBlock{first, 4}}), 0);
}

// Wine's profile writer drops blank lines, so the file has none.
TEST_F(FilesTest, WriteIniValueReplacesInPlaceAndLeavesTheRestAlone) {
    const std::string before =
        "; settings of the quotes client\r\n"
        "[ICONFIG]\r\n"
        "NAME=Varnesse\r\n"
        "ORDER=C:\\old\\Renovix.exe\r\n"
        "MODE=2\r\n"
        "[OTHER]\r\n"
        "ORDER=untouched\r\n";
    ASSERT_TRUE(WriteWholeFile("D:\\files\\ICONFIG.ini", before));

    EXPECT_EQ(services_.WriteIniValue("D:\\files\\ICONFIG.INI", "iconfig", Text("order"),
                                      Text("D:\\Varnesse商城\\Trade\\Renovix-trade\\Renovix.exe")),
              1);
    EXPECT_EQ(services_.WriteIniValue("D:\\files\\ICONFIG.INI", "ICONFIG", Text("ALERT"), Text("")), 1);
    const std::string after =
        "; settings of the quotes client\r\n"
        "[ICONFIG]\r\n"
        "NAME=Varnesse\r\n"
        "ORDER=D:\\Varnesse商城\\Trade\\Renovix-trade\\Renovix.exe\r\n"
        "MODE=2\r\n"
        "ALERT=\r\n"
        "[OTHER]\r\n"
        "ORDER=untouched\r\n";
    EXPECT_EQ(ReadWholeFile("D:\\files\\ICONFIG.ini"), after);
}

TEST_F(FilesTest, WriteIniValueCreatesTheFileAndDeletesWithLeftOutArguments) {
    EXPECT_EQ(services_.WriteIniValue("D:\\files\\new.ini", "ICONFIG", Text("BASEPATH"), Text("D:\\a")), 1);
    EXPECT_EQ(services_.WriteIniValue("D:\\files\\new.ini", "ICONFIG", Text("BASEPATH"), Text("D:\\b")), 1);
    EXPECT_EQ(ReadWholeFile("D:\\files\\new.ini"), "[ICONFIG]\r\nBASEPATH=D:\\b\r\n");
    EXPECT_EQ(services_.WriteIniValue("D:\\files\\new.ini", "ICONFIG", Text("BASEPATH"), std::nullopt), 1);
    EXPECT_EQ(ReadWholeFile("D:\\files\\new.ini"), "[ICONFIG]\r\n");
    EXPECT_EQ(services_.WriteIniValue("D:\\files\\missing\\new.ini", "ICONFIG", Text("K"), Text("V")), 0);
    EXPECT_FALSE(Exists("D:\\files\\missing"));
}

}  // namespace
}  // namespace varnesse
