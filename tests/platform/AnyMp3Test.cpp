// MP3 files as users drop them in, at every kind of MPEG rate and wrapping: the track reader and
// the offline clock against the same file decoded by the ffmpeg program (FFmpeg's own MP3
// decoder) and resampled by sox (its linear-phase resampler), neither of them our libraries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/MusicClock.h"
#include "platform/OfflineClock.h"
#include "platform/SpectrumAnalyser.h"
#include "platform/TrackReader.h"
#include "support/TestMp3.h"

namespace {

// The two resamplers' filters differ by up to -48 dB in the pass band, and by -40 dB in the
// first and last milliseconds, where each fills its history its own way; a shift of one sample
// puts the chirp 0.14 off at 8 kHz and 0.8 off at 48 kHz.
constexpr float kSampleTolerance = 2e-2f;

struct DroppedFile {
  const char* name;
  std::vector<uint8_t> clean;  // the audio alone, which the reference decodes
  std::vector<uint8_t> bytes;  // as dropped in
  int rate;
  int channels;
};

using Wrapping = std::vector<uint8_t> (*)(const std::vector<uint8_t>&);

DroppedFile Dropped(const char* name, const TestMp3Form& form, Wrapping wrap) {
  std::vector<uint8_t> clean = ChirpMp3(form, 4);
  std::vector<uint8_t> bytes = wrap ? wrap(clean) : clean;
  return {name, std::move(clean), std::move(bytes), form.sampleRate, form.channels};
}

std::vector<DroppedFile> DroppedFiles() {
  std::vector<DroppedFile> files;
  files.push_back(Dropped("48 kHz VBR with a 300 KB cover picture", {48000, 2, true, true},
                          [](const std::vector<uint8_t>& mp3) { return WithCoverPicture(mp3, 300000); }));
  files.push_back(Dropped("44.1 kHz VBR with APE and ID3v1 tags", {44100, 2, true, true}, WithEndTags));
  files.push_back(Dropped("32 kHz CBR", {32000, 2, false, true}, nullptr));
  files.push_back(Dropped("22.05 kHz mono VBR", {22050, 1, true, true}, nullptr));
  files.push_back(Dropped("8 kHz mono", {8000, 1, false, true}, nullptr));
  files.push_back(Dropped("48 kHz CBR without a Xing header", {48000, 2, false, false}, nullptr));
  files.push_back(Dropped("24 kHz after 100 KB of junk", {24000, 2, false, true},
                          [](const std::vector<uint8_t>& mp3) { return WithJunkBefore(mp3, 100000); }));
  return files;
}

float WorstDifference(const float* a, const float* b, size_t count) {
  float worst = 0;
  for (size_t i = 0; i < count; ++i) worst = std::max(worst, std::fabs(a[i] - b[i]));
  return worst;
}

}  // namespace

TEST(AnyMp3, EveryRateAndWrappingPlaysTheTrackAtItsOwnTime) {
  SpectrumAnalyser* analyser = CreateSpectrumAnalyser();
  for (const DroppedFile& file : DroppedFiles()) {
    SCOPED_TRACE(file.name);
    const std::vector<float> reference = ReferenceMix(file.clean, file.rate, file.channels);
    ASSERT_GT(reference.size(), 2u * 44100) << "ffmpeg could not decode it";
    std::string error;
    TrackReader* reader = OpenTrackReader(file.bytes.data(), file.bytes.size(), error);
    ASSERT_NE(reader, nullptr) << error;
    EXPECT_EQ(TrackRate(*reader), file.rate);
    const int64_t length = TrackLength(*reader);
    EXPECT_NEAR(static_cast<double>(length), reference.size() / 2.0, 1.0);

    // Seeks back and forth to odd milliseconds land on the sample a play from the start reaches.
    std::vector<float> span(2 * 2048);
    float worst = 0;
    for (const int ms : {1234, 17, 3001, 0, 2500, 999, 3900}) {
      const int64_t sample = SampleForMs(ms);
      ASSERT_TRUE(SeekTrack(*reader, sample)) << ms;
      const size_t got = ReadTrack(*reader, span.data(), 2048);
      const size_t expected = std::min<size_t>(2048, static_cast<size_t>(length - sample));
      ASSERT_EQ(got, expected) << ms;
      const float off = WorstDifference(span.data(), reference.data() + 2 * sample, 2 * got);
      EXPECT_LE(off, kSampleTolerance) << "seek to " << ms << " ms";
      worst = std::max(worst, off);
    }
    CloseTrackReader(reader);

    // The offline clock: where it is put, with the spectrum of the track's window there, through
    // small steps (the window slides), a skip, a step back and a jump.
    std::string problem;
    std::unique_ptr<MusicClock> clock = CreateOfflineClock(file.bytes.data(), file.bytes.size(), problem);
    ASSERT_EQ(problem, "");
    float bins[kSpectrumBins], expected[kSpectrumBins], mono[kSpectrumWindow];
    for (const int ms : {500, 517, 533, 550, 900, 300, 3000, 12}) {
      clock->SeekMs(ms);
      EXPECT_EQ(clock->PositionMs(), ms);
      clock->Spectrum(bins);
      const int64_t end = SampleForMs(ms);
      for (int i = 0; i < kSpectrumWindow; ++i) {
        const int64_t s = end - kSpectrumWindow + i;
        mono[i] = s < 0 ? 0.0f : 0.5f * (reference[2 * s] + reference[2 * s + 1]);
      }
      AnalyseSpectrum(*analyser, mono, expected);
      EXPECT_LE(WorstDifference(bins, expected, kSpectrumBins), kSampleTolerance) << "spectrum at " << ms << " ms";
    }
    std::printf("%-40s %d Hz, %lld mix samples, worst sample off the reference %.1e\n", file.name, file.rate,
                static_cast<long long>(length), worst);
  }
  DestroySpectrumAnalyser(analyser);
}

TEST(AnyMp3, DamageInTheMiddlePlaysThroughAndSeeksStayExact) {
  const std::vector<uint8_t> clean = ChirpMp3({48000, 2, false, true}, 4);
  const std::vector<uint8_t> damaged = Damaged(clean, clean.size() / 2, 2000);  // about five frames
  std::string error;
  TrackReader* good = OpenTrackReader(clean.data(), clean.size(), error);
  TrackReader* reader = OpenTrackReader(damaged.data(), damaged.size(), error);
  ASSERT_NE(reader, nullptr) << error;
  const int64_t length = TrackLength(*reader);
  EXPECT_NEAR(static_cast<double>(length), static_cast<double>(TrackLength(*good)), 0.2 * kMixRate) << "a short gap";

  std::vector<float> all(2 * static_cast<size_t>(length)), before(2 * kMixRate);
  ASSERT_EQ(ReadTrack(*reader, all.data(), static_cast<size_t>(length)), static_cast<size_t>(length));
  ReadTrack(*good, before.data(), kMixRate);
  EXPECT_LE(WorstDifference(all.data(), before.data(), before.size()), 1e-6f) << "the first second is untouched";
  float tail = 0;
  for (size_t i = all.size() - 2 * kMixRate / 2; i < all.size(); ++i) tail = std::max(tail, std::fabs(all[i]));
  EXPECT_GT(tail, 0.3f) << "the track plays on after the damage";
  // Seeks on either side of the damage land where the play from the start is.
  std::vector<float> span(2 * 2048);
  for (const int ms : {2100, 1900, 3500, 2000}) {
    const int64_t sample = SampleForMs(ms);
    ASSERT_TRUE(SeekTrack(*reader, sample));
    const size_t got = ReadTrack(*reader, span.data(), 2048);
    EXPECT_LE(WorstDifference(span.data(), all.data() + 2 * sample, 2 * got), 1e-6f) << ms;
  }
  CloseTrackReader(reader);
  CloseTrackReader(good);
}
