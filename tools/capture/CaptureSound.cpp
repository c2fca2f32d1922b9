// The WAV header is written by hand: 58 fixed bytes, where a library would add a dependency
// for one call.
#include "tools/capture/CaptureSound.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "director/Music.h"
#include "tools/capture/SequenceFrames.h"

namespace {

constexpr int64_t kChunkFrames = 44100;  // a second at a time

void Put32(std::vector<uint8_t>& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void Put16(std::vector<uint8_t>& bytes, uint16_t value) {
  bytes.push_back(static_cast<uint8_t>(value));
  bytes.push_back(static_cast<uint8_t>(value >> 8));
}

}  // namespace

// Float samples take the 18-byte format chunk and a fact chunk with the frame count.
std::vector<uint8_t> FloatStereoWavHeader(int64_t frames, int sampleRate) {
  const uint32_t dataBytes = static_cast<uint32_t>(frames * 8);
  std::vector<uint8_t> header;
  auto tag = [&](const char* text) {
    for (int i = 0; i < 4; ++i) header.push_back(static_cast<uint8_t>(text[i]));
  };
  tag("RIFF");
  Put32(header, 50 + dataBytes);
  tag("WAVE");
  tag("fmt ");
  Put32(header, 18);
  Put16(header, 3);  // IEEE float
  Put16(header, 2);
  Put32(header, static_cast<uint32_t>(sampleRate));
  Put32(header, static_cast<uint32_t>(sampleRate) * 8);
  Put16(header, 8);
  Put16(header, 32);
  Put16(header, 0);  // no extension
  tag("fact");
  Put32(header, 4);
  Put32(header, static_cast<uint32_t>(frames));
  tag("data");
  Put32(header, dataBytes);
  return header;
}

int RunSoundCapture(const CaptureOptions& options, std::string& error) {
  const int64_t first = SequenceFrameSample(options, 0);
  const int64_t frames = SequenceFrameSample(options, SequenceFrameCount(options)) - first;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(options.outFile.c_str(), "wb"), std::fclose);
  if (!file) {
    error = "cannot write " + options.outFile;
    return 1;
  }
  UseOfflineMusic();
  StartMusic();
  const std::vector<uint8_t> header = FloatStereoWavHeader(frames, kMusicSampleRate);
  bool written = std::fwrite(header.data(), 1, header.size(), file.get()) == header.size();
  std::vector<float> stereo(2 * kChunkFrames);
  for (int64_t done = 0; written && done < frames; done += kChunkFrames) {
    const size_t count = static_cast<size_t>(std::min(kChunkFrames, frames - done));
    ReadMusicSamples(first + done, stereo.data(), count);
    written = std::fwrite(stereo.data(), sizeof(float), 2 * count, file.get()) == 2 * count;
  }
  if (!written || std::fflush(file.get()) != 0) {
    error = "cannot write " + options.outFile;
    return 1;
  }
  return 0;
}
