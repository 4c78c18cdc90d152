// The payloads carried in the installer: read-only, alive for the whole run.
#pragma once

#include "services/ByteBlock.h"

namespace varnesse::payload {

ByteBlock ClientArchive();     // the ZIP written as "QARN客户端资源.zip"
ByteBlock UninstallerImage();  // the uninstaller program, written as "qarnUninstall.exe"
ByteBlock QrPicture();         // PNG shown by the picture box
ByteBlock WindowIcon();        // ICO of the main window

}  // namespace varnesse::payload
