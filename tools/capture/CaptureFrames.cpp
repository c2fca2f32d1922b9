// Single frames of the show: every frame sees the bands of a frame 1/60 s earlier (or of the
// sequence frame before it), as the window would.
#include "tools/capture/CaptureFrames.h"

#include <cmath>
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

namespace {

int lastDrawnMs = -1;  // the music position of the frame drawn last; -1 before the first

// The music position of the last frame the window draws inside the next window to end after
// lastDrawnMs and before ms; -1 when none does.
int NextSkippedWindowEnd(int ms) {
  int next = -1;
  for (int i = 0; i < kSceneWindowCount; ++i) {
    const int end = BandSourceMs(static_cast<int>(std::lround(kSceneWindows[i].upper * 1000.0)));
    if (end > lastDrawnMs && end < ms && (next < 0 || end < next)) next = end;
  }
  return next;
}

// Scenes leave GL state for the next ones (the totem scene's fog, for one, stays on until its
// last second). Playback draws every window's last frames; a capture that jumps over them
// draws each one it skipped, unseen, so the frame it keeps starts from the state the window's
// frame would.
void DrawSkippedWindowEnds(int ms) {
  if (ms < lastDrawnMs) lastDrawnMs = -1;  // a jump back replays the show's state from its start
  for (int end = NextSkippedWindowEnd(ms); end >= 0; end = NextSkippedWindowEnd(ms)) {
    LoadBandsOfFrameAt(BandSourceMs(end));
    MusicSetTime(end);
    DrawTimeline();
    lastDrawnMs = end;
  }
}

}  // namespace

void StartCaptureShow() {
  lastDrawnMs = -1;
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
  if (ms > kShowEndMs) return false;
  DrawSkippedWindowEnds(ms);
  LoadBandsOfFrameAt(BandSourceMs(ms));
  return RenderFollowingFrame(ms, rgb);
}

bool RenderFollowingFrame(int ms, std::vector<uint8_t>& rgb) {
  MusicSetTime(ms);
  if (!DrawTimeline()) return false;
  lastDrawnMs = ms;
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
