// The pattern sequencer: note patterns in beats, written as short step or melody strings, and
// clips that loop a pattern over a stretch of the song into the song's flat list of notes.
#pragma once
#include <string>
#include <vector>

namespace synth {

// A note inside a pattern, or in the song once placed (then beat counts from the song start).
struct Note {
  double beat = 0.0;
  double length = 0.25;
  float pitch = 60.f;      // MIDI note number
  float velocity = 1.f;    // 0..1
  float brightness = 0.f;  // filter offset in octaves
  int track = 0;
};

struct Pattern {
  double lengthBeats = 4.0;
  std::vector<Note> notes;
};

// One character per step: 'X' 1.0, 'x' 0.8, 'o' 0.55, ',' 0.3, anything else a rest.
// Every hit lasts one step.
Pattern Steps(const std::string& steps, float pitch = 60.f, double stepBeats = 0.25);

// Space-separated tokens "<note><octave>:<steps>", e.g. "A4:2 C#5:1 -:1" ('-' is a rest).
// Unknown tokens are skipped.
Pattern Melody(const std::string& text, double stepBeats = 0.25);

// A pattern looped from anchorBeat, keeping the notes that start inside [fromBeat, toBeat).
// Velocity and brightness ramp linearly from the start to the end of the clip.
struct Clip {
  int track = 0;
  const Pattern* pattern = nullptr;
  double fromBeat = 0.0;
  double toBeat = 0.0;
  double anchorBeat = 0.0;
  int transpose = 0;
  float gainFrom = 1.f;
  float gainTo = 1.f;
  float brightnessFrom = 0.f;
  float brightnessTo = 0.f;
};

// Appends the clip's notes; notes are cut so that none rings past toBeat.
void PlaceClip(const Clip& clip, std::vector<Note>& song);

// Parses "C4", "F#3", "Bb5" to a MIDI number (C4 = 60); returns false for anything else.
bool ParseNoteName(const std::string& name, float& pitch);

}  // namespace synth
