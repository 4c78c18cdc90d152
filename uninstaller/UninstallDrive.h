// The uninstall drive: the uninstaller's one program-wide value, the drive
// letter that the installer recorded (or the sentinel "shibai"), released at
// program end.
#pragma once

#include "services/Text.h"

namespace varnesse {

const Text& UninstallDrive();
void SetUninstallDrive(Text drive);
// The exit clean-up, registered with AddExitCallback.
void ReleaseUninstallDrive();

}  // namespace varnesse
