// The uninstaller's frame: the same runtime as the installer's.
#pragma once

#include "services/Services.h"

namespace varnesse {

int32_t UninstallerMain(Services& services);

}  // namespace varnesse
