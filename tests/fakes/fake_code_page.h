#pragma once
// A double-byte code page shaped like Shift JIS: lead bytes 0x81-0x9F and 0xE0-0xFC, trail bytes
// 0x40-0xFC but 0x7F. Decoding maps a lead/trail pair to one private-use character so round trips
// are exact; a lead byte without a trail byte after it decodes alone, so a control character or a
// NUL after it stays one, as with the real code page.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace kestrune::testing {

class FakeCodePage : public CodePage {
 public:
  bool IsLeadByte(unsigned char b) const override { return IsLead(b); }
  static bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
  static bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
  // Both conversions write into a string sized for the longest result and cut it after, rather than
  // adding one character at a time: the history fuzz target converts whole saved files.
  std::wstring ToWide(std::string_view ansi) const override {
    std::wstring out(ansi.size(), L'\0');
    std::size_t n = 0;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
      const auto b = static_cast<unsigned char>(ansi[i]);
      if (IsLead(b) && i + 1 < ansi.size() && IsTrailByte(static_cast<unsigned char>(ansi[i + 1]))) {
        const auto t = static_cast<unsigned char>(ansi[++i]);
        const unsigned index = ((b & 0x7Fu) << 8 | t) % kPrivateCharacters;
        out[n++] = static_cast<wchar_t>(kFirstPrivate + index);
        // The last pair decoded to a character is the one it encodes back to.
        if (pairs_.empty()) pairs_.resize(kPrivateCharacters);
        pairs_[index] = static_cast<std::uint16_t>(b << 8 | t);
      } else {
        out[n++] = static_cast<wchar_t>(b);
      }
    }
    out.resize(n);
    return out;
  }
  std::string ToAnsi(std::wstring_view wide) const override {
    std::string out(2 * wide.size(), '\0');
    std::size_t n = 0;
    for (const wchar_t c : wide) {
      if (c < 0x100) {
        out[n++] = static_cast<char>(c);
        continue;
      }
      const auto code = static_cast<std::size_t>(c);
      const std::uint16_t pair =
          code >= kFirstPrivate && code - kFirstPrivate < pairs_.size() ? pairs_[code - kFirstPrivate] : 0;
      if (pair == 0) {
        out[n++] = '?';
      } else {
        out[n++] = static_cast<char>(pair >> 8);
        out[n++] = static_cast<char>(pair & 0xFF);
      }
    }
    out.resize(n);
    return out;
  }

 private:
  static constexpr unsigned kFirstPrivate = 0xE000;
  static constexpr unsigned kPrivateCharacters = 0x1900;
  // Lead byte << 8 | trail byte per private character, 0 for one never decoded (no lead byte is 0).
  // Made on the first pair: most conversions meet none.
  mutable std::vector<std::uint16_t> pairs_;
};

}  // namespace kestrune::testing
