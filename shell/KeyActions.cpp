// The key table's tests, in their fixed order.
#include "shell/KeyActions.h"

namespace {

struct KeyBinding {
  int virtualKey;
  KeyAction action;
};

constexpr KeyBinding kBindings[kMaxKeyActions] = {
    {27, {KeyActionType::requestQuit, 0}},       // Escape
    {112, {KeyActionType::postUserMessage, 0}},  // F1
    {37, {KeyActionType::seek, -500}},           // Left
    {39, {KeyActionType::seek, 500}},            // Right
    {38, {KeyActionType::seek, 5000}},           // Up
    {40, {KeyActionType::seek, -5000}},          // Down
};

}  // namespace

int CollectKeyActions(const int* keys, const int* keyPresses, KeyAction out[kMaxKeyActions]) {
  int count = 0;
  for (const KeyBinding& binding : kBindings) {
    if (keys[binding.virtualKey] || keyPresses[binding.virtualKey]) out[count++] = binding.action;
  }
  return count;
}
