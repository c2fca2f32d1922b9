// The windowing layer under the shell in a browser: the page's canvas with a WebGL 2 context and
// the GL 1.x layer over it, key events from the page, ticks from the page's clock. The page
// itself (banner, OK / Exit / FullScreen) stands for the settings dialog and the display modes.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

#include "platform/ShellPlatform.h"
#define VEX_GL_LAYER_IMPLEMENTATION
#include "platform/webgl/GlLayer.h"

struct PlatformWindow {
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
};

namespace {
constexpr int kQueueSize = 64;

struct WebShell {
  PlatformWindow window;
  ShellEvent queue[kQueueSize];
  int head = 0;
  int count = 0;
  double startMs = 0;
};
WebShell shell;

void Push(const ShellEvent& event) {
  if (shell.count == kQueueSize) return;  // a full queue drops the newest, as a busy page would
  shell.queue[(shell.head + shell.count) % kQueueSize] = event;
  ++shell.count;
}

// The page's keyCode values are the Windows virtual-key codes the key table is indexed by.
EM_BOOL OnKey(int eventType, const EmscriptenKeyboardEvent* key, void*) {
  ShellEvent event;
  event.type = eventType == EMSCRIPTEN_EVENT_KEYDOWN ? ShellEventType::keyDown : ShellEventType::keyUp;
  event.virtualKey = static_cast<int>(key->keyCode);
  if (key->altKey || key->repeat) return EM_FALSE;
  Push(event);
  return EM_TRUE;  // the arrows must not scroll the page
}
}  // namespace

bool InitShellVideo() {
  shell.startMs = emscripten_get_now();
  return true;
}

bool SwitchShellDisplayMode(int) { return true; }  // the page's FullScreen button scales the canvas

PlatformWindow* CreateShellWindow(const char*, int width, int height, bool, int) {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.alpha = EM_FALSE;
  attributes.depth = EM_TRUE;
  attributes.antialias = EM_FALSE;
  attributes.preserveDrawingBuffer = EM_TRUE;  // frames are read back by the test hook
  emscripten_set_canvas_element_size("#canvas", width, height);
  shell.window.context = emscripten_webgl_create_context("#canvas", &attributes);
  if (shell.window.context <= 0 || emscripten_webgl_make_context_current(shell.window.context) != EMSCRIPTEN_RESULT_SUCCESS)
    return nullptr;
  if (!vglInit(width, height) || !vglUseOffscreenTarget(width, height)) return nullptr;
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, OnKey);
  emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, OnKey);
  return &shell.window;
}

void DestroyShellWindow(PlatformWindow* window) {
  if (window && window->context > 0) emscripten_webgl_destroy_context(window->context);
}

void ShowShellWindow(PlatformWindow*) {}
// The frame goes to the canvas; the browser shows it when the frame's callback returns.
void SwapShellBuffers(PlatformWindow*) { vglPresent(); }

void ClientSize(PlatformWindow*, int& width, int& height) {
  emscripten_get_canvas_element_size("#canvas", &width, &height);
}

bool PollShellEvent(ShellEvent& event) {
  if (shell.count == 0) return false;
  event = shell.queue[shell.head];
  shell.head = (shell.head + 1) % kQueueSize;
  --shell.count;
  return true;
}

void WaitShellEvent() {}
void RequestQuit(AppWindow&) { Push({ShellEventType::quit, 0, 0, 0}); }
void PostUserMessage(AppWindow&) { Push({ShellEventType::userMessage, 0, 0, 0}); }

uint32_t ShellTicks() { return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now() - shell.startMs)); }

void ShowShellWarning(const char* caption, const char* text) { std::fprintf(stderr, "%s: %s\n", caption, text); }
