// The windowing layer under the shell: one SDL window with its OpenGL context, the event queue
// translated into the few events the shell handles, display modes, message boxes and ticks.
#pragma once
#include <cstdint>

struct PlatformWindow;  // an SDL window and its GL context
struct AppWindow;

enum class ShellEventType {
  ignored,      // anything the shell leaves to default handling
  quit,         // ends the frame loop
  closeRequest, // the user asked to close the window
  resized,      // restored, maximised or resized: width and height are the new drawable size
  minimized,
  keyDown,      // virtualKey is set
  keyUp,
  userMessage,  // the private message posted by PostUserMessage
};

struct ShellEvent {
  ShellEventType type = ShellEventType::ignored;
  int virtualKey = 0;
  int width = 0;
  int height = 0;
};

// Brings up the video subsystem (and registers the clean-up that restores the display mode and
// closes the audio device at every process ending), and the endings for termination signals and
// display loss. False when no windowing system is there.
bool InitShellVideo();

// Full screen keeps the display's own mode (today's flat panels show any other mode stretched or
// not at all, and Wayland cannot switch modes): this checks that the display exists and that a
// full-screen window can cover it. The window's bits are the desktop's.
bool SwitchShellDisplayMode(int display);

// A window with a double-buffered RGB, 16-bit depth, compatibility profile context made current,
// asking for adaptive vsync (else plain vsync), on the given display: windowed, a resizable
// width x height client area in the desktop's logical pixels at the display's top-left (the
// drawable is larger on a HiDPI output); full screen, a borderless window over the whole display
// at its own mode, without the cursor.
PlatformWindow* CreateShellWindow(const char* title, int width, int height, bool fullScreen, int display);
void DestroyShellWindow(PlatformWindow* window);
void ShowShellWindow(PlatformWindow* window);
void SwapShellBuffers(PlatformWindow* window);
// The drawable's size in pixels (larger than the client area on a HiDPI output).
void ClientSize(PlatformWindow* window, int& width, int& height);

// Takes one event from the queue without waiting; false when the queue is empty.
bool PollShellEvent(ShellEvent& event);
// Blocks until an event arrives, without taking it, or for a fraction of a second at most.
void WaitShellEvent();
// Pushes SDL_QUIT: the frame loop ends when it takes it, and DemoShutdown exits with status 0.
void RequestQuit(AppWindow& window);
// Pushes the show's own SDL user event; AppWindowProc answers it with RequestQuit.
void PostUserMessage(AppWindow& window);

// Milliseconds since the video subsystem started, wrapping at 2^32.
uint32_t ShellTicks();

// A warning box with one OK button and no parent; also on stderr when it cannot be shown.
void ShowShellWarning(const char* caption, const char* text);
