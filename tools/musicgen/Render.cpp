#include "tools/musicgen/Render.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "tools/musicgen/Chorus.h"
#include "tools/musicgen/Compressor.h"
#include "tools/musicgen/Delay.h"
#include "tools/musicgen/Drums.h"
#include "tools/musicgen/Limiter.h"
#include "tools/musicgen/Reverb.h"

namespace synth {
namespace {

struct Trigger {
  int64_t start = 0;
  int64_t stop = 0;
  int track = 0;
  float pitch = 60.f;
  float velocity = 1.f;
  float brightness = 0.f;
};

struct VoiceSlot {
  Voice voice;
  int64_t releaseAt = -1;
  int64_t startedAt = 0;
};

// Everything one track needs while rendering; built once before the first sample.
struct TrackState {
  const TrackSettings* settings = nullptr;
  std::vector<VoiceSlot> voices;
  Kick kick;
  Snare snare;
  Hat hat;
  float panLeft = 1.f;
  float panRight = 1.f;
};

// The effect units are large; they live on the heap, made once per render.
struct Effects {
  Reverb reverb;
  Delay delay;
  Chorus chorus;
};

void InitTrack(const TrackSettings& settings, float rate, unsigned index, TrackState& state) {
  state.settings = &settings;
  const float pan = std::clamp(settings.pan, -1.f, 1.f);
  state.panLeft = std::cos(0.25f * 3.14159265f * (pan + 1.f)) * 1.41421356f;
  state.panRight = std::sin(0.25f * 3.14159265f * (pan + 1.f)) * 1.41421356f;
  const DrumTone& d = settings.drum;
  switch (settings.kind) {
    case TrackKind::synth:
      state.voices.resize(std::clamp(settings.polyphony, 1, 32));
      for (size_t v = 0; v < state.voices.size(); ++v) {
        state.voices[v].voice.Init(rate, &settings.patch, index * 977u + static_cast<unsigned>(v) + 1u);
      }
      break;
    case TrackKind::kick:
      state.kick.Init(rate);
      state.kick.SetPitch(d.startHz, d.endHz, d.sweepSeconds);
      state.kick.SetDecay(d.decay);
      state.kick.SetClick(d.click);
      state.kick.SetDrive(d.drive);
      break;
    case TrackKind::snare:
      state.snare.Init(rate);
      state.snare.SetTone(d.toneHz, d.toneDecay);
      state.snare.SetNoise(d.noiseLevel, d.noiseDecay, d.snappyHz);
      break;
    case TrackKind::hat:
      state.hat.Init(rate, 0x1A7u + index * 31u);
      state.hat.SetTone(d.highPassHz, d.hatDecay);
      break;
  }
}

void Start(const Trigger& t, std::vector<TrackState>& tracks) {
  TrackState& state = tracks[t.track];
  const TrackSettings& s = *state.settings;
  switch (s.kind) {
    case TrackKind::synth: {
      // A free voice, or else the one that started first.
      VoiceSlot* slot = &state.voices[0];
      for (VoiceSlot& candidate : state.voices) {
        if (!candidate.voice.Active()) {
          slot = &candidate;
          break;
        }
        if (candidate.startedAt < slot->startedAt) slot = &candidate;
      }
      slot->voice.NoteOn(t.pitch, t.velocity, t.brightness);
      slot->releaseAt = t.stop;
      slot->startedAt = t.start;
      break;
    }
    case TrackKind::kick:
      if (s.tuned) {
        const float ratio = std::exp2((t.pitch - 60.f) / 12.f);
        state.kick.SetPitch(s.drum.startHz * ratio, s.drum.endHz * ratio, s.drum.sweepSeconds);
      }
      state.kick.Trigger(t.velocity);
      break;
    case TrackKind::snare:
      state.snare.Trigger(t.velocity);
      break;
    case TrackKind::hat:
      state.hat.Trigger(t.velocity);
      if (s.chokes >= 0 && s.chokes < static_cast<int>(tracks.size())) tracks[s.chokes].hat.Choke();
      break;
  }
}

float ProcessTrack(TrackState& state, int64_t sample, float& right) {
  float left = 0.f;
  right = 0.f;
  switch (state.settings->kind) {
    case TrackKind::synth:
      for (VoiceSlot& slot : state.voices) {
        if (slot.releaseAt == sample) slot.voice.NoteOff();
        slot.voice.Process(left, right);
      }
      return left;
    case TrackKind::kick: left = state.kick.Process(); break;
    case TrackKind::snare: left = state.snare.Process(); break;
    case TrackKind::hat: left = state.hat.Process(); break;
  }
  right = left;
  return left;
}

std::vector<Trigger> Schedule(const Song& song, float rate) {
  const double samplesPerBeat = song.SecondsPerBeat() * rate;
  std::vector<Trigger> triggers;
  triggers.reserve(song.notes.size());
  for (const Note& n : song.notes) {
    if (n.track < 0 || n.track >= static_cast<int>(song.tracks.size())) continue;
    Trigger t;
    t.start = static_cast<int64_t>(std::llround(n.beat * samplesPerBeat));
    t.stop = t.start + std::max<int64_t>(1, std::llround(n.length * samplesPerBeat));
    t.track = n.track;
    t.pitch = n.pitch;
    t.velocity = n.velocity;
    t.brightness = n.brightness;
    triggers.push_back(t);
  }
  std::stable_sort(triggers.begin(), triggers.end(),
                   [](const Trigger& a, const Trigger& b) { return a.start < b.start; });
  return triggers;
}

}  // namespace

void RenderMix(const Song& song, int sampleRate, StereoBuffer& mix) {
  const float rate = static_cast<float>(std::clamp(sampleRate, 8000, 96000));
  const int64_t frames = static_cast<int64_t>(std::ceil(song.lengthSeconds * rate));
  mix.sampleRate = static_cast<int>(rate);
  mix.left.assign(frames, 0.f);
  mix.right.assign(frames, 0.f);

  std::vector<TrackState> tracks(song.tracks.size());
  for (size_t i = 0; i < tracks.size(); ++i) InitTrack(song.tracks[i], rate, static_cast<unsigned>(i), tracks[i]);
  auto effects = std::make_unique<Effects>();
  effects->reverb.Init(rate);
  effects->reverb.SetRoomSize(song.reverbRoom);
  effects->reverb.SetDamping(song.reverbDamping);
  effects->delay.Init(rate);
  effects->delay.SetTime(static_cast<float>(song.delaySeconds));
  effects->delay.SetFeedback(song.delayFeedback);
  effects->delay.SetDamping(4000.f);
  effects->chorus.Init(rate);
  effects->chorus.SetMix(0.6f);

  const std::vector<Trigger> triggers = Schedule(song, rate);
  size_t next = 0;
  float duckEnv = 0.f;
  const float duckCoef = std::exp(-1.f / (0.09f * rate));
  for (int64_t s = 0; s < frames; ++s) {
    for (; next < triggers.size() && triggers[next].start <= s; ++next) {
      const Trigger& t = triggers[next];
      Start(t, tracks);
      if (song.tracks[t.track].duckSource) duckEnv = std::max(duckEnv, t.velocity);
    }
    float dryL = 0.f, dryR = 0.f, reverbIn = 0.f, delayL = 0.f, delayR = 0.f, chorusL = 0.f, chorusR = 0.f;
    for (TrackState& state : tracks) {
      float r = 0.f;
      float l = ProcessTrack(state, s, r);
      const TrackSettings& ts = *state.settings;
      const float gain = ts.gain * (1.f - ts.duck * duckEnv);
      l *= gain * state.panLeft;
      r *= gain * state.panRight;
      dryL += l * (1.f - ts.chorusSend);
      dryR += r * (1.f - ts.chorusSend);
      chorusL += l * ts.chorusSend;
      chorusR += r * ts.chorusSend;
      reverbIn += (l + r) * ts.reverbSend;
      delayL += l * ts.delaySend;
      delayR += r * ts.delaySend;
    }
    duckEnv *= duckCoef;
    float echoL = 0.f, echoR = 0.f, roomL = 0.f, roomR = 0.f;
    effects->delay.Process(delayL, delayR, echoL, echoR);
    // The echoes reach the room too, so they sit in the same space as the dry sound.
    reverbIn += 0.3f * (echoL + echoR);
    effects->reverb.Process(reverbIn, reverbIn, roomL, roomR);
    effects->chorus.Process(chorusL, chorusR);
    mix.left[s] = dryL + chorusL + song.delayReturn * echoL + song.reverbReturn * roomL;
    mix.right[s] = dryR + chorusR + song.delayReturn * echoR + song.reverbReturn * roomR;
  }
}

void Master(const Song& song, const StereoBuffer& mix, const MasterSettings& settings,
            StereoBuffer& out) {
  const float rate = static_cast<float>(mix.sampleRate);
  const size_t frames = mix.Frames();
  out.sampleRate = mix.sampleRate;
  out.left.assign(frames, 0.f);
  out.right.assign(frames, 0.f);
  Compressor bus;
  bus.Init(rate);
  // Set for a mix at about -20 LUFS: a few dB of glue on the loudest passages.
  bus.SetThreshold(-12.f);
  bus.SetRatio(2.f);
  bus.SetAttack(0.03f);
  bus.SetRelease(0.25f);
  Limiter limiter;
  limiter.Init(rate);
  limiter.SetCeiling(settings.ceilingDb);
  limiter.SetRelease(0.05f);
  const float inputGain = std::pow(10.f, settings.inputGainDb / 20.f);
  const float gain = std::pow(10.f, settings.gainDb / 20.f);
  const size_t latency = static_cast<size_t>(limiter.Latency());
  const double fadeFrom = song.fadeOutFromSeconds * rate;
  // The last sample lands exactly on zero.
  const double fadeLength = std::max(1.0, static_cast<double>(frames) - 1.0 - fadeFrom);
  for (size_t s = 0; s < frames + latency; ++s) {
    float l = s < frames ? mix.left[s] : 0.f;
    float r = s < frames ? mix.right[s] : 0.f;
    l *= inputGain;
    r *= inputGain;
    bus.Process(l, r);
    l *= gain;
    r *= gain;
    limiter.Process(l, r);
    if (s < latency) continue;
    const size_t at = s - latency;
    const double fade = at > fadeFrom ? std::max(0.0, 1.0 - (at - fadeFrom) / fadeLength) : 1.0;
    out.left[at] = l * static_cast<float>(fade);
    out.right[at] = r * static_cast<float>(fade);
  }
}

}  // namespace synth
