// Text crosses into COM and the shell as UTF-16 converted from the ANSI code
// page (CP_ACP, GBK here), and comes back the same way: this is the one place.
#pragma once

#include <string>

#include "services/Text.h"

namespace varnesse {

std::wstring ToUtf16(const Text& text);
Text FromUtf16(const wchar_t* text);

}  // namespace varnesse
