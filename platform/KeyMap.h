// Keyboard scancodes (USB HID usage IDs, which SDL's scancodes are) to the Windows virtual-key
// codes the show's key table is indexed by.
#pragma once

// The virtual-key code for a scancode, or 0 for keys the table does not record. The keypad's
// digits are cursor keys while NumLock is off and unrecorded while it is on.
int VirtualKeyFromScancode(int scancode, bool numLock);

// Whether a key event goes into the key table: Alt combinations and F10 are system keys there.
bool IsRecordedKeyEvent(int scancode, bool altHeld, bool numLock);
