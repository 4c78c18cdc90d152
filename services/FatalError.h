// The one way a misuse that cannot be answered with a result ends the
// program: a report box "运行时出错!", exit callbacks discarded, exit code -1.
#pragma once

#include <cstdint>
#include <optional>

#include "services/Text.h"

namespace varnesse {

struct FatalError {
    std::optional<int32_t> code;  // left out for the errors that have no number
    Text message;
};

// Numbered errors of list access.
inline constexpr int32_t kErrorPositionAboveCount = 1;
inline constexpr int32_t kErrorPositionBelowOne = 4;
inline const char* const kMessagePositionAboveCount = "数组成员引用下标超出定义范围";
inline const char* const kMessagePositionBelowOne = "数组成员引用下标必须大于等于1";

// Defined by the window runtime in the programs, and by a throwing stand-in
// in the unit tests of the logic. Never returns.
[[noreturn]] void RaiseFatalRuntimeError(const FatalError& error);

}  // namespace varnesse
