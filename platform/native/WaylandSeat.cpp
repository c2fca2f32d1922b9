#include "platform/WaylandSeat.h"

#include <wayland-client.h>

#include <cstdlib>
#include <cstring>

namespace {
void NoteGlobal(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
  if (std::strcmp(interface, wl_seat_interface.name) == 0) *static_cast<bool*>(data) = true;
}
void IgnoreRemoval(void*, wl_registry*, uint32_t) {}
constexpr wl_registry_listener kRegistryListener = {NoteGlobal, IgnoreRemoval};
}  // namespace

bool SdlWouldStartWayland() {
  const char* requested = std::getenv("SDL_VIDEODRIVER");
  if (requested && *requested) return std::strncmp(requested, "wayland", 7) == 0;
  // Unasked, SDL 2.26 tries X11 first and falls back to Wayland only without an X display.
  const char* x11 = std::getenv("DISPLAY");
  return !x11 || !*x11;
}

bool WaylandSeatPresentOrNoCompositor() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return true;
  bool seat = false;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistryListener, &seat);
  const bool answered = wl_display_roundtrip(display) >= 0;
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return seat || !answered;
}
