#include "platform/raster/png_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kestrune {

namespace {

std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 24));
  out.push_back(static_cast<std::uint8_t>(v >> 16));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, std::span<const std::uint8_t> data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, Crc32(std::span<const std::uint8_t>(out.data() + start, out.size() - start)));
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc) {
  static const std::array<std::uint32_t, 256> table = MakeCrcTable();
  std::uint32_t c = crc ^ 0xFFFFFFFFu;
  for (std::uint8_t b : data) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t v : data) {
    a = (a + v) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16) | a;
}

std::vector<std::uint8_t> EncodePngRgb(int width, int height, std::span<const std::uint8_t> rgb) {
  const std::size_t w = static_cast<std::size_t>(std::max(width, 0));
  const std::size_t h = static_cast<std::size_t>(std::max(height, 0));
  // Raw scanlines, each led by filter type 0.
  std::vector<std::uint8_t> raw;
  raw.reserve(h * (w * 3 + 1));
  for (std::size_t y = 0; y < h; ++y) {
    raw.push_back(0);
    for (std::size_t i = 0; i < w * 3; ++i) {
      const std::size_t at = y * w * 3 + i;
      raw.push_back(at < rgb.size() ? rgb[at] : 0);
    }
  }

  // zlib stream of stored (uncompressed) deflate blocks of at most 65535 bytes.
  std::vector<std::uint8_t> z{0x78, 0x01};
  std::size_t pos = 0;
  do {
    const std::size_t len = std::min<std::size_t>(65535, raw.size() - pos);
    const bool last = pos + len == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(len & 0xFF));
    z.push_back(static_cast<std::uint8_t>(len >> 8));
    z.push_back(static_cast<std::uint8_t>(~len & 0xFF));
    z.push_back(static_cast<std::uint8_t>((~len >> 8) & 0xFF));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos), raw.begin() + static_cast<std::ptrdiff_t>(pos + len));
    pos += len;
  } while (pos < raw.size());
  PutBe32(z, Adler32(raw));

  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> ihdr;
  PutBe32(ihdr, static_cast<std::uint32_t>(w));
  PutBe32(ihdr, static_cast<std::uint32_t>(h));
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filter 0, no interlace
  PutChunk(png, "IHDR", ihdr);
  PutChunk(png, "IDAT", z);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace kestrune
