// libmp3lame into memory; the finished LAME tag replaces the placeholder first frame.
#include "support/TestMp3.h"

#include <lame/lame.h>

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

std::vector<uint8_t> Encode(const std::vector<float>& left, const std::vector<float>* right, int sampleRate) {
  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, sampleRate);
  lame_set_out_samplerate(lame, sampleRate);
  lame_set_num_channels(lame, right ? 2 : 1);
  if (!right) lame_set_mode(lame, MONO);
  lame_set_brate(lame, right ? 192 : 96);
  lame_set_quality(lame, 5);
  lame_set_bWriteVbrTag(lame, 1);
  lame_init_params(lame);
  const int count = static_cast<int>(left.size());
  std::vector<uint8_t> out(static_cast<size_t>(count) * 5 / 4 + 7200 + 65536);
  int written = lame_encode_buffer_ieee_float(lame, left.data(), right ? right->data() : nullptr, count, out.data(),
                                              static_cast<int>(out.size()));
  written += lame_encode_flush(lame, out.data() + written, static_cast<int>(out.size()) - written);
  out.resize(static_cast<size_t>(written));
  unsigned char tag[4096];
  const size_t tagSize = lame_get_lametag_frame(lame, tag, sizeof tag);
  if (tagSize > 0 && tagSize <= out.size()) std::memcpy(out.data(), tag, tagSize);
  lame_close(lame);
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeMp3(const std::vector<float>& left, const std::vector<float>& right) {
  return Encode(left, &right, 44100);
}

std::vector<uint8_t> SineMp3(double seconds, double hz, float amplitude) {
  const size_t count = static_cast<size_t>(seconds * 44100);
  std::vector<float> wave(count);
  for (size_t i = 0; i < count; ++i)
    wave[i] = amplitude * static_cast<float>(std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / 44100));
  return EncodeMp3(wave, wave);
}

std::vector<uint8_t> SineMp3AtRate(double seconds, int sampleRate, int channels) {
  const size_t count = static_cast<size_t>(seconds * sampleRate);
  std::vector<float> wave(count);
  for (size_t i = 0; i < count; ++i)
    wave[i] = 0.5f * static_cast<float>(std::sin(2 * std::numbers::pi * 440 * static_cast<double>(i) / sampleRate));
  return Encode(wave, channels == 1 ? nullptr : &wave, sampleRate);
}
