// The archive component's progress event: raised after every handled entry
// and once more at the end of a call, with the percentage done, through the
// component's window when it exists. No handler is bound in this system, so
// the walk never stops early; the component keeps a record of what it last
// reported.
#pragma once

#include <cstdint>

#include "services/Services.h"

namespace varnesse::zip {

struct ProgressRecord {
    WindowUnit component;
    int32_t total = 0;
    int32_t lastIndex = -1;   // index of the last handled entry, -1 for none
    Text currentFile;         // full path of the last handled entry
    int32_t eventCount = 0;   // events raised in the last call
    int32_t lastPercentage = 0;
};

// What the component reported during the last extraction (its current file
// is the one thing kept from one call to the next).
const ProgressRecord& LastExtractionProgress();

class ExtractionProgress {
public:
    explicit ExtractionProgress(const WindowUnit& component);
    void SetTotal(int32_t total);
    // Records an entry as handled and raises the event; true when a handler
    // asked to stop.
    bool EntryHandled(int32_t index, const Text& path);
    // The event at the end of the call (none after a stop).
    void Finish();

private:
    void Raise(int32_t done);
    bool stopped_ = false;
};

}  // namespace varnesse::zip
