// The show's song as data: its sections fall on the show's cues and its notes change there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "tools/musicgen/Render.h"
#include "tools/musicgen/ShowInstruments.h"
#include "tools/musicgen/Song.h"

namespace {

constexpr double kCues[] = {0,     8,     30,    40,    50,  59.5,  61.5,  85.5,  92.5,  103,   109, 115,
                            116,   130,   143,   156,   158.6, 158.8, 159.3, 161,   168,   175,   181.5, 188.5,
                            209,   216,   222.8, 228,   236,   250,   277,   278,   279,   282};

const synth::Song& ShowSong() {
  static const synth::Song song = synth::BuildShowSong();
  return song;
}

// What starts in [from, to): (track, pitch, velocity) of each note, as a set.
std::set<std::tuple<int, int, int>> NotesIn(double from, double to) {
  std::set<std::tuple<int, int, int>> notes;
  for (const auto& n : ShowSong().notes) {
    const double t = n.beat * ShowSong().SecondsPerBeat();
    if (t >= from - 1e-6 && t < to - 1e-6) {
      notes.insert({n.track, static_cast<int>(n.pitch), static_cast<int>(n.velocity * 100)});
    }
  }
  return notes;
}

TEST(ShowSong, TempoLengthAndEnding) {
  const auto& song = ShowSong();
  EXPECT_DOUBLE_EQ(song.bpm, 120.0);
  EXPECT_GE(song.lengthSeconds, 290.0);
  double last = 0.0;
  for (const auto& n : song.notes) last = std::max(last, (n.beat + n.length) * song.SecondsPerBeat());
  // The last chord starts at 282 s and everything has stopped well before the file ends.
  EXPECT_GT(last, 282.0);
  EXPECT_LT(last, song.lengthSeconds - 8.0);
  EXPECT_TRUE(NotesIn(282.0, 282.01).size() > 3);
  EXPECT_TRUE(NotesIn(282.01, 400.0).empty());
}

TEST(ShowSong, ASectionStartsOnEveryCue) {
  const auto& sections = ShowSong().sections;
  ASSERT_EQ(sections.size(), std::size(kCues));
  for (size_t i = 0; i < sections.size(); ++i) {
    EXPECT_NEAR(sections[i].startSeconds, kCues[i], 1e-9) << sections[i].name;
    if (i > 0) {
      EXPECT_GT(sections[i].startSeconds, sections[i - 1].startSeconds);
    }
  }
}

TEST(ShowSong, TheMusicChangesAtEveryCue) {
  // Something new starts right on each cue (within a millisecond): a hit, a chord or a loop.
  for (double cue : kCues) {
    if (cue == 0.0) continue;
    EXPECT_FALSE(NotesIn(cue, cue + 0.001).empty()) << cue;
  }
  // And the material after the cue is not the material before it.
  for (double cue : kCues) {
    if (cue < 1.0) continue;
    const double span = 0.2;
    const auto before = NotesIn(cue - span * 5, cue);
    const auto after = NotesIn(cue, cue + span * 5);
    EXPECT_NE(before, after) << cue;
  }
}

TEST(ShowSong, NotesArePlayableOnTheirTracks) {
  const auto& song = ShowSong();
  ASSERT_EQ(static_cast<int>(song.tracks.size()), synth::kShowTrackCount);
  for (const auto& n : song.notes) {
    ASSERT_GE(n.track, 0);
    ASSERT_LT(n.track, synth::kShowTrackCount);
    EXPECT_GE(n.pitch, 12.f);
    EXPECT_LE(n.pitch, 108.f);
    EXPECT_GT(n.velocity, 0.f);
    EXPECT_LE(n.velocity, 1.f);
    EXPECT_GT(n.length, 0.0);
  }
}

TEST(Render, SameSongSameSamples) {
  // A short piece with every track playing, rendered twice.
  synth::Song song;
  song.lengthSeconds = 1.5;
  song.fadeOutFromSeconds = 1.4;
  song.tracks = synth::ShowInstruments();
  for (int t = 0; t < synth::kShowTrackCount; ++t) song.notes.push_back({0.1 * t, 1.0, 57.f, 1.f, 0.f, t});
  synth::StereoBuffer a, b, masterA, masterB;
  synth::RenderMix(song, 44100, a);
  synth::RenderMix(song, 44100, b);
  ASSERT_EQ(a.Frames(), static_cast<size_t>(1.5 * 44100));
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.right, b.right);
  synth::Master(song, a, {}, masterA);
  synth::Master(song, b, {}, masterB);
  EXPECT_EQ(masterA.left, masterB.left);
  float energy = 0.f;
  for (float v : masterA.left) {
    ASSERT_TRUE(std::isfinite(v));
    energy += v * v;
  }
  EXPECT_GT(energy, 1.f);
  EXPECT_FLOAT_EQ(masterA.left.back(), 0.f);  // the end fade reaches silence
}

}  // namespace
