// Reads the show's picture off a screenshot: given the window's content rectangle in it, prints
// where the lit pixels lie, how bright the bars beside the expected 4:3 rectangle are, and the
// PSNR of that rectangle against a reference frame resized to it (bilinear), e.g.
//   vex-picture-check shot.png reference.png 0 25 1920 1055
//   -> picture 258 25 1404 1053 lit 258 152 1661 952 bars 0 psnr 31.2
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/FileBytes.h"
#include "platform/PngImage.h"
#include "render/PictureFit.h"

namespace {

bool Load(const char* path, PngImage& image) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadFileBytes(path, bytes) || !DecodePng(bytes.data(), bytes.size(), image, error)) {
    std::fprintf(stderr, "vex-picture-check: %s: %s\n", path, error.empty() ? "cannot read" : error.c_str());
    return false;
  }
  return true;
}

float At(const PngImage& image, int x, int y, int c) {
  return image.pixels[(static_cast<size_t>(y) * image.width + x) * image.channels + c];
}

float Resized(const PngImage& image, float u, float v, int c) {
  u = std::clamp(u, 0.0f, image.width - 1.0f);
  v = std::clamp(v, 0.0f, image.height - 1.0f);
  const int u0 = static_cast<int>(u), v0 = static_cast<int>(v);
  const int u1 = std::min(u0 + 1, image.width - 1), v1 = std::min(v0 + 1, image.height - 1);
  const float fu = u - u0, fv = v - v0;
  return (At(image, u0, v0, c) * (1 - fu) + At(image, u1, v0, c) * fu) * (1 - fv) +
         (At(image, u0, v1, c) * (1 - fu) + At(image, u1, v1, c) * fu) * fv;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "usage: vex-picture-check SHOT.png REFERENCE.png X Y W H\n");
    return 2;
  }
  PngImage shot, reference;
  if (!Load(argv[1], shot) || !Load(argv[2], reference)) return 1;
  const int cx = std::atoi(argv[3]), cy = std::atoi(argv[4]), cw = std::atoi(argv[5]), ch = std::atoi(argv[6]);
  if (cx < 0 || cy < 0 || cw <= 0 || ch <= 0 || cx + cw > shot.width || cy + ch > shot.height) {
    std::fprintf(stderr, "vex-picture-check: the rectangle is not inside the %d x %d shot\n", shot.width, shot.height);
    return 2;
  }
  const PictureRect fit = FitPicture(cw, ch);
  const int left = cx + fit.x, top = cy + (ch - fit.y - fit.height);
  int litLeft = shot.width, litTop = shot.height, litRight = -1, litBottom = -1;
  float bars = 0;
  double squaredError = 0;
  long samples = 0;
  for (int y = cy; y < cy + ch; ++y) {
    for (int x = cx; x < cx + cw; ++x) {
      const bool inside = x >= left && x < left + fit.width && y >= top && y < top + fit.height;
      for (int c = 0; c < 3; ++c) {
        const float value = At(shot, x, y, c);
        if (value > 16) {
          litLeft = std::min(litLeft, x), litRight = std::max(litRight, x);
          litTop = std::min(litTop, y), litBottom = std::max(litBottom, y);
        }
        if (!inside) {
          bars = std::max(bars, value);
          continue;
        }
        const float u = (x - left + 0.5f) * reference.width / fit.width - 0.5f;
        const float v = (y - top + 0.5f) * reference.height / fit.height - 0.5f;
        const double difference = value - Resized(reference, u, v, c);
        squaredError += difference * difference;
        ++samples;
      }
    }
  }
  const double meanSquare = samples ? squaredError / samples : 0;
  const double psnr = meanSquare > 0 ? 10 * std::log10(255.0 * 255.0 / meanSquare) : 99;
  std::printf("picture %d %d %d %d lit %d %d %d %d bars %d psnr %.1f\n", left, top, fit.width, fit.height, litLeft,
              litTop, litRight, litBottom, static_cast<int>(bars), psnr);
  return 0;
}
