// Icons of a window from the bytes of an ICO file.
#pragma once

#include <windows.h>

#include "services/Owners.h"
#include "services/Services.h"

namespace varnesse::window {

// The image of the ICO that fits `size` best, as an icon; empty when the
// bytes hold no usable image.
IconHandle IconFromIcoBytes(const Bytes& ico, int size);

}  // namespace varnesse::window
