#include "platform/unicode_text.h"

#include <cstddef>

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

// The code point of the UTF-8 sequence at bytes[at], moving at past it; none when it is malformed.
std::optional<char32_t> NextUtf8(std::string_view bytes, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(bytes[at++]);
  if (lead < 0x80) return lead;
  const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (more == 0 || lead > 0xF4 || bytes.size() - at < static_cast<std::size_t>(more)) return std::nullopt;
  char32_t c = lead & (0x3F >> more);
  for (int i = 0; i < more; ++i) {
    const auto next = static_cast<unsigned char>(bytes[at++]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = c << 6 | (next & 0x3F);
  }
  constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
  if (c < kShortest[more] || c > 0x10FFFF || IsHigh(c) || IsLow(c)) return std::nullopt;
  return c;
}

}  // namespace

std::optional<std::wstring> Utf8Text(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const std::optional<char32_t> c = NextUtf8(bytes, at);
    if (!c) return std::nullopt;
    if constexpr (sizeof(wchar_t) == 2) {
      if (*c >= 0x10000) {
        text += static_cast<wchar_t>(0xD800 + ((*c - 0x10000) >> 10));
        text += static_cast<wchar_t>(0xDC00 + ((*c - 0x10000) & 0x3FF));
        continue;
      }
    }
    text += static_cast<wchar_t>(*c);
  }
  return text;
}

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
