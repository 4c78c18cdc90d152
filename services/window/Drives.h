// Drive facts shared by ListDrives and the drive box.
#pragma once

#include "services/Text.h"

namespace varnesse::window {

// The letter of the process's current drive: the current directory's first
// character upper-cased when its second is a colon. A directory without a
// drive letter (\\server\share) gives '@', which names no drive, so paths
// built on it fail instead of landing somewhere unintended.
char CurrentDriveLetter();

// ASCII letters a-z upper-cased; every other byte unchanged.
char UpperCaseLetter(char letter);

}  // namespace varnesse::window
