// Keyboard scancodes (USB HID usage IDs, which SDL's scancodes are) to the Windows virtual-key
// codes the show's key table is indexed by.
#pragma once

// The virtual-key code for a scancode, or 0 for keys the table does not record.
int VirtualKeyFromScancode(int scancode);

// Whether a key event goes into the key table: Alt combinations and F10 are system keys there.
bool IsRecordedKeyEvent(int scancode, bool altHeld);
