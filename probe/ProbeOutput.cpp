#include <cstdio>
#include <cstdlib>

#include "probe/Probe.h"

namespace varnesse::probe {

void PrintInteger(int64_t value) { std::printf("%lld\n", static_cast<long long>(value)); }

void PrintText(const Text& text) {
    std::fwrite(text.Bytes().data(), 1, text.Bytes().size(), stdout);
    std::fputc('\n', stdout);
}

void PrintTextList(const TextList& list) {
    for (const Text& item : list.Items()) PrintText(item);
}

int32_t IntegerArgument(const Text& argument) {
    return static_cast<int32_t>(std::strtol(argument.CString(), nullptr, 10));
}

std::optional<Text> OptionalArgument(const Arguments& arguments, size_t index) {
    if (index < arguments.size()) return arguments[index];
    return std::nullopt;
}

std::optional<int32_t> OptionalIntegerArgument(const Arguments& arguments, size_t index) {
    if (index < arguments.size()) return IntegerArgument(arguments[index]);
    return std::nullopt;
}

}  // namespace varnesse::probe
