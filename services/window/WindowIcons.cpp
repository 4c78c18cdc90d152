#include "services/window/WindowIcons.h"

#include <cstdlib>

namespace varnesse::window {
namespace {

uint32_t ReadLittleEndian(const Bytes& bytes, size_t offset, int width) {
    uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = value << 8 | bytes[offset + i];
    return value;
}

}  // namespace

IconHandle IconFromIcoBytes(const Bytes& ico, int size) {
    // ICONDIR: reserved 0, type 1, count; then 16-byte entries.
    if (ico.size() < 6 || ReadLittleEndian(ico, 0, 2) != 0 || ReadLittleEndian(ico, 2, 2) != 1) return {};
    size_t count = ReadLittleEndian(ico, 4, 2);
    if (ico.size() < 6 + count * 16) return {};

    size_t best = count;
    int bestDistance = 0, bestDepth = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t entry = 6 + i * 16;
        int width = ico[entry] == 0 ? 256 : ico[entry];
        int depth = static_cast<int>(ReadLittleEndian(ico, entry + 6, 2));
        uint32_t length = ReadLittleEndian(ico, entry + 8, 4);
        uint32_t offset = ReadLittleEndian(ico, entry + 12, 4);
        if (length == 0 || offset > ico.size() || length > ico.size() - offset) continue;
        int distance = std::abs(width - size);
        if (best == count || distance < bestDistance || (distance == bestDistance && depth > bestDepth)) {
            best = i;
            bestDistance = distance;
            bestDepth = depth;
        }
    }
    if (best == count) return {};
    size_t entry = 6 + best * 16;
    uint32_t length = ReadLittleEndian(ico, entry + 8, 4);
    uint32_t offset = ReadLittleEndian(ico, entry + 12, 4);
    // The call reads the image in place but takes a non-const pointer.
    Bytes image(ico.begin() + offset, ico.begin() + offset + length);
    return IconHandle(CreateIconFromResourceEx(image.data(), length, TRUE, 0x00030000, size, size,
                                               LR_DEFAULTCOLOR));
}

}  // namespace varnesse::window
