// Placeholder until the extraction lands.
#include "services/Win32Services.h"

namespace varnesse {
int32_t Win32Services::ExtractArchive(const WindowUnit&, const Text&, const Text&) { return 0; }
}  // namespace varnesse
