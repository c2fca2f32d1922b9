// Re-encodes the show's track at 48 kHz VBR with a front cover picture in its ID3v2 tag: a file
// as a listener would drop in, at a rate the show has to resample, from our own music.
// Usage: vex-testtrack <show-track.mp3> <out.mp3>
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/FileBytes.h"
#include "platform/Mp3Decode.h"
#include "platform/PngImage.h"
#include "tools/musicgen/Mp3Encode.h"

namespace {

constexpr int kOutputRate = 48000;
// Noise does not compress: about 100 KB of PNG, near libmp3lame's largest picture.
constexpr int kCoverSide = 180;

bool NoiseCover(std::vector<uint8_t>& png, std::string& error) {
  PngImage image;
  image.width = image.height = kCoverSide;
  image.channels = 3;
  image.pixels.resize(static_cast<size_t>(kCoverSide) * kCoverSide * 3);
  uint32_t state = 0x9e3779b9u;
  for (uint8_t& byte : image.pixels) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<uint8_t>(state >> 24);
  }
  return EncodePng(image, png, error);
}

// libmp3lame files its picture as "other"; the type byte follows the APIC frame's header, its
// text encoding and its MIME type.
void MarkAsFrontCover(std::vector<uint8_t>& mp3) {
  const char apic[] = "APIC";
  const auto frame = std::search(mp3.begin(), mp3.end(), apic, apic + 4);
  if (mp3.end() - frame < 11) return;
  const auto mimeEnd = std::find(frame + 11, mp3.end(), 0);
  if (mp3.end() - mimeEnd > 1) mimeEnd[1] = 3;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <show-track.mp3> <out.mp3>\n", argv[0]);
    return 2;
  }
  std::vector<uint8_t> input;
  DecodedAudio decoded;
  std::string error;
  if (!ReadFileBytes(argv[1], input)) error = "cannot read " + std::string(argv[1]);
  else if (DecodeMp3(input.data(), input.size(), decoded, error) && decoded.channels != 2) error = "not stereo";
  synth::StereoBuffer pcm;
  synth::Mp3Extras extras;
  extras.outputRate = kOutputRate;
  std::vector<uint8_t> mp3;
  if (error.empty()) {
    pcm.sampleRate = decoded.sampleRate;
    for (size_t i = 0; i < decoded.FrameCount(); ++i) {
      pcm.left.push_back(decoded.samples[2 * i]);
      pcm.right.push_back(decoded.samples[2 * i + 1]);
    }
    if (NoiseCover(extras.cover, error)) synth::EncodeMp3(pcm, "The Vexilograph at 48 kHz", mp3, error, extras);
  }
  if (error.empty()) {
    MarkAsFrontCover(mp3);
    if (!WriteFileBytes(argv[2], mp3)) error = "cannot write " + std::string(argv[2]);
  }
  if (!error.empty()) {
    std::fprintf(stderr, "testtrack: %s\n", error.c_str());
    return 1;
  }
  std::printf("testtrack: %zu bytes, %zu of them the cover\n", mp3.size(), extras.cover.size());
  return 0;
}
