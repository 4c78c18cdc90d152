// The main window's two handlers, for the window description to bind:
// event 0 (created) of the window runs OnMainWindowCreated, event -1 (left
// button pressed) of the install label runs OnInstallPressed with the event's
// three arguments.
//
// The install procedure writes two payload blocks. The four-argument
// OnInstallPressed takes them from the blocks carried in the program
// (payload::ClientArchive and payload::UninstallerImage; it is defined apart,
// so only a program that binds it links the payload library); the overload
// with InstallerPayloads is the procedure itself, which the tests drive with
// blocks of their own.
#pragma once

#include <cstdint>

#include "services/ByteBlock.h"
#include "services/Services.h"

namespace varnesse {

struct InstallerPayloads {
    ByteBlock clientArchive;     // written as "QARN客户端资源.zip" and extracted
    ByteBlock uninstallerImage;  // written as "qarnUninstall.exe"
};

// Reads the remembered drive; on a first installation with more than one
// fixed disk preselects the first of them in the drive box.
void OnMainWindowCreated(Services& services);

// The whole installation. The pointer position and modifier keys are ignored.
void OnInstallPressed(Services& services, int32_t x, int32_t y, int32_t modifierKeys);
void OnInstallPressed(Services& services, const InstallerPayloads& payloads, int32_t x, int32_t y,
                      int32_t modifierKeys);

}  // namespace varnesse
