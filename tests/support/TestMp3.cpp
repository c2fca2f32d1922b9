// libmp3lame into memory (the finished LAME tag replaces the placeholder first frame); the
// reference decode through the ffmpeg and sox programs.
#include "support/TestMp3.h"

#include <lame/lame.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <random>
#include <string>

namespace {

std::vector<uint8_t> Encode(const std::vector<float>& left, const std::vector<float>* right, const TestMp3Form& form) {
  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, form.sampleRate);
  lame_set_out_samplerate(lame, form.sampleRate);
  lame_set_num_channels(lame, right ? 2 : 1);
  if (!right) lame_set_mode(lame, MONO);
  if (form.vbr) lame_set_VBR(lame, vbr_default);
  else lame_set_brate(lame, right ? 192 : 96);
  lame_set_quality(lame, 5);
  lame_set_bWriteVbrTag(lame, form.infoTag ? 1 : 0);
  lame_init_params(lame);
  const int count = static_cast<int>(left.size());
  std::vector<uint8_t> out(static_cast<size_t>(count) * 5 / 4 + 7200 + 65536);
  int written = lame_encode_buffer_ieee_float(lame, left.data(), right ? right->data() : nullptr, count, out.data(),
                                              static_cast<int>(out.size()));
  written += lame_encode_flush(lame, out.data() + written, static_cast<int>(out.size()) - written);
  out.resize(static_cast<size_t>(written));
  unsigned char tag[4096];
  const size_t tagSize = form.infoTag ? lame_get_lametag_frame(lame, tag, sizeof tag) : 0;
  if (tagSize > 0 && tagSize <= out.size()) std::memcpy(out.data(), tag, tagSize);
  lame_close(lame);
  return out;
}

std::vector<uint8_t> Noise(size_t bytes, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> noise(bytes);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(random());
  return noise;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes, int bitsPerByte) {
  const uint32_t mask = (1u << bitsPerByte) - 1;
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>((value >> (i * bitsPerByte)) & mask));
}

void PutBytes(std::vector<uint8_t>& out, const std::string& bytes) {
  for (const char c : bytes) out.push_back(static_cast<uint8_t>(c));
}

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<float> FloatsFrom(const std::string& command) {
  std::vector<float> samples;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    float block[4096];
    size_t got;
    while ((got = std::fread(block, sizeof(float), 4096, pipe)) > 0) samples.insert(samples.end(), block, block + got);
    pclose(pipe);
  }
  return samples;
}

}  // namespace

std::vector<uint8_t> EncodeMp3(const std::vector<float>& left, const std::vector<float>& right) {
  return Encode(left, &right, TestMp3Form{});
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
  TestMp3Form form;
  form.sampleRate = sampleRate;
  form.channels = channels;
  return Encode(wave, channels == 1 ? nullptr : &wave, form);
}

std::vector<uint8_t> ChirpMp3(const TestMp3Form& form, double seconds) {
  const size_t count = static_cast<size_t>(seconds * form.sampleRate);
  std::vector<float> wave(count);
  // Everything below a third of the rate, inside every resampler's pass band.
  const double top = 0.3 * form.sampleRate, tone = 0.23 * form.sampleRate;
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / form.sampleRate;
    const double chirp = std::sin(2 * std::numbers::pi * (100 * t + (top - 100) * t * t / (2 * seconds)));
    const bool burst = static_cast<int>(t * 10) % 3 == 0;
    wave[i] = static_cast<float>(0.4 * chirp + (burst ? 0.2 * std::sin(2 * std::numbers::pi * tone * t) : 0.0));
  }
  return Encode(wave, form.channels == 1 ? nullptr : &wave, form);
}

std::vector<uint8_t> WithCoverPicture(const std::vector<uint8_t>& mp3, size_t pictureBytes) {
  // ID3v2.3 with one APIC frame: text encoding, MIME type, picture type (front cover), empty
  // description, the picture.
  std::vector<uint8_t> frame;
  PutBytes(frame, std::string("\0image/jpeg\0\3\0", 14));
  const std::vector<uint8_t> picture = Noise(pictureBytes, 11);
  frame.insert(frame.end(), picture.begin(), picture.end());
  std::vector<uint8_t> tag;
  PutBytes(tag, std::string("ID3\3\0\0", 6));
  PutBigEndian(tag, static_cast<uint32_t>(frame.size() + 10), 4, 7);  // the tag's size is syncsafe
  PutBytes(tag, "APIC");
  PutBigEndian(tag, static_cast<uint32_t>(frame.size()), 4, 8);
  PutBytes(tag, std::string("\0\0", 2));
  tag.insert(tag.end(), frame.begin(), frame.end());
  tag.insert(tag.end(), mp3.begin(), mp3.end());
  return tag;
}

std::vector<uint8_t> WithJunkBefore(const std::vector<uint8_t>& mp3, size_t junkBytes) {
  std::vector<uint8_t> out = Noise(junkBytes, 13);
  out.insert(out.end(), mp3.begin(), mp3.end());
  return out;
}

std::vector<uint8_t> WithEndTags(const std::vector<uint8_t>& mp3) {
  // APEv2: header, one item (value size, flags, key, NUL, value), footer.
  const std::string key = "Title", value = "dropped in";
  std::vector<uint8_t> item;
  PutLittleEndian(item, static_cast<uint32_t>(value.size()));
  PutLittleEndian(item, 0);
  PutBytes(item, key);
  item.push_back(0);
  PutBytes(item, value);
  auto apeBlock = [&](bool header) {
    std::vector<uint8_t> block;
    PutBytes(block, "APETAGEX");
    PutLittleEndian(block, 2000);
    PutLittleEndian(block, static_cast<uint32_t>(item.size() + 32));
    PutLittleEndian(block, 1);
    PutLittleEndian(block, header ? 0xA0000000u : 0x80000000u);
    block.resize(block.size() + 8, 0);
    return block;
  };
  std::vector<uint8_t> out = mp3;
  for (const auto& part : {apeBlock(true), item, apeBlock(false)}) out.insert(out.end(), part.begin(), part.end());
  std::vector<uint8_t> id3v1(128, 0);
  std::memcpy(id3v1.data(), "TAGdropped in", 13);
  out.insert(out.end(), id3v1.begin(), id3v1.end());
  return out;
}

std::vector<float> ReferenceMix(const std::vector<uint8_t>& mp3, int rate, int channels) {
  // One file per process and call: tests run in parallel.
  static int calls = 0;
  const std::string name = "vex-reference-" + std::to_string(getpid()) + "-" + std::to_string(++calls) + ".mp3";
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(mp3.data(), 1, mp3.size(), out);
    std::fclose(out);
  }
  const std::string count = std::to_string(channels);
  // sox's pass band ends where ours does, at 95 % of the lower Nyquist frequency.
  const std::vector<float> samples =
      FloatsFrom("ffmpeg -v error -i '" + path + "' -ac " + count + " -f f32le - | sox -t f32 -r " +
                 std::to_string(rate) + " -c " + count + " - -t f32 - rate -v -L -b 95 44100");
  std::filesystem::remove(path);
  if (channels == 2) return samples;
  std::vector<float> stereo(2 * samples.size());
  for (size_t i = 0; i < samples.size(); ++i) stereo[2 * i] = stereo[2 * i + 1] = samples[i];
  return stereo;
}

std::vector<float> DecodedStereo(const std::string& path) {
  return FloatsFrom("ffmpeg -v error -i '" + path + "' -map 0:a:0 -ac 2 -f f32le -");
}

std::vector<uint8_t> Damaged(const std::vector<uint8_t>& mp3, size_t offset, size_t bytes) {
  std::vector<uint8_t> out = mp3;
  const std::vector<uint8_t> noise = Noise(bytes, 17);
  std::memcpy(out.data() + offset, noise.data(), bytes);
  return out;
}
