#include "uninstaller/UninstallerMain.h"

#include "uninstaller/UninstallDrive.h"
#include "uninstaller/UninstallerTexts.h"

namespace varnesse {

int32_t UninstallerMain(Services& services) {
    services.StartWindowRuntime();
    services.AddExitCallback(ReleaseUninstallDrive);
    services.LoadStartWindow(uninstall_texts::kUninstallerWindow);
    services.RunMessageLoop();
    return 0;
}

}  // namespace varnesse
