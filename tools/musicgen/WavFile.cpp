#include "tools/musicgen/WavFile.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

void EncodeMonoWav(const float* interleaved, size_t frames, int channels, int sampleRate,
                   std::vector<uint8_t>& wav) {
  wav.clear();
  if (channels < 1) frames = 0;
  const uint32_t dataBytes = static_cast<uint32_t>(frames * 2);
  PutTag(wav, "RIFF");
  Put32(wav, 36 + dataBytes);
  PutTag(wav, "WAVE");
  PutTag(wav, "fmt ");
  Put32(wav, 16);
  Put16(wav, 1);  // PCM
  Put16(wav, 1);  // mono
  Put32(wav, static_cast<uint32_t>(sampleRate));
  Put32(wav, static_cast<uint32_t>(sampleRate) * 2);
  Put16(wav, 2);
  Put16(wav, 16);
  PutTag(wav, "data");
  Put32(wav, dataBytes);
  wav.reserve(wav.size() + dataBytes);
  for (size_t i = 0; i < frames; ++i) {
    float sum = 0.f;
    for (int c = 0; c < channels; ++c) sum += interleaved[i * channels + c];
    const float v = std::clamp(sum / channels, -1.f, 1.f);
    Put16(wav, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.f))));
  }
}

}  // namespace synth
