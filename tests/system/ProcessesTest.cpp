// The process snapshot and starting command lines on the real system.
#include <windows.h>

#include <gtest/gtest.h>

#include "services/Win32Services.h"

namespace {

TEST(ListProcesses, ListsThisProcessWithItsName) {
    varnesse::Win32Services services;
    const auto processes = services.ListProcesses();
    ASSERT_FALSE(processes.empty());
    bool found = false;
    for (const auto& process : processes) {
        if (process.ProcessId != GetCurrentProcessId()) continue;
        found = true;
        EXPECT_EQ(process.ExeName, varnesse::Text("system_tests.exe"));
        EXPECT_GE(process.ThreadCount, 1u);
    }
    EXPECT_TRUE(found);
}

TEST(RunCommandLine, WaitsForTheCommandOnlyWhenAsked) {
    varnesse::Win32Services services;
    const char* marker = "C:\\run-command-marker.txt";
    DeleteFileA(marker);
    EXPECT_TRUE(services.RunCommandLine("cmd /c echo done> C:\\run-command-marker.txt", true, 1));
    EXPECT_NE(GetFileAttributesA(marker), INVALID_FILE_ATTRIBUTES) << "waited until the command ended";
    DeleteFileA(marker);
    // A command that starts but then fails is still started.
    EXPECT_TRUE(services.RunCommandLine("cmd /c exit 3", std::nullopt, std::nullopt));
    EXPECT_FALSE(services.RunCommandLine("C:\\nowhere\\missing.exe", true, 1));
}

}  // namespace
