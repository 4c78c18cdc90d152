#pragma once

#include <stdexcept>

#include "services/FatalError.h"

namespace varnesse {

struct FatalErrorRaised : std::runtime_error {
    explicit FatalErrorRaised(FatalError raised) : std::runtime_error(raised.message.Bytes()), error(raised) {}
    FatalError error;
};

}  // namespace varnesse
