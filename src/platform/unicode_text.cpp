#include "platform/unicode_text.h"

namespace kestrune {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHigh(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Calls emit with each code point of text.
template <typename Emit>
void ForEachCodePoint(std::wstring_view text, Emit emit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<char32_t>(text[i]);
    if (IsHigh(c) && i + 1 < text.size() && IsLow(static_cast<char32_t>(text[i + 1]))) {
      emit(0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00));
    } else if (IsHigh(c) || IsLow(c) || c > 0x10FFFF) {
      emit(kReplacement);
    } else {
      emit(c);
    }
  }
}

}  // namespace

std::string Utf8Bytes(std::wstring_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  ForEachCodePoint(text, [&out](char32_t c) {
    const auto put = [&out](char32_t bits) { out += static_cast<char>(bits); };
    if (c < 0x80) {
      put(c);
    } else if (c < 0x800) {
      put(0xC0 | c >> 6);
      put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      put(0xE0 | c >> 12);
      put(0x80 | (c >> 6 & 0x3F));
      put(0x80 | (c & 0x3F));
    } else {
      put(0xF0 | c >> 18);
      put(0x80 | (c >> 12 & 0x3F));
      put(0x80 | (c >> 6 & 0x3F));
      put(0x80 | (c & 0x3F));
    }
  });
  return out;
}

std::string Utf16LeBytes(std::wstring_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  const auto unit = [&out](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  };
  ForEachCodePoint(text, [&unit](char32_t c) {
    if (c < 0x10000) return unit(c);
    unit(0xD800 + ((c - 0x10000) >> 10));
    unit(0xDC00 + ((c - 0x10000) & 0x3FF));
  });
  return out;
}

}  // namespace kestrune
