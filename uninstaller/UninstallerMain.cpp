#include "uninstaller/UninstallerMain.h"

namespace varnesse {

int32_t UninstallerMain(Services& services) {
    services.StartWindowRuntime();
    services.LoadStartWindow(1375797249);
    services.RunMessageLoop();
    return 0;
}

}  // namespace varnesse
