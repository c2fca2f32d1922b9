// Single frames of the show: every frame sees the bands of a frame 1/60 s earlier (or of the
// sequence frame before it), as the window would.
#include "tools/capture/CaptureFrames.h"

#include <cstdio>

#include "director/DemoState.h"
#include "director/Music.h"
#include "director/Startup.h"
#include "director/Timeline.h"
#include "platform/FileBytes.h"
#include "platform/HeadlessGl.h"
#include "platform/PngImage.h"
#include "render/Gl.h"
#include "shell/Window.h"
#include "tools/capture/CaptureOutput.h"
#include "tools/capture/CaptureSequence.h"
#include "tools/capture/ContactSheet.h"

bool WriteCapturePng(const std::string& path, std::vector<uint8_t>& rgb, std::string& error) {
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

void StartCaptureShow() {
  // The window sets the viewport and the scenes' projection before start-up; so must we.
  ReshapeViewport(kCaptureWidth, kCaptureHeight);
  UseOfflineMusic();
  DemoStartup();
}

int BandSourceMs(int ms, int fps) { return ms - (2000 + fps) / (2 * fps); }  // 1/fps s, rounded

void LoadBandsOfFrameAt(int ms) {
  if (ms < 0) {
    for (float& band : SpectrumBands) band = 0;
    return;
  }
  MusicSetTime(ms);
  const float* spectrum = MusicGetSpectrum();
  for (int i = 0; i < kSpectrumBandCount; ++i) SpectrumBands[i] = spectrum[i];
}

bool RenderCaptureFrame(int ms, std::vector<uint8_t>& rgb) {
  LoadBandsOfFrameAt(BandSourceMs(ms));
  return RenderFollowingFrame(ms, rgb);
}

bool RenderFollowingFrame(int ms, std::vector<uint8_t>& rgb) {
  MusicSetTime(ms);
  if (!DrawTimeline()) return false;
  glFinish();
  ReadFrameRgb(kCaptureWidth, kCaptureHeight, rgb);
  return true;
}

int RunCapture(const CaptureOptions& options, std::string& error) {
  if (!PrepareOutputs(options, error)) return 1;
  HeadlessGl gl;
  if (!CreateHeadlessGl(kCaptureWidth, kCaptureHeight, gl, error)) return 1;
  StartCaptureShow();
  switch (options.form) {
    case CaptureForm::video:
    case CaptureForm::pngSequence:
      return RunSequenceCapture(options, error);
    case CaptureForm::contactSheet:
      return RunContactSheet(options, error);
    case CaptureForm::frames:
      break;
  }
  std::vector<uint8_t> rgb;
  for (const int ms : options.framesMs) {
    if (!RenderCaptureFrame(ms, rgb)) {
      std::fprintf(stderr, "vexilograph-capture: the show ends at 282 s; nothing captured from %d ms on\n", ms);
      break;
    }
    if (!WriteCapturePng(FramePngPath(options.outDir, ms), rgb, error)) return 1;
  }
  return 0;
}
