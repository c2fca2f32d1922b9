// SDL2 under the shell: window, context, events, display mode, message boxes.
#include "platform/ShellPlatform.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdio>
#include <cstdlib>

#include "platform/ExternalEndings.h"
#include "platform/KeyMap.h"
#include "platform/WaylandSeat.h"

struct PlatformWindow {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
};

namespace {

constexpr int kSignalLookMs = 200;
Uint32 userEventType = 0;
// The screen saver and monitor power-off are held off only while the show's window has the
// focus and is not minimised.
bool showFocused = false;
bool showMinimized = false;

// Every ending goes through exit(); SDL_Quit from here closes the window and the audio device.
void ShutDownSdl() {
  NoteDisplayClosing();
  SDL_Quit();
}

void FollowScreenSaverState(const SDL_WindowEvent& window) {
  switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: showFocused = true; break;
    case SDL_WINDOWEVENT_FOCUS_LOST: showFocused = false; break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN: showMinimized = true; break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN: showMinimized = false; break;
    default: return;
  }
  if (showFocused && !showMinimized) {
    SDL_DisableScreenSaver();
  } else {
    SDL_EnableScreenSaver();
  }
}

ShellEvent TranslateWindowEvent(const SDL_WindowEvent& window) {
  ShellEvent event;
  // The settings dialog's last events arrive after its window is gone; they are not the show's.
  SDL_Window* sdlWindow = SDL_GetWindowFromID(window.windowID);
  if (!sdlWindow) return event;
  FollowScreenSaverState(window);
  switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      event.type = ShellEventType::closeRequest;
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      event.type = ShellEventType::minimized;
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      event.type = ShellEventType::resized;
      SDL_GL_GetDrawableSize(sdlWindow, &event.width, &event.height);
      break;
    default:
      break;
  }
  return event;
}

ShellEvent TranslateKeyEvent(const SDL_KeyboardEvent& key) {
  ShellEvent event;
  const bool altHeld = (key.keysym.mod & KMOD_ALT) != 0;
  // A keypad key released after NumLock was switched on still lets go of the cursor key its
  // press recorded; otherwise that seek key would stay held for good.
  const bool numLock = key.type == SDL_KEYDOWN && (key.keysym.mod & KMOD_NUM) != 0;
  if (!IsRecordedKeyEvent(key.keysym.scancode, altHeld, numLock)) return event;
  event.type = key.type == SDL_KEYDOWN ? ShellEventType::keyDown : ShellEventType::keyUp;
  event.virtualKey = VirtualKeyFromScancode(key.keysym.scancode, numLock);
  return event;
}

// SDL falls back to its windowless drivers when no display server answers; for the show that
// means there is no windowing system at all, unless the user asked for one by name.
bool IsWindowlessFallback() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* requested = SDL_getenv("SDL_VIDEODRIVER");
  if (!driver || (requested && *requested)) return false;
  return SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0 ||
         SDL_strcmp(driver, "evdev") == 0;
}

// A compositor without a seat would crash SDL's Wayland driver as it starts: X11 instead where
// there is an X display (XWayland), else no windowing system at all. False in that last case.
bool AvoidSeatlessWayland() {
  if (!SdlWouldStartWayland() || WaylandSeatPresentOrNoCompositor()) return true;
  const char* x11 = SDL_getenv("DISPLAY");
  if (x11 && *x11) {
    std::fprintf(stderr, "vexilograph: the Wayland compositor has no seat (no keyboard or pointer), "
                         "which SDL's Wayland driver cannot start without; using X11\n");
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
    return true;
  }
  std::fprintf(stderr, "vexilograph: the Wayland compositor has no seat (no keyboard or pointer), "
                       "which SDL's Wayland driver cannot start without, and there is no X display\n");
  return false;
}

// The X connection's socket, or -1 under another windowing system.
int DisplaySocket(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return -1;
  return ConnectionNumber(info.info.x11.display);
}

}  // namespace

bool InitShellVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  InstallSignalEndings();
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // How the desktop lists the program while it holds the screen saver off.
  SDL_SetHint(SDL_HINT_APP_NAME, "The Vexilograph");
  SDL_SetHint(SDL_HINT_SCREENSAVER_INHIBIT_ACTIVITY_NAME, "Showing the demo");
  if (!AvoidSeatlessWayland()) return false;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
  if (IsWindowlessFallback()) {
    SDL_Quit();
    return false;
  }
  InstallDisplayLossEnding();
  std::atexit(ShutDownSdl);
  userEventType = SDL_RegisterEvents(1);
  return true;
}

bool SwitchShellDisplayMode(int display) {
  SDL_DisplayMode desktop = {};
  return SDL_GetDesktopDisplayMode(display, &desktop) == 0 && desktop.w > 0 && desktop.h > 0;
}

namespace {
// Adaptive vsync where the driver has it (a late frame is shown at once instead of waiting a whole
// refresh), else plain vsync; the picture follows the music clock either way.
void AskForVsync() {
  if (SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(1);
}
}  // namespace

PlatformWindow* CreateShellWindow(const char* title, int width, int height, bool fullScreen, int display) {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);

  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
  flags |= fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_ALWAYS_ON_TOP : SDL_WINDOW_RESIZABLE;
  SDL_Rect bounds = {};
  if (SDL_GetDisplayBounds(display, &bounds) != 0) bounds = SDL_Rect{};
  // Full screen asks for the display's whole size too: an X server without a window manager (a
  // kiosk) has nobody to act on the full-screen state, and would leave the window at 800 x 600.
  if (fullScreen && bounds.w > 0 && bounds.h > 0) {
    width = bounds.w;
    height = bounds.h;
  }
  auto* result = new PlatformWindow;
  result->window = SDL_CreateWindow(title, bounds.x, bounds.y, width, height, flags);
  if (result->window && fullScreen) SDL_ShowCursor(SDL_DISABLE);
  if (result->window) WatchDisplayConnection(DisplaySocket(result->window));
  if (result->window) result->context = SDL_GL_CreateContext(result->window);
  if (!result->context || SDL_GL_MakeCurrent(result->window, result->context) != 0) {
    DestroyShellWindow(result);
    return nullptr;
  }
  AskForVsync();
  return result;
}

void DestroyShellWindow(PlatformWindow* window) {
  if (!window) return;
  if (window->context) SDL_GL_DeleteContext(window->context);
  if (window->window) SDL_DestroyWindow(window->window);
  delete window;
}

void ShowShellWindow(PlatformWindow* window) { SDL_ShowWindow(window->window); }

void SwapShellBuffers(PlatformWindow* window) { SDL_GL_SwapWindow(window->window); }

void ClientSize(PlatformWindow* window, int& width, int& height) {
  SDL_GL_GetDrawableSize(window->window, &width, &height);
}

bool PollShellEvent(ShellEvent& event) {
  event = {};
  SDL_Event sdlEvent;
  if (!SDL_PollEvent(&sdlEvent)) return false;
  if (sdlEvent.type == SDL_QUIT) {
    event.type = ShellEventType::quit;
  } else if (sdlEvent.type == userEventType) {
    event.type = ShellEventType::userMessage;
  } else if (sdlEvent.type == SDL_WINDOWEVENT) {
    event = TranslateWindowEvent(sdlEvent.window);
  } else if (sdlEvent.type == SDL_KEYDOWN || sdlEvent.type == SDL_KEYUP) {
    event = TranslateKeyEvent(sdlEvent.key);
  }
  return true;
}

// A signal waiting for the frame loop does not wake the wait, so it wakes now and then to look.
void WaitShellEvent() { SDL_WaitEventTimeout(nullptr, kSignalLookMs); }

namespace {
void PushEvent(Uint32 type) {
  SDL_Event event = {};
  event.type = type;
  SDL_PushEvent(&event);
}
}  // namespace

void RequestQuit(AppWindow&) { PushEvent(SDL_QUIT); }

void PostUserMessage(AppWindow&) { PushEvent(userEventType); }

uint32_t ShellTicks() { return SDL_GetTicks(); }

void ShowShellWarning(const char* caption, const char* text) {
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, nullptr) != 0) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
  }
}
