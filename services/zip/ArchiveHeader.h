// The quick look at a file before it is opened as an archive.
#pragma once

#include "services/Text.h"

namespace varnesse::zip {

// True when the file's first 32 bytes start with a local file header
// signature (50 4B 03 04) and the signed value at offset 24 (upper half of
// the first entry's size, then its name length) is at least 1.
bool HasArchiveHeader(const Text& path);

}  // namespace varnesse::zip
