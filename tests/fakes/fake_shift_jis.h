#pragma once
// A Shift JIS code page that knows only a handful of real characters, enough for byte-exact file
// tests; any other character outside Latin-1 becomes '?', as the platform's conversion would.
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace kestrune::testing {

class FakeShiftJisCodePage : public CodePage {
 public:
  struct Pair {
    wchar_t wide;
    const char* bytes;
  };
  static constexpr Pair kKnown[] = {
      {L'加', "\x89\xC1"}, {L'速', "\x91\xAC"}, {L'記', "\x8B\x4C"}, {L'録', "\x98\x5E"},
      {L'メ', "\x83\x81"}, {L'モ', "\x83\x82"}, {L'帳', "\x92\xA0"},
  };

  bool IsLeadByte(unsigned char b) const override { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

  std::wstring ToWide(std::string_view ansi) const override {
    std::wstring out;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
      const auto b = static_cast<unsigned char>(ansi[i]);
      if (IsLeadByte(b) && i + 1 < ansi.size()) {
        const std::string_view pair = ansi.substr(i++, 2);
        wchar_t w = L'?';
        for (const auto& k : kKnown)
          if (pair == k.bytes) w = k.wide;
        out.push_back(w);
      } else {
        out.push_back(static_cast<wchar_t>(b));
      }
    }
    return out;
  }

  std::string ToAnsi(std::wstring_view wide) const override {
    ++toAnsiCalls;
    std::string out;
    for (wchar_t c : wide) {
      if (c < 0x80) {
        out.push_back(static_cast<char>(c));
        continue;
      }
      const char* bytes = "?";
      for (const auto& k : kKnown)
        if (k.wide == c) bytes = k.bytes;
      out += bytes;
    }
    return out;
  }

  mutable int toAnsiCalls = 0;
};

}  // namespace kestrune::testing
