// Placeholder until the registry operations land.
#include "services/Win32Services.h"

namespace varnesse {
Text Win32Services::ReadRegistryText(int32_t, const Text&, std::optional<Text> d) { return d.value_or(Text()); }
int32_t Win32Services::WriteRegistryValue(int32_t, const Text&, const RegistryValue&) { return 0; }
int32_t Win32Services::DeleteRegistryItem(int32_t, const Text&) { return 0; }
}  // namespace varnesse
