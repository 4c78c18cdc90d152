#include "app/RememberedDrive.h"

#include <utility>

namespace varnesse {
namespace {

// Program-wide because the exit clean-up is a plain function without arguments.
Text& Storage() {
    static Text remembered;
    return remembered;
}

}  // namespace

const Text& RememberedDrive() { return Storage(); }

void SetRememberedDrive(Text drive) { Storage() = std::move(drive); }

void ReleaseRememberedDrive() { Storage() = Text(); }

}  // namespace varnesse
