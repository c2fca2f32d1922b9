// Single frames: the layout of a frame, the playback's frame read back, PNG output.
#include "tools/capture/CaptureFrames.h"

#include <cstdio>

#include "platform/FileBytes.h"
#include "platform/HeadlessGl.h"
#include "platform/PngImage.h"
#include "platform/Gl.h"
#include "render/PictureFit.h"
#include "tools/capture/CaptureOutput.h"

FrameLayout LayoutFrame(int width, int height) {
  const PictureRect picture = FitPicture(width, height);
  return {width, height, picture.width, picture.height};
}

void StartCaptureShow(const FrameLayout& layout) { StartOfflineShow(layout.pictureWidth, layout.pictureHeight); }

bool RenderCaptureFrame(int ms, int fps, const FrameLayout& layout, std::vector<uint8_t>& rgb) {
  if (!DrawOfflineFrame(ms, fps)) return false;
  glFinish();
  ReadPictureRgb(layout.pictureWidth, layout.pictureHeight, layout.width, layout.height, rgb);
  return true;
}

bool RenderCaptureFrame(int ms, std::vector<uint8_t>& rgb) { return RenderCaptureFrame(ms, 60, FrameLayout{}, rgb); }

bool WriteCapturePng(const std::string& path, const FrameLayout& layout, std::vector<uint8_t>& rgb,
                     std::string& error) {
  PngImage image;
  image.width = layout.width;
  image.height = layout.height;
  image.channels = 3;
  image.pixels.swap(rgb);
  std::vector<uint8_t> bytes;
  const bool encoded = EncodePng(image, bytes, error);
  image.pixels.swap(rgb);
  if (!encoded) return false;
  if (!WriteFileBytes(path, bytes)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

int RunFramesCapture(const CaptureOptions& options, const FrameLayout& layout, std::string& error) {
  std::vector<uint8_t> rgb;
  for (const int ms : options.framesMs) {
    if (!RenderCaptureFrame(ms, 60, layout, rgb)) {
      std::fprintf(stderr, "vexilograph-capture: the show ends at 282 s; nothing captured from %d ms on\n", ms);
      break;
    }
    if (!WriteCapturePng(FramePngPath(options.outDir, ms), layout, rgb, error)) return 1;
  }
  return 0;
}
