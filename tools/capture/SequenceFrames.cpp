// The frames of a continuous run from 0 s that fall in [from, to), and their music samples.
#include "tools/capture/SequenceFrames.h"

#include "director/Music.h"
#include "director/OfflinePlayback.h"

int64_t SequenceFrameCount(const CaptureOptions& o) {
  if (o.toMs <= o.fromMs) return 0;
  return FirstRateFrameFrom(o.toMs, o.fps) - FirstRateFrameFrom(o.fromMs, o.fps);
}

int SequenceFrameMs(const CaptureOptions& o, int64_t frame) {
  return RateFrameMs(FirstRateFrameFrom(o.fromMs, o.fps) + frame, o.fps);
}

int64_t SequenceFrameSample(const CaptureOptions& o, int64_t frame) {
  const int64_t runFrame = FirstRateFrameFrom(o.fromMs, o.fps) + frame;
  return (2 * static_cast<int64_t>(kMusicSampleRate) * runFrame + o.fps) / (2 * o.fps);
}
