// The payload bytes, taken into the program's read-only data by the
// assembler from the files that the build names in PayloadFiles.h. The
// archive and the uninstaller image are stored as byte blocks (dimension
// count, length, bytes); the QR picture and the icon as counted runs of the
// window description (length, bytes).
#include "payload/Payloads.h"

#include "PayloadFiles.h"

// Each label names the first field of its payload; the lengths are worked
// out by the assembler from the included files.
asm(".section .rdata,\"dr\"\n"
    ".balign 4\n"
    "varnesse_client_archive_block:\n"
    "  .long 1\n"
    "  .long 2f - 1f\n"
    "1: .incbin \"" VARNESSE_CLIENT_ARCHIVE_FILE "\"\n"
    "2:\n"
    ".balign 4\n"
    "varnesse_uninstaller_image_block:\n"
    "  .long 1\n"
    "  .long 2f - 1f\n"
    "1: .incbin \"" VARNESSE_UNINSTALLER_IMAGE_FILE "\"\n"
    "2:\n"
    ".balign 4\n"
    "varnesse_qr_picture_run:\n"
    "  .long 2f - 1f\n"
    "1: .incbin \"" VARNESSE_QR_PICTURE_FILE "\"\n"
    "2:\n"
    ".balign 4\n"
    "varnesse_window_icon_run:\n"
    "  .long 2f - 1f\n"
    "1: .incbin \"" VARNESSE_WINDOW_ICON_FILE "\"\n"
    "2:\n"
    ".text\n");

extern "C" {
extern const uint8_t clientArchiveBlock[] asm("varnesse_client_archive_block");
extern const uint8_t uninstallerImageBlock[] asm("varnesse_uninstaller_image_block");
extern const uint8_t qrPictureRun[] asm("varnesse_qr_picture_run");
extern const uint8_t windowIconRun[] asm("varnesse_window_icon_run");
}

namespace varnesse::payload {

namespace {

// A counted run of the window description: a 4-byte length, then the bytes.
ByteBlock CountedRunAt(const uint8_t* stored) {
    uint32_t length = static_cast<uint32_t>(stored[0]) | static_cast<uint32_t>(stored[1]) << 8 |
                      static_cast<uint32_t>(stored[2]) << 16 | static_cast<uint32_t>(stored[3]) << 24;
    return ByteBlock{stored + 4, length};
}

}  // namespace

ByteBlock ClientArchive() { return ByteBlockAt(clientArchiveBlock); }
ByteBlock UninstallerImage() { return ByteBlockAt(uninstallerImageBlock); }
ByteBlock QrPicture() { return CountedRunAt(qrPictureRun); }
ByteBlock WindowIcon() { return CountedRunAt(windowIconRun); }

}  // namespace varnesse::payload
