// The installer's special-folder resolver: kinds 1 to 12 (0 and left out
// mean 3, the desktop folder), always ending in a backslash; the empty text
// for other kinds or when the system gives no folder.
#pragma once

#include <cstdint>
#include <optional>

#include "services/Services.h"

namespace varnesse {

Text SpecialFolderPath(Services& services, std::optional<int32_t> kind = std::nullopt);

}  // namespace varnesse
