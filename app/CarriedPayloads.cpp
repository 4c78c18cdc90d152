// The install press with the payload blocks that the program carries.
#include "app/InstallerHandlers.h"
#include "payload/Payloads.h"

namespace varnesse {

void OnInstallPressed(Services& services, int32_t x, int32_t y, int32_t modifierKeys) {
    OnInstallPressed(services, InstallerPayloads{payload::ClientArchive(), payload::UninstallerImage()}, x, y,
                     modifierKeys);
}

}  // namespace varnesse
