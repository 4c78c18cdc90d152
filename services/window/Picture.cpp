#include "services/window/Picture.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <new>

namespace varnesse::window {
namespace {

bool StartsWith(const Bytes& bytes, std::initializer_list<uint8_t> signature) {
    return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
}

// A PCX header: manufacturer 0x0A, a known version, RLE or no encoding, and
// a plain bit depth.
bool IsPcxHeader(const Bytes& bytes) {
    if (bytes[0] != 0x0A) return false;
    uint8_t version = bytes[1], encoding = bytes[2], depth = bytes[3];
    bool knownVersion = version == 0 || version == 2 || version == 3 || version == 4 || version == 5;
    bool knownDepth = depth == 1 || depth == 2 || depth == 4 || depth == 8;
    return knownVersion && encoding <= 1 && knownDepth;
}

// Pictures larger than this are refused rather than risking the memory.
constexpr size_t kMostPixelBytes = 256u * 1024u * 1024u;

std::optional<Picture> DecodePng(const Bytes& bytes) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return std::nullopt;
    image.format = PNG_FORMAT_BGRA;
    size_t size = PNG_IMAGE_SIZE(image);
    if (image.width == 0 || image.height == 0 || image.width > 0x7FFFFFFF / 4 ||
        size / 4 / image.width != image.height || size > kMostPixelBytes) {
        png_image_free(&image);
        return std::nullopt;
    }
    Picture picture;
    picture.format = PictureFormat::Png;
    picture.width = static_cast<int32_t>(image.width);
    picture.height = static_cast<int32_t>(image.height);
    try {
        picture.bgra.resize(size);
    } catch (const std::bad_alloc&) {
        png_image_free(&image);
        return std::nullopt;
    }
    // finish_read releases the reader on success and on failure.
    if (!png_image_finish_read(&image, nullptr, picture.bgra.data(), 0, nullptr)) return std::nullopt;
    return picture;
}

}  // namespace

PictureFormat RecognisePictureFormat(const Bytes& bytes) {
    if (bytes.size() < 8) return PictureFormat::Unknown;
    if (StartsWith(bytes, {'B', 'M'})) return PictureFormat::Bitmap;
    if (StartsWith(bytes, {0xFF, 0xD8})) return PictureFormat::Jpeg;
    if (StartsWith(bytes, {0x89, 'P', 'N', 'G'})) return PictureFormat::Png;
    if (StartsWith(bytes, {0x00, 0x00, 0x01, 0x00})) return PictureFormat::Icon;
    if (StartsWith(bytes, {0x00, 0x00, 0x02, 0x00})) return PictureFormat::Cursor;
    if (StartsWith(bytes, {'G', 'I', 'F', '8', '7', 'a'}) || StartsWith(bytes, {'G', 'I', 'F', '8', '9', 'a'})) {
        return PictureFormat::Gif;
    }
    if (IsPcxHeader(bytes)) return PictureFormat::Pcx;
    return PictureFormat::Unknown;
}

std::optional<Picture> LoadPicture(const Bytes& bytes) {
    if (RecognisePictureFormat(bytes) != PictureFormat::Png) return std::nullopt;
    return DecodePng(bytes);
}

}  // namespace varnesse::window
