// The carried payloads, written through the file writer as the installer
// writes them: each file holds exactly the payload's bytes, never the
// header fields of its stored form. The files stay in D:\payload for the
// scenario test that inspects them from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "payload/Payloads.h"
#include "services/Owners.h"
#include "services/Win32Services.h"

namespace varnesse {
namespace {

uint32_t WordBefore(const ByteBlock& block, int offset) {
    const uint8_t* at = block.data - offset;
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

std::vector<uint8_t> ReadWholeFile(const char* path) {
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::vector<uint8_t> bytes(GetFileSize(file.Get(), nullptr));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        return {};
    }
    return bytes;
}

struct PayloadCase {
    const char* file;
    ByteBlock block;
    std::string magic;
    bool byteBlock;  // stored with the dimension count; else a counted run
};

TEST(Payloads, WrittenFilesHoldExactlyThePayloadBytes) {
    ASSERT_TRUE(CreateDirectoryA("D:\\payload", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    const PayloadCase cases[] = {
        {"D:\\payload\\QARN客户端资源.zip", payload::ClientArchive(), std::string("PK\3\4", 4), true},
        {"D:\\payload\\qarnUninstall.exe", payload::UninstallerImage(), "MZ", true},
        {"D:\\payload\\QrPicture.png", payload::QrPicture(), "\x89PNG\r\n\x1a\n", false},
        {"D:\\payload\\WindowIcon.ico", payload::WindowIcon(), std::string("\0\0\1\0\1\0", 6), false},
    };
    Win32Services services;
    for (const PayloadCase& row : cases) {
        SCOPED_TRACE(row.file);
        ASSERT_GT(row.block.length, row.magic.size());
        if (row.byteBlock) {
            EXPECT_EQ(WordBefore(row.block, 8), 1u) << "dimension count";
            EXPECT_EQ(WordBefore(row.block, 4), row.block.length) << "length field";
        } else {
            EXPECT_EQ(WordBefore(row.block, 4), row.block.length) << "count of the run";
        }
        ASSERT_EQ(services.WriteBytesToFile(row.file, {row.block}), 1);
        std::vector<uint8_t> written = ReadWholeFile(row.file);
        ASSERT_EQ(written.size(), row.block.length);
        EXPECT_EQ(std::memcmp(written.data(), row.magic.data(), row.magic.size()), 0) << "leading bytes";
        EXPECT_EQ(std::memcmp(written.data(), row.block.data, row.block.length), 0) << "content";
    }
}

}  // namespace
}  // namespace varnesse
