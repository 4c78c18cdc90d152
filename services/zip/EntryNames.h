// Which entry names may be joined to the target folder.
#pragma once

#include <string>

namespace varnesse::zip {

// True for a plain relative name that stays inside the target folder: not
// empty and shorter than 260 bytes; no leading "/", no backslash byte, no
// colon (drive letters, streams); no component made only of dots (and
// blanks), such as ".."; no device name such as "CON" or "COM1".
bool IsContainedEntryName(const std::string& name);

// The name with every "/" byte replaced by "\".
std::string WithBackslashes(std::string name);

}  // namespace varnesse::zip
