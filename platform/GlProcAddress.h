// Entry points of GL extensions that the GL library does not export by name.
#pragma once

using GlProc = void (*)();
// The function of that name for the current context's driver, or null. Works for the window's
// context and the headless one alike (both dispatch through the same vendor-neutral library).
GlProc GlProcAddress(const char* name);
