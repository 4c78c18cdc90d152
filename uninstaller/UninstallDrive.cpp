#include "uninstaller/UninstallDrive.h"

#include <utility>

namespace varnesse {
namespace {

// Program-wide because the exit clean-up is a plain function without arguments.
Text& Storage() {
    static Text drive;
    return drive;
}

}  // namespace

const Text& UninstallDrive() { return Storage(); }

void SetUninstallDrive(Text drive) { Storage() = std::move(drive); }

void ReleaseUninstallDrive() { Storage() = Text(); }

}  // namespace varnesse
