#pragma once
// For the drawing tests: a surface's whole image as one list of pixels, row by row, so that two
// drawings compare with one expectation, and where the tests put the images they write.
#include <string>
#include <vector>

#include "platform/raster/raster_surface.h"

namespace kestrune::testing {

inline std::vector<Rgb> Pixels(const RasterSurface& surface) {
  std::vector<Rgb> out;
  out.reserve(static_cast<std::size_t>(surface.ScaleWidth()) * static_cast<std::size_t>(surface.ScaleHeight()));
  for (int y = 0; y < surface.ScaleHeight(); ++y)
    for (int x = 0; x < surface.ScaleWidth(); ++x) out.push_back(surface.GetPixel(x, y));
  return out;
}

inline std::string ArtifactPath(const std::string& name) { return std::string(KESTRUNE_ARTIFACT_DIR) + "/" + name; }

}  // namespace kestrune::testing
