// Writes the current file entry of an archive to disk, streamed.
#pragma once

#include <minizip/unzip.h>

#include <string>

#include "services/zip/EntryInformation.h"

namespace varnesse::zip {

// Replaces whatever file is at `path` (read-only, hidden and system ones
// included) with the entry's data, read and written in pieces of 16,384
// bytes, and gives it the entry's times. The file ends with only the
// "normal" attribute. False when the file cannot be created or written, or
// when the data does not expand to the recorded size or fails its CRC-32;
// the partly written file stays.
bool WriteFileEntry(unzFile archive, const EntryInformation& entry, const std::string& path);

}  // namespace varnesse::zip
