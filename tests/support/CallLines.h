// Helpers for comparing the recorded calls of RecordingServices: quoting and
// a whole-list comparison whose failure shows the first differing line.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnesse {

using CallLines = std::vector<std::string>;

inline std::string Q(const std::string& text) { return "\"" + text + "\""; }

inline CallLines operator+(CallLines a, const CallLines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Texts are GBK; pipe the output through iconv -f GBK to read them.
inline ::testing::AssertionResult SameCalls(const CallLines& actual, const CallLines& expected) {
    size_t common = std::min(actual.size(), expected.size());
    size_t first = 0;
    while (first < common && actual[first] == expected[first]) ++first;
    if (first == common && actual.size() == expected.size()) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    failure << "calls differ at line " << first + 1 << " (" << actual.size() << " recorded, " << expected.size()
            << " expected)\n  expected: " << (first < expected.size() ? expected[first] : "<end>")
            << "\n  recorded: " << (first < actual.size() ? actual[first] : "<end>") << "\n recorded calls:\n";
    for (size_t i = 0; i < actual.size(); ++i) failure << "  " << (i + 1) << ": " << actual[i] << "\n";
    return failure;
}

}  // namespace varnesse
