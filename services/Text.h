// Byte text in the ANSI code page (GBK, 936) and the text operations the
// logic uses. Lengths and positions count bytes, positions from 1, -1 when
// nothing is found; walks follow the double-byte rule (a byte >= 0x80 and the
// byte after it are one character).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnesse {

class Text {
public:
    Text() = default;
    // Takes the bytes up to the first zero byte: a Text never holds one.
    Text(const char* bytes);  // NOLINT(google-explicit-constructor): texts are written as literals
    Text(std::string_view bytes);  // NOLINT(google-explicit-constructor)

    const std::string& Bytes() const { return bytes_; }
    const char* CString() const { return bytes_.c_str(); }
    bool IsEmpty() const { return bytes_.empty(); }
    int32_t Length() const { return static_cast<int32_t>(bytes_.size()); }

    friend bool operator==(const Text& a, const Text& b) { return a.bytes_ == b.bytes_; }
    friend bool operator!=(const Text& a, const Text& b) { return a.bytes_ != b.bytes_; }

private:
    std::string bytes_;
};

// An ordered list of texts at positions 1 to Count(). Reading outside that
// range is a fatal run-time error (code 4 below 1, code 1 above the count).
class TextList {
public:
    TextList() = default;
    explicit TextList(std::vector<Text> items) : items_(std::move(items)) {}

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    const Text& At(int32_t position) const;
    void Append(Text item) { items_.push_back(std::move(item)); }
    const std::vector<Text>& Items() const { return items_; }

    friend bool operator==(const TextList& a, const TextList& b) { return a.items_ == b.items_; }

private:
    std::vector<Text> items_;
};

Text ToLowerText(const Text& text);
int32_t CompareText(const Text& a, const Text& b);
Text JoinText(const Text& a, const Text& b);
Text JoinText(const Text& a, const Text& b, const Text& c);
int32_t FindText(const Text& text, const Text& searched, std::optional<int32_t> start, bool ignoreCase);
TextList SplitText(const Text& text, std::optional<Text> separator = std::nullopt,
                   std::optional<int32_t> maximumCount = std::nullopt);
Text LeftText(const Text& text, int32_t n);
Text RightText(const Text& text, int32_t n);
int32_t TextLength(const Text& text);
Text NumberToText(int32_t number);
Text BlankText(int32_t n);

}  // namespace varnesse
