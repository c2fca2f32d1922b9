// What the held keys ask for in one frame, in the fixed order the update step acts on them.
#pragma once

enum class KeyActionType { requestQuit, postUserMessage, seek };

struct KeyAction {
  KeyActionType type;
  float seekOffsetMs;  // for seek: negative moves back
};

constexpr int kMaxKeyActions = 6;

// Escape, F1, Left (-500 ms), Right (+500), Up (+5000), Down (-5000): every key held now or
// pressed since the previous frame acts once, in that order. Returns the number of actions
// written to out.
int CollectKeyActions(const int* keys, const int* keyPresses, KeyAction out[kMaxKeyActions]);
