#include "services/Utf16.h"

#include <windows.h>

namespace varnesse {

std::wstring ToUtf16(const Text& text) {
    const std::string& bytes = text.Bytes();
    if (bytes.empty()) return std::wstring();
    int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

Text FromUtf16(const wchar_t* text) {
    if (!text || !*text) return Text();
    int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return Text();
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, bytes.data(), length, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(length - 1));
    return Text(bytes);
}

}  // namespace varnesse
