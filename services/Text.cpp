#include "services/Text.h"

#include <algorithm>
#include <cstdio>

#include "services/FatalError.h"

namespace varnesse {
namespace {

bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

char LowerAscii(char byte) { return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + 0x20) : byte; }

// Bytes of one character starting at `at`: 2 for a lead byte with a second
// byte, 1 otherwise; 0 when a lead byte is the last byte (the walk ends).
size_t CharacterWidth(const std::string& bytes, size_t at) {
    if (!IsLeadByte(bytes[at])) return 1;
    return at + 1 < bytes.size() ? 2 : 0;
}

bool MatchesAt(const std::string& text, size_t at, const std::string& searched, bool ignoreCase) {
    for (size_t i = 0; i < searched.size(); ++i) {
        char a = text[at + i];
        char b = searched[i];
        if (ignoreCase) {
            a = LowerAscii(a);
            b = LowerAscii(b);
        }
        if (a != b) return false;
    }
    return true;
}

}  // namespace

Text::Text(const char* bytes) : bytes_(bytes ? bytes : "") {}

Text::Text(std::string_view bytes) : bytes_(bytes.substr(0, bytes.find('\0'))) {}

const Text& TextList::At(int32_t position) const {
    if (position < 1) RaiseFatalRuntimeError({kErrorPositionBelowOne, kMessagePositionBelowOne});
    if (position > Count()) RaiseFatalRuntimeError({kErrorPositionAboveCount, kMessagePositionAboveCount});
    return items_[static_cast<size_t>(position - 1)];
}

Text ToLowerText(const Text& text) {
    std::string bytes = text.Bytes();
    for (size_t at = 0; at < bytes.size();) {
        size_t width = CharacterWidth(bytes, at);
        if (width == 0) break;
        if (width == 1) bytes[at] = LowerAscii(bytes[at]);
        at += width;
    }
    return Text(bytes);
}

int32_t CompareText(const Text& a, const Text& b) {
    const std::string& x = a.Bytes();
    const std::string& y = b.Bytes();
    for (size_t i = 0;; ++i) {
        unsigned cx = i < x.size() ? static_cast<unsigned char>(x[i]) : 0;
        unsigned cy = i < y.size() ? static_cast<unsigned char>(y[i]) : 0;
        if (cx != cy) return cx < cy ? -1 : 1;
        if (cx == 0) return 0;
    }
}

Text JoinText(const Text& a, const Text& b) { return Text(a.Bytes() + b.Bytes()); }

Text JoinText(const Text& a, const Text& b, const Text& c) { return Text(a.Bytes() + b.Bytes() + c.Bytes()); }

int32_t FindText(const Text& text, const Text& searched, std::optional<int32_t> start, bool ignoreCase) {
    const std::string& bytes = text.Bytes();
    const std::string& wanted = searched.Bytes();
    size_t from = 0;
    if (start) {
        if (*start > text.Length()) return -1;
        from = *start < 1 ? 0 : static_cast<size_t>(*start - 1);
    }
    if (wanted.empty()) return bytes.empty() ? -1 : static_cast<int32_t>(from + 1);
    for (size_t at = from; at + wanted.size() <= bytes.size();) {
        if (MatchesAt(bytes, at, wanted, ignoreCase)) return static_cast<int32_t>(at + 1);
        size_t width = CharacterWidth(bytes, at);
        if (width == 0) break;
        at += width;
    }
    return -1;
}

TextList SplitText(const Text& text, std::optional<Text> separator, std::optional<int32_t> maximumCount) {
    const std::string& bytes = text.Bytes();
    const std::string sep = separator ? separator->Bytes() : std::string(",");
    std::optional<int32_t> remaining;
    if (maximumCount) remaining = *maximumCount < 0 ? 0 : *maximumCount;
    TextList list;
    if (bytes.empty() || (remaining && *remaining == 0)) return list;
    if (sep.empty()) {
        list.Append(text);
        return list;
    }
    size_t pieceStart = 0;
    for (size_t at = 0; at + sep.size() <= bytes.size();) {
        if (bytes.compare(at, sep.size(), sep) == 0) {
            list.Append(Text(bytes.substr(pieceStart, at - pieceStart)));
            at += sep.size();
            pieceStart = at;
            if (remaining && --*remaining == 0) return list;
            continue;
        }
        size_t width = CharacterWidth(bytes, at);
        if (width == 0) break;
        at += width;
    }
    if (pieceStart < bytes.size()) list.Append(Text(bytes.substr(pieceStart)));
    return list;
}

Text LeftText(const Text& text, int32_t n) {
    if (n <= 0) return Text();
    return Text(text.Bytes().substr(0, static_cast<size_t>(n)));
}

Text RightText(const Text& text, int32_t n) {
    if (n <= 0) return Text();
    size_t k = std::min(static_cast<size_t>(n), text.Bytes().size());
    return Text(text.Bytes().substr(text.Bytes().size() - k));
}

int32_t TextLength(const Text& text) { return text.Length(); }

Text NumberToText(int32_t number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%ld", static_cast<long>(number));
    return Text(digits);
}

Text BlankText(int32_t n) { return n < 1 ? Text() : Text(std::string(static_cast<size_t>(n), ' ')); }

}  // namespace varnesse
