// probe.exe: runs one service operation on the real system and prints its
// result. A test driver only; never shipped or embedded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "services/Services.h"

namespace varnesse::probe {

using Arguments = std::vector<Text>;

struct ProbeCommand {
    const char* name;
    int minimumArguments;
    int maximumArguments;
    // Runs the operation and prints its result; returns the exit code.
    int (*run)(Services& services, const Arguments& arguments);
};

// Output forms: an integer or logical as a decimal number, a text as its raw
// bytes, lists one element per line.
void PrintInteger(int64_t value);
void PrintText(const Text& text);
void PrintTextList(const TextList& list);

// Argument forms: integers in decimal.
int32_t IntegerArgument(const Text& argument);
// A trailing optional argument: left out when the command line ends before it.
std::optional<Text> OptionalArgument(const Arguments& arguments, size_t index);
std::optional<int32_t> OptionalIntegerArgument(const Arguments& arguments, size_t index);

std::vector<ProbeCommand> TextCommands();
std::vector<ProbeCommand> DiskCommands();
std::vector<ProbeCommand> ShellCommands();
std::vector<ProbeCommand> ArchiveCommands();
std::vector<ProbeCommand> WindowCommands();
std::vector<ProbeCommand> PictureCommands();

}  // namespace varnesse::probe
