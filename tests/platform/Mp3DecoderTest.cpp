// Decoding from memory: gapless length, exact seeks, refusal of what is not MP3.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/TestMp3.h"
#include "platform/Mp3Decoder.h"
#include "platform/MusicClock.h"

namespace {

// A quiet tone with one loud click at 1.000 s on the left channel only.
std::vector<uint8_t> ClickTrack(size_t samples, size_t clickAt) {
  std::vector<float> left(samples), right(samples);
  for (size_t i = 0; i < samples; ++i) {
    left[i] = right[i] = 0.1f * static_cast<float>(std::sin(i * 0.05));
  }
  left[clickAt] = 0.9f;
  return EncodeMp3(left, right);
}

std::vector<float> DecodeAll(Mp3Decoder& decoder) {
  std::vector<float> all(static_cast<size_t>(Mp3Length(decoder)) * 2 + 4096);
  const size_t got = ReadMp3(decoder, all.data(), all.size() / 2);
  all.resize(got * 2);
  return all;
}

}  // namespace

TEST(Mp3Decoder, GaplessLengthAndSampleExactSeeks) {
  constexpr size_t kSamples = 3 * 44100 + 123;
  const std::vector<uint8_t> mp3 = ClickTrack(kSamples, 44100);
  std::string error;
  Mp3Decoder* decoder = OpenMp3Decoder(mp3.data(), mp3.size(), error);
  ASSERT_NE(decoder, nullptr) << error;
  EXPECT_EQ(Mp3Length(*decoder), static_cast<int64_t>(kSamples)) << "encoder delay or padding not trimmed";

  const std::vector<float> all = DecodeAll(*decoder);
  ASSERT_EQ(all.size(), kSamples * 2);
  // The click comes out where it went in: no encoder delay before the track.
  size_t loudest = 0;
  for (size_t i = 0; i < kSamples; ++i)
    if (std::fabs(all[2 * i]) > std::fabs(all[2 * loudest])) loudest = i;
  EXPECT_NEAR(static_cast<double>(loudest), 44100.0, 2.0);

  // Backwards and forwards, odd milliseconds, frame boundaries and the very end.
  for (int ms : {1000, 1, 2999, 0, 26, 1234, 2500, 3002}) {
    const int64_t sample = SampleForMs(ms);
    ASSERT_TRUE(SeekMp3(*decoder, sample)) << ms;
    std::vector<float> chunk(2 * 1500);
    const size_t got = ReadMp3(*decoder, chunk.data(), 1500);
    const size_t expected = std::min<size_t>(1500, kSamples - static_cast<size_t>(sample));
    ASSERT_EQ(got, expected) << ms;
    for (size_t i = 0; i < 2 * got; ++i)
      ASSERT_NEAR(chunk[i], all[2 * static_cast<size_t>(sample) + i], 1e-6f) << "seek to " << ms << " ms, value " << i;
  }
  CloseMp3Decoder(decoder);
}

TEST(Mp3Decoder, RefusesWhatIsNotMp3) {
  std::string error;
  const std::vector<uint8_t> garbage(5000, 0x5A);
  EXPECT_EQ(OpenMp3Decoder(garbage.data(), garbage.size(), error), nullptr);
  EXPECT_FALSE(error.empty());
  const uint8_t nothing[1] = {0};
  EXPECT_EQ(OpenMp3Decoder(nothing, 0, error), nullptr);
}

TEST(Mp3Decoder, TruncatedTrackDecodesWhatIsThere) {
  std::vector<uint8_t> mp3 = SineMp3(1.0, 440, 0.5f);
  mp3.resize(mp3.size() / 2);
  std::string error;
  Mp3Decoder* decoder = OpenMp3Decoder(mp3.data(), mp3.size(), error);
  ASSERT_NE(decoder, nullptr) << error;
  std::vector<float> all = DecodeAll(*decoder);
  EXPECT_GT(all.size(), 2u * 10000);
  EXPECT_LT(all.size(), 2u * 44100);
  CloseMp3Decoder(decoder);
}
