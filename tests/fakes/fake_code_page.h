#pragma once
// A double-byte code page shaped like Shift JIS: lead bytes 0x81-0x9F and 0xE0-0xFC, trail bytes
// 0x40-0xFC but 0x7F. Decoding maps a lead/trail pair to one private-use character so round trips
// are exact; a lead byte without a trail byte after it decodes alone, so a control character or a
// NUL after it stays one, as with the real code page.
#include <map>
#include <string>

#include "platform/code_page.h"

namespace kestrune::testing {

class FakeCodePage : public CodePage {
 public:
  bool IsLeadByte(unsigned char b) const override { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
  static bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
  std::wstring ToWide(std::string_view ansi) const override {
    std::wstring out;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
      const auto b = static_cast<unsigned char>(ansi[i]);
      if (IsLeadByte(b) && i + 1 < ansi.size() && IsTrailByte(static_cast<unsigned char>(ansi[i + 1]))) {
        const auto t = static_cast<unsigned char>(ansi[++i]);
        out.push_back(static_cast<wchar_t>(0xE000 + ((b & 0x7F) << 8 | t) % 0x1900));
        // The last pair decoded to a character is the one it encodes back to.
        pairs_[out.back()] = std::string{static_cast<char>(b), static_cast<char>(t)};
      } else {
        out.push_back(static_cast<wchar_t>(b));
      }
    }
    return out;
  }
  std::string ToAnsi(std::wstring_view wide) const override {
    std::string out;
    for (wchar_t c : wide) {
      if (c < 0x100) {
        out.push_back(static_cast<char>(c));
        continue;
      }
      const auto pair = pairs_.find(c);
      out += pair == pairs_.end() ? std::string("?") : pair->second;
    }
    return out;
  }

 private:
  mutable std::map<wchar_t, std::string> pairs_;
};

}  // namespace kestrune::testing
