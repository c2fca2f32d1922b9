// Pattern notation, clip placement and the chord-based pattern makers.
#include <gtest/gtest.h>

#include <vector>

#include "tools/musicgen/Harmony.h"
#include "tools/musicgen/Sequencer.h"

namespace {

TEST(Steps, CharactersBecomeHitsWithTheirVelocities) {
  const auto p = synth::Steps("X.x.o,-.", 36.f);
  EXPECT_DOUBLE_EQ(p.lengthBeats, 2.0);
  ASSERT_EQ(p.notes.size(), 4u);
  EXPECT_DOUBLE_EQ(p.notes[1].beat, 0.5);
  EXPECT_FLOAT_EQ(p.notes[1].velocity, 0.8f);
  EXPECT_FLOAT_EQ(p.notes[3].velocity, 0.3f);
  EXPECT_FLOAT_EQ(p.notes[3].pitch, 36.f);
}

TEST(Melody, ParsesNamesLengthsAndRests) {
  float pitch = 0.f;
  EXPECT_TRUE(synth::ParseNoteName("C4", pitch));
  EXPECT_FLOAT_EQ(pitch, 60.f);
  EXPECT_TRUE(synth::ParseNoteName("A4", pitch));
  EXPECT_FLOAT_EQ(pitch, 69.f);
  EXPECT_TRUE(synth::ParseNoteName("Bb3", pitch));
  EXPECT_FLOAT_EQ(pitch, 58.f);
  EXPECT_TRUE(synth::ParseNoteName("F#2", pitch));
  EXPECT_FLOAT_EQ(pitch, 42.f);
  for (const char* bad : {"H4", "C", "C#", "C44", "c9", ""}) EXPECT_FALSE(synth::ParseNoteName(bad, pitch)) << bad;

  const auto p = synth::Melody("A4:2 -:2 C5:4 junk Q9:3 E5:0 G5:1");
  ASSERT_EQ(p.notes.size(), 3u);
  EXPECT_DOUBLE_EQ(p.notes[1].beat, 1.0);
  EXPECT_DOUBLE_EQ(p.notes[1].length, 1.0);
  EXPECT_DOUBLE_EQ(p.notes[2].beat, 2.0);
  EXPECT_DOUBLE_EQ(p.lengthBeats, 2.25);
}

TEST(PlaceClip, LoopsFromTheAnchorAndCutsAtTheEnd) {
  const auto p = synth::Melody("C4:4 D4:8");  // 3 beats: C for 1, D for 2
  synth::Clip clip;
  clip.track = 5;
  clip.pattern = &p;
  clip.anchorBeat = 1.0;
  clip.fromBeat = 3.0;  // the anchor lies before the clip: start mid-pattern
  clip.toBeat = 8.0;
  clip.transpose = 12;
  clip.gainFrom = 0.f;
  clip.gainTo = 1.f;
  std::vector<synth::Note> song;
  synth::PlaceClip(clip, song);
  // Repetitions at 1, 4, 7: D at 2 is before the clip; C4, D5, C7 remain, D at 8 is outside.
  ASSERT_EQ(song.size(), 3u);
  EXPECT_DOUBLE_EQ(song[0].beat, 4.0);
  EXPECT_FLOAT_EQ(song[0].pitch, 72.f);
  EXPECT_EQ(song[0].track, 5);
  EXPECT_DOUBLE_EQ(song[1].beat, 5.0);
  EXPECT_DOUBLE_EQ(song[2].beat, 7.0);
  EXPECT_DOUBLE_EQ(song[2].length, 1.0);
  EXPECT_FLOAT_EQ(song[0].velocity, 0.2f);  // a fifth of the way through the clip
  // Degenerate clips place nothing.
  clip.toBeat = clip.fromBeat;
  synth::PlaceClip(clip, song);
  EXPECT_EQ(song.size(), 3u);
}

TEST(Harmony, BassTiesChordsAndRolls) {
  const synth::Progression prog = {{33, true, 1.0}, {29, false, 1.0}};
  const auto bass = synth::BassLine(prog, "R-O.");
  ASSERT_EQ(bass.notes.size(), 4u);
  EXPECT_DOUBLE_EQ(bass.notes[0].length, 0.5);
  EXPECT_FLOAT_EQ(bass.notes[1].pitch, 45.f);
  EXPECT_FLOAT_EQ(bass.notes[2].pitch, 29.f);
  EXPECT_DOUBLE_EQ(bass.lengthBeats, 2.0);

  const auto pad = synth::PadChords({{33, true, 4.0}});
  ASSERT_EQ(pad.notes.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_GE(pad.notes[i].pitch, 55.f);
    EXPECT_LT(pad.notes[i].pitch, 67.f);
  }
  EXPECT_FLOAT_EQ(pad.notes[1].pitch, 60.f);  // the minor third of A is C4

  const auto roll = synth::Roll(4.0);
  ASSERT_GT(roll.notes.size(), 8u);
  EXPECT_GT(roll.notes.front().length, roll.notes.back().length);
  EXPECT_LT(roll.notes.front().velocity, roll.notes.back().velocity);
  EXPECT_LT(roll.notes.back().beat, 4.0);
}

}  // namespace
