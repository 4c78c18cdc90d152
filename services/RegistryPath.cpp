#include "services/RegistryPath.h"

namespace varnesse {

HKEY RegistryRoot(int32_t rootNumber) {
    switch (rootNumber) {
        case 1: return HKEY_CLASSES_ROOT;
        case 2: return HKEY_CURRENT_CONFIG;
        case 4: return HKEY_LOCAL_MACHINE;
        case 5: return HKEY_USERS;
        default: return HKEY_CURRENT_USER;
    }
}

RegistryValuePath SplitRegistryPath(const Text& valuePath) {
    const std::string& bytes = valuePath.Bytes();
    size_t lastBackslash = std::string::npos;
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x80) {
            ++i;  // the trail byte belongs to this character, whatever its value
        } else if (byte == '\\') {
            lastBackslash = i;
        }
    }
    if (lastBackslash == std::string::npos) return {std::string(), bytes};
    return {bytes.substr(0, lastBackslash), bytes.substr(lastBackslash + 1)};
}

}  // namespace varnesse
