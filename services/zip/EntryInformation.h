// What the extraction knows of one entry: its name as stored, the file
// attributes and times it gets on disk, and its sizes.
#pragma once

#include <windows.h>

#include <minizip/unzip.h>

#include <cstdint>
#include <optional>
#include <string>

namespace varnesse::zip {

struct EntryInformation {
    std::string name;  // exactly as stored: no code-page conversion
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    std::optional<FILETIME> creationTime, accessTime, writeTime;
    uint64_t compressedSize = 0;
    uint64_t expandedSize = 0;

    bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

// Reads the current entry's central record and checks its local header,
// whose extra field may carry the times. False when either is unreadable or
// inconsistent, the name is 260 bytes or more, the entry is encrypted or its
// method is neither stored (0) nor deflated (8).
bool ReadEntryInformation(unzFile archive, EntryInformation& entry);

// File attributes from the external attributes of a central record.
DWORD AttributesFromExternal(uint32_t external);

}  // namespace varnesse::zip
