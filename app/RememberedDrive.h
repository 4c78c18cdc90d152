// The remembered drive: the installer's one program-wide value. Set by the
// main window's created event from the registry (a drive letter, or the
// sentinel "shibai"), read by the install procedure, released at program end.
#pragma once

#include "services/Text.h"

namespace varnesse {

const Text& RememberedDrive();
void SetRememberedDrive(Text drive);
// The exit clean-up, registered with AddExitCallback.
void ReleaseRememberedDrive();

}  // namespace varnesse
