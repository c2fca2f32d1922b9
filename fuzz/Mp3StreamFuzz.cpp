// The music path on arbitrary bytes: open the stream (which indexes the whole buffer), decode
// from the start, seek into the middle and past the end, and analyse the spectrum as the
// offline clock does. Every read stays within its buffer and every magnitude within 0..1.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "platform/Mp3Decoder.h"
#include "platform/MusicClock.h"
#include "platform/OfflineClock.h"

namespace {

constexpr size_t kBlockFrames = 4096;
float stereo[2 * kBlockFrames];

void DecodeSome(Mp3Decoder& decoder) {
  for (int block = 0; block < 8; ++block) {
    const size_t got = ReadMp3(decoder, stereo, kBlockFrames);
    FUZZ_CHECK(got <= kBlockFrames);
    if (got < kBlockFrames) return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  if (Mp3Decoder* decoder = OpenMp3Decoder(data, size, error)) {
    const int64_t length = Mp3Length(*decoder);
    FUZZ_CHECK(length >= 0);
    DecodeSome(*decoder);
    if (SeekMp3(*decoder, length / 2)) DecodeSome(*decoder);
    // A damaged stream may decode a little past the length its scan found; only the bounds matter.
    if (SeekMp3(*decoder, length + 1000)) DecodeSome(*decoder);
    CloseMp3Decoder(decoder);
  } else {
    FUZZ_CHECK(!error.empty());
  }
  std::string problem;
  std::unique_ptr<MusicClock> clock = CreateOfflineClock(data, size, problem);
  FUZZ_CHECK(problem.empty() == (size > 0 && error.empty()));
  float bins[kSpectrumBins];
  clock->SeekMs(50);
  clock->Spectrum(bins);
  for (const float bin : bins) FUZZ_CHECK(bin >= 0.0f && bin <= 1.0f);
  return 0;
}
