// ZIP extraction into real folders of drive D, on archives built by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include "services/Win32Services.h"
#include "services/zip/ExtractionProgress.h"
#include "tests/support/DiskFixtures.h"
#include "tests/support/ZipBuilder.h"

namespace varnesse {
namespace {

using testing::BuildZip;
using testing::Exists;
using testing::FileEntry;
using testing::FolderEntry;
using testing::FolderNames;
using testing::FreshFolder;
using testing::ReadWholeFile;
using testing::WriteWholeFile;
using testing::ZipEntrySpec;

const WindowUnit kComponent{1375797249, 369164333};

std::string LargeText() {
    std::string text;
    for (int i = 0; text.size() < 100000; ++i) text += "line " + std::to_string(i * 7919 % 1000) + " of the client\n";
    return text;
}

// The attributes a plain file has after it was set to "normal": Wine reports
// every plain file with the archive bit, Windows as normal.
bool OnlyNormal(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes == FILE_ATTRIBUTE_NORMAL || attributes == FILE_ATTRIBUTE_ARCHIVE;
}

uint64_t Ticks(const FILETIME& time) { return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime; }

FILETIME WriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

class ZipExtractionTest : public ::testing::Test {
protected:
    void SetUp() override { root_ = FreshFolder("D:\\zip"); }
    void TearDown() override { testing::ForceRemoveTree(root_); }

    std::string Archive(const std::string& name, const std::vector<ZipEntrySpec>& entries) {
        std::string path = root_ + "\\" + name;
        EXPECT_TRUE(WriteWholeFile(path, BuildZip(entries)));
        return path;
    }
    int32_t Extract(const std::string& archive, const std::string& target) {
        return services_.ExtractArchive(kComponent, Text(archive), Text(target));
    }

    std::string root_;
    Win32Services services_;
};

std::vector<ZipEntrySpec> ClientLikeEntries() {
    ZipEntrySpec readOnly = FileEntry("Orvu/ICONFIG.ini", "[ICONFIG]\r\nORDER=\r\n");
    readOnly.deflate = false;
    return {
        FolderEntry("Trade/lang/"),
        FileEntry("Trade/Mercavo.exe", LargeText()),
        FileEntry("Trade/lang/zh-CN.txt", "中文"),
        FolderEntry("Orvu/USERS/"),
        FolderEntry("Orvu/data/empty/"),
        readOnly,
        FileEntry("Orvu/USERS/alert.WAV", std::string(40000, '\x7F')),
    };
}

TEST_F(ZipExtractionTest, ExtractsFoldersAndFilesWithNormalAttributes) {
    std::string archive = Archive("client.zip", ClientLikeEntries());
    for (std::string target : {"D:\\zip\\商城", "D:\\zip\\with slash\\"}) {
        ASSERT_EQ(Extract(archive, target), 1) << target;
        std::string base = target.back() == '\\' ? target : target + "\\";
        EXPECT_EQ(FolderNames(base), (std::set<std::string>{"Orvu", "Trade"})) << target;
        EXPECT_EQ(FolderNames(base + "Orvu"), (std::set<std::string>{"ICONFIG.ini", "USERS", "data"})) << target;
        EXPECT_TRUE(Exists(base + "Orvu\\data\\empty")) << target;
        EXPECT_EQ(ReadWholeFile(base + "Trade\\Mercavo.exe"), LargeText()) << target;
        EXPECT_EQ(ReadWholeFile(base + "Trade\\lang\\zh-CN.txt"), "中文") << target;
        EXPECT_EQ(ReadWholeFile(base + "Orvu\\USERS\\alert.WAV"), std::string(40000, '\x7F')) << target;
        // The archive's attributes (0x20, no owner-write bit: read-only) are undone.
        for (const char* file : {"Trade\\Mercavo.exe", "Orvu\\ICONFIG.ini", "Orvu\\USERS\\alert.WAV"}) {
            EXPECT_TRUE(OnlyNormal(base + file)) << target << file;
        }
        const zip::ProgressRecord& progress = zip::LastExtractionProgress();
        EXPECT_EQ(progress.total, 7);
        EXPECT_EQ(progress.eventCount, 8) << "one event per entry and one at the end";
        EXPECT_EQ(progress.lastPercentage, 100);
        EXPECT_EQ(progress.currentFile, Text(base + "Orvu\\USERS\\alert.WAV"));
    }
}

TEST_F(ZipExtractionTest, SecondExtractionReplacesReadOnlyAndHiddenFiles) {
    std::string archive = Archive("client.zip", ClientLikeEntries());
    ASSERT_EQ(Extract(archive, "D:\\zip\\t"), 1);
    WriteWholeFile("D:\\zip\\t\\Trade\\Mercavo.exe", "edited");
    SetFileAttributesA("D:\\zip\\t\\Trade\\Mercavo.exe", FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA("D:\\zip\\t\\Orvu\\ICONFIG.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    ASSERT_EQ(Extract(archive, "D:\\zip\\t"), 1);
    EXPECT_EQ(ReadWholeFile("D:\\zip\\t\\Trade\\Mercavo.exe"), LargeText());
    EXPECT_TRUE(OnlyNormal("D:\\zip\\t\\Trade\\Mercavo.exe"));
    EXPECT_TRUE(OnlyNormal("D:\\zip\\t\\Orvu\\ICONFIG.ini"));
}

TEST_F(ZipExtractionTest, WriteTimeIsTheDosTimeReadAsUtcUnlessATimestampBlockGivesIt) {
    ZipEntrySpec dos = FileEntry("dos.txt", "d");
    dos.dosDate = (2020 - 1980) << 9 | 5 << 5 | 17;  // 2020-05-17
    dos.dosTime = 10 << 11 | 20 << 5 | 15;           // 10:20:30
    ZipEntrySpec stamped = FileEntry("stamped.txt", "s");
    stamped.localExtra = std::string("\x99\x99\x02\x00zz", 6) + testing::WriteTimeBlock(1600000000);
    ASSERT_EQ(Extract(Archive("times.zip", {dos, stamped}), "D:\\zip\\t"), 1);

    SYSTEMTIME utc{2020, 5, 0, 17, 10, 20, 30, 0};
    FILETIME expected;
    SystemTimeToFileTime(&utc, &expected);
    EXPECT_EQ(Ticks(WriteTime("D:\\zip\\t\\dos.txt")), Ticks(expected));
    // 1600000000 s after 1970-01-01 UTC.
    EXPECT_EQ(Ticks(WriteTime("D:\\zip\\t\\stamped.txt")), 1600000000ull * 10000000ull + 116444736000000000ull);
}

TEST_F(ZipExtractionTest, ResultCodesForArgumentsAndBadFiles) {
    std::string good = Archive("good.zip", {FileEntry("a.txt", "a")});
    std::string folderFirst = Archive("folderfirst.zip", {FolderEntry("top/"), FileEntry("top/a.txt", "a")});
    std::string noFolderEntry = Archive("nofolder.zip", {FileEntry("sub/a.txt", "a")});
    std::string zip = BuildZip({FileEntry("a.txt", "a")});
    WriteWholeFile("D:\\zip\\empty.zip", "");
    WriteWholeFile("D:\\zip\\short.zip", zip.substr(0, 31));
    WriteWholeFile("D:\\zip\\text.zip", std::string(64, 'T'));
    WriteWholeFile("D:\\zip\\nodirectory.zip", zip.substr(0, zip.size() - 22));
    const struct {
        const char* archive;
        const char* target;
        int32_t expected;
    } rows[] = {
        {"D:\\zip\\good.zip", "D:\\zip\\t1", 1},
        {"D:\\zip\\missing.zip", "D:\\zip\\t2", -1},
        {"", "D:\\zip\\t3", -1},
        {"D:\\zip\\good.zip", "", -1},
        {"D:\\zip\\empty.zip", "D:\\zip\\t4", 0},
        {"D:\\zip\\short.zip", "D:\\zip\\t5", 0},
        {"D:\\zip\\text.zip", "D:\\zip\\t6", 0},
        {"D:\\zip\\nodirectory.zip", "D:\\zip\\t7", 0},
        {"D:\\zip\\folderfirst.zip", "D:\\zip\\t8", 1},
        {"D:\\zip\\nofolder.zip", "D:\\zip\\t9", 0},
        {"D:\\zip\\good.zip", "D:\\zip\\new\\深\\t10", 1},
        {"D:\\zip", "D:\\zip\\t11", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Extract(row.archive, row.target), row.expected) << row.archive << " -> " << row.target;
        EXPECT_EQ(zip::LastExtractionProgress().eventCount >= 1, true) << "final event for " << row.archive;
    }
    EXPECT_EQ(ReadWholeFile("D:\\zip\\t8\\top\\a.txt"), "a");
    EXPECT_EQ(ReadWholeFile("D:\\zip\\new\\深\\t10\\a.txt"), "a");
    EXPECT_FALSE(Exists("D:\\zip\\t9\\sub"));
    EXPECT_FALSE(Exists("D:\\zip\\t2"));
}

TEST_F(ZipExtractionTest, DataThatFailsItsCrcOrEndsEarlyIsAFailure) {
    ZipEntrySpec badCrc = FileEntry("bad.txt", LargeText());
    badCrc.corruptCrc = true;
    ZipEntrySpec storedBadCrc = FileEntry("stored.txt", "plain");
    storedBadCrc.deflate = false;
    storedBadCrc.corruptCrc = true;
    ZipEntrySpec endsEarly = FileEntry("short.txt", LargeText());
    endsEarly.expandedSizeOverride = static_cast<int64_t>(LargeText().size()) + 1000;
    const struct {
        const char* name;
        ZipEntrySpec entry;
    } rows[] = {{"deflated, wrong CRC", badCrc}, {"stored, wrong CRC", storedBadCrc}, {"inflate ends early", endsEarly}};
    for (const auto& row : rows) {
        std::string archive = Archive("broken.zip", {FileEntry("first.txt", "1"), row.entry, FileEntry("last.txt", "2")});
        std::string target = FreshFolder("D:\\zip\\t");
        EXPECT_EQ(Extract(archive, target), 0) << row.name;
        EXPECT_EQ(ReadWholeFile(target + "\\first.txt"), "1") << row.name;
        EXPECT_TRUE(Exists(target + "\\" + row.entry.name)) << row.name << ": the file stays as written";
        EXPECT_FALSE(Exists(target + "\\last.txt")) << row.name;
    }
}

TEST_F(ZipExtractionTest, NamesLeadingOutsideTheTargetAreRefusedBeforeAnythingIsWritten) {
    const std::string longName = std::string(251, 'n') + "/file.txt";
    const struct {
        const char* label;
        std::string name;
        bool folder;
    } rows[] = {
        {"parent", "../evil.txt", false},
        {"parent deeper", "in/../../evil.txt", false},
        {"parent folder entry", "../evildir/", true},
        {"bare parent folder", "../", true},
        {"parent via backslash", "in\\..\\..\\evil.txt", false},
        {"mixed separators", "in/..\\..\\evil.txt", false},
        {"backslash only", "in\\evil.txt", false},
        {"absolute slash", "/evil.txt", false},
        {"absolute backslash", "\\evil.txt", false},
        {"drive letter", "D:/evil.txt", false},
        {"drive relative", "D:evil.txt", false},
        {"drive folder entry", "C:/evildir/", true},
        {"UNC slashes", "//server/share/evil.txt", false},
        {"UNC backslashes", "\\\\server\\share\\evil.txt", false},
        {"dots and blanks", "in/.. /evil.txt", false},
        {"device name", "in/COM1.txt", false},
        {"260 bytes", longName, false},
    };
    for (const auto& row : rows) {
        std::string jail = FreshFolder("D:\\zip\\jail");
        CreateDirectoryA("D:\\zip\\jail\\inner", nullptr);
        std::string target = "D:\\zip\\jail\\inner\\target";
        ZipEntrySpec bad = row.folder ? FolderEntry(row.name) : FileEntry(row.name, "evil");
        std::string archive = Archive("evil.zip", {FolderEntry("in/"), FileEntry("in/good.txt", "good"), bad});

        EXPECT_EQ(Extract(archive, target), 0) << row.label;
        EXPECT_EQ(FolderNames(jail), std::set<std::string>{"inner"}) << row.label;
        EXPECT_EQ(FolderNames("D:\\zip\\jail\\inner"), std::set<std::string>{"target"}) << row.label;
        EXPECT_EQ(FolderNames(target), std::set<std::string>{}) << row.label << ": nothing is written at all";
        EXPECT_FALSE(Exists("D:\\evil.txt") || Exists("D:\\evildir") || Exists("C:\\evildir") ||
                     Exists("D:\\zip\\evil.txt"))
            << row.label;
    }
}

}  // namespace
}  // namespace varnesse
