// Renders a song: the mix of all tracks with their sends, then the master chain (bus
// compression, gain, look-ahead limiter, end fade). Deterministic and single-threaded.
#pragma once
#include <vector>

#include "tools/musicgen/Song.h"

namespace synth {

struct StereoBuffer {
  int sampleRate = 44100;
  std::vector<float> left;
  std::vector<float> right;
  size_t Frames() const { return left.size(); }
};

// The mix before the master chain, song.lengthSeconds long.
void RenderMix(const Song& song, int sampleRate, StereoBuffer& mix);

struct MasterSettings {
  float inputGainDb = 0.f;  // brings the mix to the level the bus compressor is set for
  float gainDb = 0.f;       // after the compressor, into the limiter
  float ceilingDb = -2.f;  // encoding adds about 1 dB of inter-sample peaks
};

// Master chain on a finished mix; the limiter's latency is removed, so out lines up with mix.
void Master(const Song& song, const StereoBuffer& mix, const MasterSettings& settings,
            StereoBuffer& out);

}  // namespace synth
