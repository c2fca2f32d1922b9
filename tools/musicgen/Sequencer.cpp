#include "tools/musicgen/Sequencer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace synth {

Pattern Steps(const std::string& steps, float pitch, double stepBeats) {
  Pattern pattern;
  pattern.lengthBeats = steps.size() * stepBeats;
  for (size_t i = 0; i < steps.size(); ++i) {
    float velocity = 0.f;
    switch (steps[i]) {
      case 'X': velocity = 1.f; break;
      case 'x': velocity = 0.8f; break;
      case 'o': velocity = 0.55f; break;
      case ',': velocity = 0.3f; break;
      default: break;
    }
    if (velocity > 0.f) {
      pattern.notes.push_back({static_cast<double>(i) * stepBeats, stepBeats, pitch, velocity, 0.f, 0});
    }
  }
  return pattern;
}

bool ParseNoteName(const std::string& name, float& pitch) {
  static const int kLetterSemitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2) return false;
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  if (letter < 'A' || letter > 'G') return false;
  int semitone = kLetterSemitone[letter - 'A'];
  size_t i = 1;
  if (name[i] == '#') {
    ++semitone;
    ++i;
  } else if (name[i] == 'b') {
    --semitone;
    ++i;
  }
  if (i + 1 != name.size() || name[i] < '0' || name[i] > '8') return false;
  pitch = static_cast<float>(12 * (name[i] - '0' + 1) + semitone);
  return true;
}

Pattern Melody(const std::string& text, double stepBeats) {
  Pattern pattern;
  std::istringstream tokens(text);
  std::string token;
  double beat = 0.0;
  while (tokens >> token) {
    const size_t colon = token.find(':');
    if (colon == std::string::npos) continue;
    const int steps = std::atoi(token.c_str() + colon + 1);
    if (steps <= 0) continue;
    const double length = steps * stepBeats;
    const std::string name = token.substr(0, colon);
    float pitch = 0.f;
    if (name != "-" && ParseNoteName(name, pitch)) {
      pattern.notes.push_back({beat, length, pitch, 1.f, 0.f, 0});
    } else if (name != "-") {
      continue;
    }
    beat += length;
  }
  pattern.lengthBeats = beat > 0.0 ? beat : 4.0;
  return pattern;
}

void PlaceClip(const Clip& clip, std::vector<Note>& song) {
  if (!clip.pattern || clip.pattern->lengthBeats <= 0.0 || !(clip.toBeat > clip.fromBeat)) return;
  const Pattern& p = *clip.pattern;
  const double span = clip.toBeat - clip.fromBeat;
  // First repetition that can reach into the clip.
  double start = clip.anchorBeat +
                 std::floor((clip.fromBeat - clip.anchorBeat) / p.lengthBeats) * p.lengthBeats;
  for (; start < clip.toBeat; start += p.lengthBeats) {
    for (const Note& n : p.notes) {
      const double beat = start + n.beat;
      // A small tolerance keeps notes that sit exactly on the clip's start.
      if (beat < clip.fromBeat - 1e-9 || beat >= clip.toBeat - 1e-9) continue;
      const float position = static_cast<float>((beat - clip.fromBeat) / span);
      Note placed = n;
      placed.beat = beat;
      placed.length = std::min(n.length, clip.toBeat - beat);
      placed.pitch = n.pitch + static_cast<float>(clip.transpose);
      placed.velocity = n.velocity * (clip.gainFrom + (clip.gainTo - clip.gainFrom) * position);
      placed.brightness =
          n.brightness + clip.brightnessFrom + (clip.brightnessTo - clip.brightnessFrom) * position;
      placed.track = clip.track;
      song.push_back(placed);
    }
  }
}

}  // namespace synth
