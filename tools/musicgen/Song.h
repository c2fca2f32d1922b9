// A song as data: its instruments (tracks), its notes in beats, and the arrangement's sections.
#pragma once
#include <string>
#include <vector>

#include "tools/musicgen/Sequencer.h"
#include "tools/musicgen/Voice.h"

namespace synth {

enum class TrackKind { synth, kick, snare, hat };

// Drum settings; each kind reads its own group.
struct DrumTone {
  float startHz = 300.f, endHz = 50.f, sweepSeconds = 0.04f, decay = 0.4f, click = 0.3f, drive = 1.f;
  float toneHz = 190.f, toneDecay = 0.12f, noiseLevel = 0.8f, noiseDecay = 0.22f, snappyHz = 1800.f;
  float highPassHz = 7000.f, hatDecay = 0.06f;
};

struct TrackSettings {
  std::string name;
  TrackKind kind = TrackKind::synth;
  Patch patch;
  DrumTone drum;
  int polyphony = 8;
  float gain = 1.f;
  float pan = 0.f;         // -1 left .. 1 right
  float reverbSend = 0.f;
  float delaySend = 0.f;
  float chorusSend = 0.f;  // share of the track routed through the chorus instead of dry
  float duck = 0.f;        // 0..1: how far the kick pushes this track down
  bool duckSource = false; // this track's hits drive the ducking
  bool tuned = false;      // kick-kind tracks: note pitch transposes the sweep (toms)
  int chokes = -1;         // hat-kind tracks: the track whose hat this one cuts short
};

struct Section {
  std::string name;
  double startSeconds = 0.0;
};

struct Song {
  double bpm = 120.0;
  double lengthSeconds = 0.0;
  double fadeOutFromSeconds = 0.0;  // a last safety fade to digital silence
  std::vector<TrackSettings> tracks;
  std::vector<Note> notes;          // beats from the song start, any order
  std::vector<Section> sections;    // ordered by start
  float reverbRoom = 0.8f, reverbDamping = 0.4f, reverbReturn = 1.f;
  float delaySeconds = 0.375f, delayFeedback = 0.4f, delayReturn = 0.5f;

  double SecondsPerBeat() const { return 60.0 / bpm; }
};

// The show's track.
Song BuildShowSong();

}  // namespace synth
