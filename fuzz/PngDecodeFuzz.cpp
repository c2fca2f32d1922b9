// PNG decoder on arbitrary bytes: a success always carries a whole image of the size it claims,
// a failure no pixels and a message. Mutations almost always break a chunk's CRC, which libpng
// refuses at once, so the chunks' CRCs are made right again first: the mutated headers, palettes
// and image data then reach the decoder (the CRC check itself has its own tests). Headers that
// claim more than kMaxFuzzPixels are skipped: a 16 KB file may legally inflate to half a gigabyte,
// which costs a second a run under the sanitizers, and two such buffers beside the sanitizer's
// quarantine pass the fuzzer's 2 GB memory limit. The refusal of oversized headers has its own test.
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "platform/PngImage.h"

namespace {

uint32_t BigEndian(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}

// Walks the chunks after the 8-byte signature and rewrites each whole chunk's CRC.
void MendChunkCrcs(std::vector<uint8_t>& png) {
  size_t at = 8;
  while (at + 12 <= png.size()) {
    const size_t length = BigEndian(png.data() + at);
    if (length > png.size() - at - 12) return;
    const uint32_t crc = static_cast<uint32_t>(crc32(0, png.data() + at + 4, static_cast<uInt>(length + 4)));
    uint8_t* out = png.data() + at + 8 + length;
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    at += length + 12;
  }
}

// 4096 x 4096: sixty-four times the pixels of the largest texture the show draws. -1 keeps such
// inputs out of the corpus.
constexpr uint64_t kMaxFuzzPixels = uint64_t{1} << 24;

bool ClaimsHugeImage(const std::vector<uint8_t>& png) {
  if (png.size() < 24 || std::memcmp(png.data() + 12, "IHDR", 4) != 0) return false;
  return uint64_t{BigEndian(png.data() + 16)} * BigEndian(png.data() + 20) > kMaxFuzzPixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> png(data, data + size);
  MendChunkCrcs(png);
  if (ClaimsHugeImage(png)) return -1;
  PngImage image;
  std::string error;
  if (DecodePng(png.data(), png.size(), image, error)) {
    const bool whole = image.width > 0 && image.height > 0 && (image.channels == 3 || image.channels == 4) &&
                       image.pixels.size() == static_cast<size_t>(image.width) * image.height * image.channels;
    FUZZ_CHECK(whole);
  } else {
    FUZZ_CHECK(image.pixels.empty() && !error.empty());
  }
  return 0;
}
