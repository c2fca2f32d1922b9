// PNG decoder on arbitrary bytes: a success always carries a whole image of the size it claims.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/PngImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PngImage image;
  std::string error;
  if (DecodePng(data, size, image, error)) {
    const bool whole = image.width > 0 && image.height > 0 && (image.channels == 3 || image.channels == 4) &&
                       image.pixels.size() == static_cast<size_t>(image.width) * image.height * image.channels;
    if (!whole) std::abort();
  } else if (!image.pixels.empty() || error.empty()) {
    std::abort();
  }
  return 0;
}
