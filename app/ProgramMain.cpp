#include "app/ProgramMain.h"

#include "app/InstallerTexts.h"
#include "app/RememberedDrive.h"

namespace varnesse {

int32_t ProgramMain(Services& services) {
    services.StartWindowRuntime();
    services.AddExitCallback(ReleaseRememberedDrive);
    services.LoadStartWindow(texts::kMainWindow);
    services.RunMessageLoop();
    return 0;
}

}  // namespace varnesse
