// Whether a Wayland compositor offers a seat (the keyboard and pointer's group). SDL 2.26's
// Wayland driver reads the seat unchecked while it starts and crashes without one
// (libsdl-org/SDL#8898: a headless or kiosk compositor with no input devices).
#pragma once

// Whether SDL, as the environment asks it, would start its Wayland driver.
bool SdlWouldStartWayland();
// Connects to the compositor the environment names; true when there is none to connect to
// (SDL then fails cleanly by itself) or when it has a seat.
bool WaylandSeatPresentOrNoCompositor();
