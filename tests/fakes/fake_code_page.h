#pragma once
// A double-byte code page shaped like Shift JIS: lead bytes 0x81-0x9F and 0xE0-0xFC.
// Decoding maps a lead/trail pair to one private-use character so round trips are exact.
#include <string>
#include <utility>
#include <vector>

#include "platform/code_page.h"

namespace kestrune::testing {

class FakeCodePage : public CodePage {
 public:
  bool IsLeadByte(unsigned char b) const override { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
  std::wstring ToWide(std::string_view ansi) const override {
    std::wstring out;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
      const auto b = static_cast<unsigned char>(ansi[i]);
      if (IsLeadByte(b) && i + 1 < ansi.size()) {
        const auto t = static_cast<unsigned char>(ansi[++i]);
        out.push_back(static_cast<wchar_t>(0xE000 + ((b & 0x7F) << 8 | t) % 0x1900));
        pairs_.emplace_back(out.back(), std::string{static_cast<char>(b), static_cast<char>(t)});
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
      std::string bytes = "?";
      for (const auto& [w, s] : pairs_)
        if (w == c) bytes = s;
      out += bytes;
    }
    return out;
  }

 private:
  mutable std::vector<std::pair<wchar_t, std::string>> pairs_;
};

}  // namespace kestrune::testing
