// Sounds of the show song. Levels are set so that the drums lead and the kick's body (with the
// punch layer) carries the 150-300 Hz energy the pictures react to.
#include "tools/musicgen/ShowInstruments.h"

namespace synth {
namespace {

TrackSettings Drum(const char* name, TrackKind kind, float gain) {
  TrackSettings t;
  t.name = name;
  t.kind = kind;
  t.gain = gain;
  return t;
}

TrackSettings Synth(const char* name, const Patch& patch, float gain, int polyphony) {
  TrackSettings t;
  t.name = name;
  t.patch = patch;
  t.gain = gain;
  t.polyphony = polyphony;
  return t;
}

}  // namespace

std::vector<TrackSettings> ShowInstruments() {
  std::vector<TrackSettings> tracks(kShowTrackCount);

  tracks[kKick] = Drum("kick", TrackKind::kick, 0.6f);
  tracks[kKick].drum.startHz = 260.f;
  tracks[kKick].drum.endHz = 48.f;
  tracks[kKick].drum.sweepSeconds = 0.035f;
  tracks[kKick].drum.decay = 0.45f;
  tracks[kKick].drum.click = 0.35f;
  tracks[kKick].drum.drive = 2.f;
  tracks[kKick].duckSource = true;

  // The kick's upper body: a tuned thump settling on B3 (at pitch 60), in key with the song.
  tracks[kPunch] = Drum("punch", TrackKind::kick, 1.4f);
  tracks[kPunch].drum.startHz = 330.f;
  tracks[kPunch].drum.endHz = 247.f;
  tracks[kPunch].drum.sweepSeconds = 0.012f;
  tracks[kPunch].drum.decay = 0.3f;
  tracks[kPunch].tuned = true;
  tracks[kPunch].drum.click = 0.f;
  tracks[kPunch].drum.drive = 1.5f;

  tracks[kSnare] = Drum("snare", TrackKind::snare, 0.7f);
  tracks[kSnare].drum.toneHz = 185.f;
  tracks[kSnare].drum.toneDecay = 0.13f;
  tracks[kSnare].drum.noiseLevel = 0.85f;
  tracks[kSnare].drum.noiseDecay = 0.25f;
  tracks[kSnare].drum.snappyHz = 1500.f;
  tracks[kSnare].reverbSend = 0.25f;

  tracks[kClap] = Drum("clap", TrackKind::snare, 0.55f);
  tracks[kClap].drum.toneHz = 900.f;
  tracks[kClap].drum.toneDecay = 0.02f;
  tracks[kClap].drum.noiseLevel = 1.f;
  tracks[kClap].drum.noiseDecay = 0.18f;
  tracks[kClap].drum.snappyHz = 2200.f;
  tracks[kClap].reverbSend = 0.45f;
  tracks[kClap].pan = 0.1f;

  tracks[kClosedHat] = Drum("closed hat", TrackKind::hat, 0.4f);
  tracks[kClosedHat].drum.highPassHz = 8000.f;
  tracks[kClosedHat].drum.hatDecay = 0.05f;
  tracks[kClosedHat].pan = 0.25f;
  tracks[kClosedHat].chokes = kOpenHat;
  tracks[kClosedHat].reverbSend = 0.05f;

  tracks[kOpenHat] = Drum("open hat", TrackKind::hat, 0.24f);
  tracks[kOpenHat].drum.highPassHz = 6500.f;
  tracks[kOpenHat].drum.hatDecay = 0.35f;
  tracks[kOpenHat].pan = -0.2f;
  tracks[kOpenHat].reverbSend = 0.1f;

  tracks[kCrash] = Drum("crash", TrackKind::hat, 0.16f);
  tracks[kCrash].drum.highPassHz = 3500.f;
  tracks[kCrash].drum.hatDecay = 2.8f;
  tracks[kCrash].reverbSend = 0.4f;
  tracks[kCrash].pan = -0.1f;

  tracks[kImpact] = Drum("impact", TrackKind::kick, 0.9f);
  tracks[kImpact].drum.startHz = 160.f;
  tracks[kImpact].drum.endHz = 30.f;
  tracks[kImpact].drum.sweepSeconds = 0.25f;
  tracks[kImpact].drum.decay = 3.5f;
  tracks[kImpact].drum.click = 0.8f;
  tracks[kImpact].drum.drive = 3.f;
  tracks[kImpact].reverbSend = 0.5f;

  tracks[kTom] = Drum("tom", TrackKind::kick, 0.45f);
  tracks[kTom].drum.startHz = 240.f;
  tracks[kTom].drum.endHz = 120.f;
  tracks[kTom].drum.sweepSeconds = 0.06f;
  tracks[kTom].drum.decay = 0.45f;
  tracks[kTom].drum.click = 0.2f;
  tracks[kTom].drum.drive = 1.5f;
  tracks[kTom].tuned = true;
  tracks[kTom].reverbSend = 0.35f;

  Patch bass;
  bass.waveform = Waveform::saw;
  bass.unison = 2;
  bass.detuneCents = 8.f;
  bass.subLevel = 0.7f;
  bass.attack = 0.002f;
  bass.decay = 0.3f;
  bass.sustain = 0.7f;
  bass.release = 0.05f;
  bass.cutoffHz = 380.f;
  bass.resonance = 1.6f;
  bass.keyTrack = 0.6f;
  bass.envOctaves = 2.5f;
  bass.filterDecay = 0.22f;
  bass.drive = 1.8f;
  tracks[kBass] = Synth("bass", bass, 0.25f, 2);
  tracks[kBass].duck = 0.5f;

  Patch pad;
  pad.waveform = Waveform::saw;
  pad.unison = 5;
  pad.detuneCents = 24.f;
  pad.stereoSpread = 0.9f;
  pad.attack = 0.6f;
  pad.decay = 1.5f;
  pad.sustain = 0.8f;
  pad.release = 1.2f;
  pad.cutoffHz = 1400.f;
  pad.resonance = 0.8f;
  pad.keyTrack = 0.3f;
  pad.lfoHz = 0.15f;
  pad.lfoOctaves = 0.5f;
  tracks[kPad] = Synth("pad", pad, 0.13f, 16);
  tracks[kPad].chorusSend = 0.5f;
  tracks[kPad].reverbSend = 0.5f;
  tracks[kPad].duck = 0.55f;

  Patch lead;
  lead.waveform = Waveform::saw;
  lead.unison = 3;
  lead.detuneCents = 14.f;
  lead.stereoSpread = 0.5f;
  lead.attack = 0.004f;
  lead.decay = 0.4f;
  lead.sustain = 0.75f;
  lead.release = 0.18f;
  lead.cutoffHz = 2600.f;
  lead.resonance = 1.1f;
  lead.keyTrack = 0.5f;
  lead.envOctaves = 1.2f;
  lead.filterDecay = 0.35f;
  lead.filterSustain = 0.3f;
  lead.lfoHz = 5.5f;
  lead.vibratoCents = 9.f;
  tracks[kLead] = Synth("lead", lead, 0.21f, 4);
  tracks[kLead].delaySend = 0.3f;
  tracks[kLead].reverbSend = 0.3f;
  tracks[kLead].duck = 0.2f;

  Patch arp;
  arp.waveform = Waveform::pulse;
  arp.pulseWidth = 0.3f;
  arp.attack = 0.001f;
  arp.decay = 0.18f;
  arp.sustain = 0.f;
  arp.release = 0.1f;
  arp.cutoffHz = 1200.f;
  arp.resonance = 2.5f;
  arp.keyTrack = 0.7f;
  arp.envOctaves = 2.5f;
  arp.filterDecay = 0.12f;
  tracks[kArp] = Synth("arp", arp, 0.25f, 6);
  tracks[kArp].pan = -0.15f;
  tracks[kArp].delaySend = 0.45f;
  tracks[kArp].reverbSend = 0.2f;
  tracks[kArp].duck = 0.4f;

  Patch stab;
  stab.waveform = Waveform::saw;
  stab.unison = 5;
  stab.detuneCents = 30.f;
  stab.stereoSpread = 1.f;
  stab.attack = 0.002f;
  stab.decay = 0.35f;
  stab.sustain = 0.f;
  stab.release = 0.2f;
  stab.cutoffHz = 1800.f;
  stab.resonance = 1.f;
  stab.keyTrack = 0.3f;
  stab.envOctaves = 2.f;
  stab.filterDecay = 0.25f;
  tracks[kStab] = Synth("stab", stab, 0.19f, 16);
  tracks[kStab].reverbSend = 0.45f;
  tracks[kStab].delaySend = 0.15f;
  tracks[kStab].duck = 0.3f;

  Patch bell;
  bell.waveform = Waveform::pulse;
  bell.pulseWidth = 0.12f;
  bell.attack = 0.001f;
  bell.decay = 1.2f;
  bell.sustain = 0.f;
  bell.release = 0.6f;
  bell.cutoffHz = 2400.f;
  bell.resonance = 0.9f;
  bell.keyTrack = 0.8f;
  bell.envOctaves = 1.5f;
  bell.filterDecay = 0.4f;
  tracks[kBell] = Synth("bell", bell, 0.12f, 8);
  tracks[kBell].pan = 0.3f;
  tracks[kBell].delaySend = 0.5f;
  tracks[kBell].reverbSend = 0.5f;

  // Noise swept by a slow filter envelope: the rush of a build-up.
  Patch riser;
  riser.waveform = Waveform::saw;
  riser.unison = 1;
  riser.oscLevel = 0.f;
  riser.noiseLevel = 1.f;
  riser.gain = 1.f;
  riser.attack = 1.5f;
  riser.decay = 0.5f;
  riser.sustain = 1.f;
  riser.release = 0.6f;
  riser.filterMode = FilterMode::band;
  riser.cutoffHz = 300.f;
  riser.resonance = 2.f;
  riser.keyTrack = 0.f;
  riser.envOctaves = 4.f;
  riser.filterAttack = 2.f;
  riser.filterSustain = 1.f;
  riser.filterRelease = 1.f;
  tracks[kRiser] = Synth("riser", riser, 0.09f, 2);
  tracks[kRiser].reverbSend = 0.4f;
  tracks[kRiser].pan = 0.f;
  return tracks;
}

}  // namespace synth
