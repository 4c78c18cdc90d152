// The whole uninstallation, run by the created event of the uninstaller's
// window; it always ends the program with exit code 0.
#pragma once

#include "services/Services.h"

namespace varnesse {

void OnUninstallerWindowCreated(Services& services);

}  // namespace varnesse
