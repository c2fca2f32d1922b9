// A minimal 16-bit PCM WAV writer (mono downmix), for handing audio to command-line tools.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace synth {

void EncodeMonoWav(const float* interleaved, size_t frames, int channels, int sampleRate,
                   std::vector<uint8_t>& wav);

}  // namespace synth
