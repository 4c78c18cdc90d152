// The installer's frame: start the runtime, open the main window, run the loop.
#pragma once

#include "services/Services.h"

namespace varnesse {

int32_t ProgramMain(Services& services);

}  // namespace varnesse
