// How a registry operation's root number and value path name a value.
#pragma once

#include <windows.h>

#include <string>

#include "services/Text.h"

namespace varnesse {

// 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 3 HKEY_CURRENT_USER,
// 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS; any other number HKEY_CURRENT_USER.
HKEY RegistryRoot(int32_t rootNumber);

struct RegistryValuePath {
    std::string keyPath;    // relative to the root; empty for the root itself
    std::string valueName;  // empty for the key's default value
};

// Splits at the last backslash that is a character of its own (a GBK trail
// byte 0x5C never splits). Without a backslash the whole path is the name.
RegistryValuePath SplitRegistryPath(const Text& valuePath);

}  // namespace varnesse
