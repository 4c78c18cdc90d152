#include "services/zip/ExtractionProgress.h"

#include "services/window/RuntimeState.h"

namespace varnesse::zip {
namespace {

// The component's own event, numbered like the drive box's.
constexpr int32_t kProgressEvent = 0;

ProgressRecord& Record() {
    static ProgressRecord record;
    return record;
}

// done / total * 100, truncated; with nothing to extract there is no
// meaningful share and 0 is reported.
int32_t Percentage(int32_t done, int32_t total) {
    if (total <= 0) return 0;
    return static_cast<int32_t>(static_cast<double>(done) / static_cast<double>(total) * 100.0);
}

}  // namespace

const ProgressRecord& LastExtractionProgress() { return Record(); }

ExtractionProgress::ExtractionProgress(const WindowUnit& component) {
    ProgressRecord& record = Record();
    record.component = component;
    record.total = 0;
    record.lastIndex = -1;
    record.eventCount = 0;
    record.lastPercentage = 0;
}

void ExtractionProgress::SetTotal(int32_t total) { Record().total = total; }

bool ExtractionProgress::EntryHandled(int32_t index, const Text& path) {
    ProgressRecord& record = Record();
    record.lastIndex = index;
    record.currentFile = path;
    Raise(index);
    return stopped_;
}

void ExtractionProgress::Finish() {
    if (!stopped_) Raise(Record().total);
}

// Raised through the component's window while that window exists; a handler
// that answers false stops the walk after the current entry.
void ExtractionProgress::Raise(int32_t done) {
    ProgressRecord& record = Record();
    record.lastPercentage = Percentage(done, record.total);
    ++record.eventCount;
    window::WindowRecord* owner = window::FindWindowRecord(record.component.windowId);
    if (!owner || !owner->live) return;
    std::optional<bool> answer =
        window::FireEvent(*owner, record.component.controlId, kProgressEvent, {record.lastPercentage});
    if (answer && !*answer) stopped_ = true;
}

}  // namespace varnesse::zip
