// The capture loop: every frame sees the bands of a frame 1/60 s earlier, as the window would.
#include "tools/capture/CaptureFrames.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "director/DemoState.h"
#include "director/Music.h"
#include "director/Startup.h"
#include "director/Timeline.h"
#include "platform/FileBytes.h"
#include "platform/HeadlessGl.h"
#include "platform/PngImage.h"
#include "render/Gl.h"
#include "shell/Window.h"

namespace {

constexpr int kFrameIntervalMs = 17;  // 1/60 s, to the nearest millisecond

bool WriteFrame(const std::string& path, std::vector<uint8_t>& rgb, std::string& error) {
  PngImage image;
  image.width = kCaptureWidth;
  image.height = kCaptureHeight;
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

}  // namespace

void StartCaptureShow() {
  // The window sets the viewport and the scenes' projection before start-up; so must we.
  ReshapeViewport(kCaptureWidth, kCaptureHeight);
  UseOfflineMusic();
  DemoStartup();
}

int BandSourceMs(int ms) { return ms - kFrameIntervalMs; }

void LoadBandsOfEarlierFrame(int ms) {
  const int source = BandSourceMs(ms);
  if (source < 0) {
    for (float& band : SpectrumBands) band = 0;
    return;
  }
  MusicSetTime(source);
  const float* spectrum = MusicGetSpectrum();
  for (int i = 0; i < kSpectrumBandCount; ++i) SpectrumBands[i] = spectrum[i];
}

bool RenderCaptureFrame(int ms, std::vector<uint8_t>& rgb) {
  LoadBandsOfEarlierFrame(ms);
  MusicSetTime(ms);
  if (!DrawTimeline()) return false;
  glFinish();
  ReadFrameRgb(kCaptureWidth, kCaptureHeight, rgb);
  return true;
}

int RunCapture(const CaptureOptions& options, std::string& error) {
  std::error_code made;
  std::filesystem::create_directories(options.outDir, made);
  if (made) {
    error = "cannot create " + options.outDir + ": " + made.message();
    return 1;
  }
  HeadlessGl gl;
  if (!CreateHeadlessGl(kCaptureWidth, kCaptureHeight, gl, error)) return 1;
  StartCaptureShow();
  std::vector<uint8_t> rgb;
  for (const int ms : options.framesMs) {
    if (!RenderCaptureFrame(ms, rgb)) {
      std::fprintf(stderr, "vexilograph-capture: the show ends at 282 s; nothing captured from %d ms on\n", ms);
      break;
    }
    const std::string path = (std::filesystem::path(options.outDir) / (std::to_string(ms) + ".png")).string();
    if (!WriteFrame(path, rgb, error)) return 1;
  }
  return 0;
}
