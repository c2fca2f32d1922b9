// MP3 decoding on libmpg123, bytes in and interleaved float samples out (gapless: the encoder's
// delay and padding are trimmed when the file carries a LAME tag).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DecodedAudio {
  int sampleRate = 0;
  int channels = 0;
  std::vector<float> samples;  // interleaved, full scale is 1.0
  size_t FrameCount() const { return channels > 0 ? samples.size() / channels : 0; }
};

// On failure returns false with a message and leaves audio empty.
bool DecodeMp3(const uint8_t* bytes, size_t size, DecodedAudio& audio, std::string& error);
