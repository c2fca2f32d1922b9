#include "tools/musicgen/Harmony.h"

namespace synth {
namespace {

// Puts a pitch class into [low, low + 12).
int InRange(int pitch, int low) {
  int p = pitch % 12;
  while (p < low) p += 12;
  while (p >= low + 12) p -= 12;
  return p;
}

int Third(const Chord& c) { return c.minor ? 3 : 4; }

void ForEachChord(const Progression& progression, Pattern& pattern, auto&& body) {
  double at = 0.0;
  for (const Chord& c : progression) {
    body(c, at);
    at += c.beats;
  }
  pattern.lengthBeats = at > 0.0 ? at : 4.0;
}

}  // namespace

Pattern PadChords(const Progression& progression) {
  Pattern p;
  ForEachChord(progression, p, [&](const Chord& c, double at) {
    for (int tone : {c.root, c.root + Third(c), c.root + 7}) {
      p.notes.push_back({at, c.beats, static_cast<float>(InRange(tone, 55)), 1.f, 0.f, 0});
    }
    p.notes.push_back({at, c.beats, static_cast<float>(InRange(c.root, 43)), 0.8f, 0.f, 0});
  });
  return p;
}

Pattern BassLine(const Progression& progression, const std::string& rhythm) {
  Pattern p;
  if (rhythm.empty()) return p;
  ForEachChord(progression, p, [&](const Chord& c, double at) {
    const int steps = static_cast<int>(c.beats * 4.0 + 0.5);
    for (int s = 0; s < steps; ++s) {
      const char ch = rhythm[s % rhythm.size()];
      int pitch = 0;
      switch (ch) {
        case 'R': pitch = c.root; break;
        case 'O': pitch = c.root + 12; break;
        case 'F': pitch = c.root + 7; break;
        case 'f': pitch = c.root - 5; break;
        case '-':
          if (!p.notes.empty() && p.notes.back().beat + p.notes.back().length >= at + s * 0.25 - 1e-9) {
            p.notes.back().length += 0.25;
          }
          continue;
        default: continue;
      }
      p.notes.push_back({at + s * 0.25, 0.25, static_cast<float>(pitch), ch == 'R' ? 1.f : 0.85f, 0.f, 0});
    }
  });
  return p;
}

Pattern Arpeggio(const Progression& progression, const std::string& order, double stepBeats) {
  Pattern p;
  if (order.empty() || stepBeats <= 0.0) return p;
  ForEachChord(progression, p, [&](const Chord& c, double at) {
    const int root = InRange(c.root, 57);
    const int tones[7] = {root, root + Third(c), root + 7, root + 12, root + 12 + Third(c), root + 19, root + 24};
    const int steps = static_cast<int>(c.beats / stepBeats + 0.5);
    for (int s = 0; s < steps; ++s) {
      const char ch = order[s % order.size()];
      if (ch < '0' || ch > '6') continue;
      const float accent = s % 4 == 0 ? 1.f : 0.75f;
      p.notes.push_back({at + s * stepBeats, stepBeats, static_cast<float>(tones[ch - '0']), accent, 0.f, 0});
    }
  });
  return p;
}

Pattern Stabs(const Progression& progression, const std::string& rhythm) {
  Pattern p;
  if (rhythm.empty()) return p;
  ForEachChord(progression, p, [&](const Chord& c, double at) {
    const int steps = static_cast<int>(c.beats * 4.0 + 0.5);
    for (int s = 0; s < steps; ++s) {
      if (rhythm[s % rhythm.size()] != 'x') continue;
      for (int tone : {c.root, c.root + Third(c), c.root + 7}) {
        p.notes.push_back({at + s * 0.25, 0.25, static_cast<float>(InRange(tone, 64)), 1.f, 0.f, 0});
      }
      p.notes.push_back({at + s * 0.25, 0.25, static_cast<float>(InRange(c.root, 64) + 12), 0.8f, 0.f, 0});
    }
  });
  return p;
}

Pattern Roll(double beats) {
  Pattern p;
  p.lengthBeats = beats;
  double at = 0.0;
  while (at < beats - 1e-9) {
    const double progress = at / beats;
    const double step = progress < 0.5 ? 0.5 : progress < 0.75 ? 0.25 : 0.125;
    const float velocity = static_cast<float>(0.3 + 0.7 * progress);
    p.notes.push_back({at, step, 60.f, velocity, 0.f, 0});
    at += step;
  }
  return p;
}

}  // namespace synth
