// The music path on arbitrary bytes: open the stream (which indexes the whole buffer), decode
// from the start, seek into the middle and past the end, and analyse the spectrum there as the
// offline clock does.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/Mp3Decoder.h"
#include "platform/MusicClock.h"
#include "platform/OfflineClock.h"

namespace {

constexpr size_t kBlockFrames = 4096;
float stereo[2 * kBlockFrames];

void Check(bool condition) {
  if (!condition) std::abort();
}

void DecodeSome(Mp3Decoder& decoder) {
  for (int block = 0; block < 8; ++block) {
    const size_t got = ReadMp3(decoder, stereo, kBlockFrames);
    Check(got <= kBlockFrames);
    if (got < kBlockFrames) return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  if (Mp3Decoder* decoder = OpenMp3Decoder(data, size, error)) {
    const int64_t length = Mp3Length(*decoder);
    Check(length >= 0);
    DecodeSome(*decoder);
    if (SeekMp3(*decoder, length / 2)) DecodeSome(*decoder);
    SeekMp3(*decoder, length + 1000);
    Check(ReadMp3(*decoder, stereo, kBlockFrames) == 0);
    CloseMp3Decoder(decoder);
  } else {
    Check(!error.empty());
  }
  std::unique_ptr<MusicClock> clock = CreateOfflineClock(data, size);
  float bins[kSpectrumBins];
  clock->SeekMs(50);
  clock->Spectrum(bins);
  for (const float bin : bins) Check(bin >= 0.0f && bin <= 1.0f);
  return 0;
}
