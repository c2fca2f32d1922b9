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

// The canvas's backing store at its real pixel size: its CSS size (800 x 600 in the page, the
// whole screen in full screen) times the device pixel ratio, so the browser never rescales it.
void CanvasPixels(int& width, int& height) {
  double cssWidth = 0, cssHeight = 0;
  emscripten_get_element_css_size("#canvas", &cssWidth, &cssHeight);
  const double ratio = emscripten_get_device_pixel_ratio();
  width = static_cast<int>(cssWidth * ratio + 0.5);
  height = static_cast<int>(cssHeight * ratio + 0.5);
}

// A new CSS size or pixel ratio (full screen, a resized page, another screen) gives the canvas
// its new backing store and the shell a resized event; false when nothing changed.
bool FollowCanvas(ShellEvent& event) {
  int width = 0, height = 0, current[2] = {};
  CanvasPixels(width, height);
  emscripten_get_canvas_element_size("#canvas", &current[0], &current[1]);
  if (width <= 0 || height <= 0 || (width == current[0] && height == current[1])) return false;
  emscripten_set_canvas_element_size("#canvas", width, height);
  event = {ShellEventType::resized, 0, width, height};
  return true;
}

// The renderer beneath the browser's WebGL, which the render size rule reads (Chromium names
// SwiftShader there when it draws in software); the browser's own name where it tells none.
EM_JS(void, ReadUnmaskedRenderer, (char* name, int size), {
  const gl = GL.currentContext.GLctx;
  const info = gl.getExtension("WEBGL_debug_renderer_info");
  stringToUTF8(String(gl.getParameter(info ? info.UNMASKED_RENDERER_WEBGL : gl.RENDERER)), name, size);
});

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

bool SwitchShellDisplayMode(int) { return true; }  // the page's FullScreen control enlarges the canvas

// The canvas takes its real pixel size; the layer's own target stays at the show's size, for
// the frames drawn straight into it.
PlatformWindow* CreateShellWindow(const char*, int width, int height, bool, int) {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.alpha = EM_FALSE;
  attributes.depth = EM_TRUE;
  attributes.antialias = EM_FALSE;
  attributes.preserveDrawingBuffer = EM_TRUE;  // frames are read back by the test hook
  int pixels[2] = {};
  CanvasPixels(pixels[0], pixels[1]);
  if (pixels[0] <= 0 || pixels[1] <= 0) pixels[0] = width, pixels[1] = height;
  emscripten_set_canvas_element_size("#canvas", pixels[0], pixels[1]);
  shell.window.context = emscripten_webgl_create_context("#canvas", &attributes);
  if (shell.window.context <= 0 || emscripten_webgl_make_context_current(shell.window.context) != EMSCRIPTEN_RESULT_SUCCESS)
    return nullptr;
  if (!vglInit(width, height) || !vglUseOffscreenTarget(width, height)) return nullptr;
  char renderer[256] = {};
  ReadUnmaskedRenderer(renderer, sizeof renderer);
  vglSetRendererName(renderer);
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

// The canvas's size is looked at once the queue is empty, so every frame follows it.
bool PollShellEvent(ShellEvent& event) {
  if (shell.count == 0) return FollowCanvas(event);
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
