// Patterns made from chord progressions: sustained pad chords, bass lines, arpeggios and stabs.
#pragma once
#include <string>
#include <vector>

#include "tools/musicgen/Sequencer.h"

namespace synth {

struct Chord {
  int root = 33;  // MIDI note of the root in the bass octave (A1 = 33)
  bool minor = true;
  double beats = 4.0;
};
using Progression = std::vector<Chord>;

// Root, third and fifth kept between G3 and F#4, with the root doubled an octave below.
Pattern PadChords(const Progression& progression);

// rhythm: one character per sixteenth, repeating over each chord: 'R' root, 'O' octave above,
// 'F' fifth above, 'f' fourth below, '-' holds the previous note, anything else a rest.
Pattern BassLine(const Progression& progression, const std::string& rhythm);

// order: digits indexing the chord's tones upwards from the root near A3 (0 root, 1 third,
// 2 fifth, 3 octave, ... up to 6), one per step of stepBeats; '.' a rest.
Pattern Arpeggio(const Progression& progression, const std::string& order, double stepBeats);

// Chord hits (triad plus octave near C5) where rhythm has 'x' (one sixteenth per character).
Pattern Stabs(const Progression& progression, const std::string& rhythm);

// A snare roll over the given beats that speeds up from eighths to thirty-seconds and swells.
Pattern Roll(double beats);

}  // namespace synth
