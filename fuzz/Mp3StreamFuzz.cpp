// The music path on arbitrary bytes: open the track (which indexes the whole buffer), decode and
// resample from the start, seek into the middle and past the end, and analyse the spectrum as
// the offline clock does. Every read stays within its buffer and every magnitude within 0..1.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "platform/MusicClock.h"
#include "platform/OfflineClock.h"
#include "platform/TrackReader.h"

namespace {

constexpr size_t kBlockFrames = 4096;
float stereo[2 * kBlockFrames];

void DecodeSome(TrackReader& reader) {
  for (int block = 0; block < 8; ++block) {
    const size_t got = ReadTrack(reader, stereo, kBlockFrames);
    FUZZ_CHECK(got <= kBlockFrames);
    if (got < kBlockFrames) return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  if (TrackReader* reader = OpenTrackReader(data, size, error)) {
    const int64_t length = TrackLength(*reader);
    FUZZ_CHECK(length >= 0);
    FUZZ_CHECK(TrackRate(*reader) >= 8000 && TrackRate(*reader) <= 48000);
    DecodeSome(*reader);
    if (SeekTrack(*reader, length / 2)) DecodeSome(*reader);
    if (SeekTrack(*reader, length + 1000)) FUZZ_CHECK(ReadTrack(*reader, stereo, kBlockFrames) == 0);
    CloseTrackReader(reader);
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
