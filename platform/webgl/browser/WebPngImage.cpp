// PNG decoding in the browser build on stb_image (Debian's libstb-dev, header only): libpng
// would have to be built for WebAssembly as well, and the show only reads its own 8-bit RGB and
// RGBA textures. Encoding is left to the native tools.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>  // from /usr/include/stb, without the rest of /usr/include

#include <climits>
#include <cstring>

#include "platform/PngImage.h"

bool DecodePng(const uint8_t* bytes, size_t size, PngImage& image, std::string& error) {
  image = PngImage{};
  if (size > INT_MAX) {
    error = "PNG data larger than 2 GiB";
    return false;
  }
  const int length = static_cast<int>(size);
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(bytes, length, &width, &height, &channels)) {
    error = std::string("not a PNG image: ") + stbi_failure_reason();
    return false;
  }
  // Grey with alpha and RGBA keep their alpha; everything else becomes RGB.
  const int wanted = channels == 2 || channels == 4 ? 4 : 3;
  stbi_uc* pixels = stbi_load_from_memory(bytes, length, &width, &height, &channels, wanted);
  if (!pixels) {
    error = std::string("cannot decode the PNG image: ") + stbi_failure_reason();
    return false;
  }
  image.width = width;
  image.height = height;
  image.channels = wanted;
  image.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height * wanted);
  stbi_image_free(pixels);
  return true;
}

bool EncodePng(const PngImage&, std::vector<uint8_t>&, std::string& error) {
  error = "PNG encoding is not part of the browser build";
  return false;
}
