// Scancode to virtual-key translation for the show's key table.
#include "platform/KeyMap.h"

namespace {

struct KeyPair {
  int scancode;
  int virtualKey;
};

// USB HID usage IDs of the keys beyond letters, digits and function keys.
constexpr KeyPair kNamedKeys[] = {
    {40, 13},   // Return
    {41, 27},   // Escape
    {42, 8},    // Backspace
    {43, 9},    // Tab
    {44, 32},   // Space
    {73, 45},   // Insert
    {74, 36},   // Home
    {75, 33},   // Page Up
    {76, 46},   // Delete
    {77, 35},   // End
    {78, 34},   // Page Down
    {79, 39},   // Right
    {80, 37},   // Left
    {81, 40},   // Down
    {82, 38},   // Up
    {88, 13},   // keypad Enter
    {224, 17},  // left Ctrl
    {225, 16},  // left Shift
    {228, 17},  // right Ctrl
    {229, 16},  // right Shift
};

// The keypad's digit and point keys with NumLock off, as Windows reports them: the cursor keys they
// are engraved with. With NumLock on they stay out of the table.
constexpr KeyPair kKeypadCursorKeys[] = {
    {89, 35},  // keypad 1: End
    {90, 40},  // keypad 2: Down
    {91, 34},  // keypad 3: Page Down
    {92, 37},  // keypad 4: Left
    {93, 12},  // keypad 5: Clear
    {94, 39},  // keypad 6: Right
    {95, 36},  // keypad 7: Home
    {96, 38},  // keypad 8: Up
    {97, 33},  // keypad 9: Page Up
    {98, 45},  // keypad 0: Insert
    {99, 46},  // keypad point: Delete
};

constexpr int kScancodeA = 4, kScancodeZ = 29;
constexpr int kScancode1 = 30, kScancode0 = 39;
constexpr int kScancodeF1 = 58, kScancodeF12 = 69, kScancodeF10 = 67;
constexpr int kVirtualKeyF1 = 112;

}  // namespace

int VirtualKeyFromScancode(int scancode, bool numLock) {
  if (scancode >= kScancodeA && scancode <= kScancodeZ) return 'A' + (scancode - kScancodeA);
  if (scancode >= kScancode1 && scancode < kScancode0) return '1' + (scancode - kScancode1);
  if (scancode == kScancode0) return '0';
  if (scancode >= kScancodeF1 && scancode <= kScancodeF12) return kVirtualKeyF1 + (scancode - kScancodeF1);
  for (const KeyPair& pair : kNamedKeys) {
    if (pair.scancode == scancode) return pair.virtualKey;
  }
  for (const KeyPair& pair : kKeypadCursorKeys) {
    if (pair.scancode == scancode) return numLock ? 0 : pair.virtualKey;
  }
  return 0;
}

bool IsRecordedKeyEvent(int scancode, bool altHeld, bool numLock) {
  return !altHeld && scancode != kScancodeF10 && VirtualKeyFromScancode(scancode, numLock) != 0;
}
