// Pictures given as bytes: the format recognised by the first bytes, and a
// PNG decoded once into 8-bit blue, green, red, alpha pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "services/Services.h"

namespace varnesse::window {

enum class PictureFormat { Unknown, Bitmap, Jpeg, Png, Icon, Cursor, Gif, Pcx };

struct Picture {
    PictureFormat format = PictureFormat::Unknown;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bgra;  // width * height * 4 bytes, rows from top to bottom
};

// Unknown for fewer than 8 bytes or first bytes of no known format.
PictureFormat RecognisePictureFormat(const Bytes& bytes);

// The decoded picture, or nothing: unrecognised bytes, a PNG that does not
// decode, or a format this program does not draw (only PNG is decoded).
std::optional<Picture> LoadPicture(const Bytes& bytes);

}  // namespace varnesse::window
