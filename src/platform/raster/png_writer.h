#pragma once
// A small self-contained PNG encoder (8-bit RGB, zlib stored blocks) for snapshots of drawn controls.
#include <cstdint>
#include <span>
#include <vector>

namespace kestrune {

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> data);

// rgb holds width * height pixels, three bytes each, row by row from the top.
std::vector<std::uint8_t> EncodePngRgb(int width, int height, std::span<const std::uint8_t> rgb);

}  // namespace kestrune
