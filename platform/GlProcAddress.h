// Entry points of GL extensions that the GL library does not export by name.
#pragma once

using GlProc = void (*)();
// The function of that name for the current context's driver, or null. Works for the window's
// context and the headless one alike (both dispatch through the same vendor-neutral library).
GlProc GlProcAddress(const char* name);

// The named entry point into proc, typed; false when the driver has none.
template <typename Proc>
bool FindGlProc(Proc& proc, const char* name) {
  proc = reinterpret_cast<Proc>(GlProcAddress(name));
  return proc != nullptr;
}
