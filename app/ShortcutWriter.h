// Desktop shortcuts through the script host's shell object, and the two path
// helpers it uses.
#pragma once

#include <cstdint>
#include <optional>

#include "services/Services.h"

namespace varnesse {

// Writes a .lnk file in the desktop folder, whatever folder the link name
// gives; on return linkName holds the path that was used. True when the
// shortcut object was made and took the target; a failed save is not seen.
bool CreateShortcutLink(Services& services, Text& linkName, const Text& target,
                        std::optional<Text> arguments = std::nullopt, std::optional<Text> iconLocation = std::nullopt,
                        std::optional<int32_t> windowStyle = std::nullopt,
                        std::optional<Text> description = std::nullopt, std::optional<Text> hotKey = std::nullopt);

// The last component of the path, without its extension unless keepExtension.
Text FileTitleOf(Services& services, const Text& path, std::optional<bool> keepExtension = std::nullopt);

// The extension of the path's last component with its dot, or the empty text.
Text ExtensionOf(Services& services, const Text& path);

}  // namespace varnesse
