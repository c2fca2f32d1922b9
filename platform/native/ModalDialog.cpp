// The modal dialog host: SDL window + GL2 context + Dear ImGui's SDL2 and OpenGL2 backends.
#include "platform/ModalDialog.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <imgui.h>
#include <imgui_impl_opengl2.h>
#include <imgui_impl_sdl.h>

namespace {

// Widgets change state over a few frames after an input (a click is pressed, then released, then
// acted on), so that many frames follow every event before the loop waits again.
constexpr int kFramesAfterEvent = 4;

GLuint UploadPicture(const DialogPicture& picture) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, picture.width, picture.height, 0, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb);
  return texture;
}

void NoteDialogKey(const SDL_Event& event, DialogKeys& keys) {
  if (event.type != SDL_KEYDOWN || event.key.repeat) return;
  const SDL_Keycode key = event.key.keysym.sym;
  const bool shift = (event.key.keysym.mod & KMOD_SHIFT) != 0;
  keys.enter = keys.enter || key == SDLK_RETURN || key == SDLK_KP_ENTER;
  keys.tab = keys.tab || (key == SDLK_TAB && !shift);
  keys.backTab = keys.backTab || (key == SDLK_TAB && shift);
  keys.space = keys.space || key == SDLK_SPACE;
}

// The font is rasterised at the drawable's scale and drawn at 1 / scale, so text is sharp on a
// HiDPI output rather than a 1 x texture stretched.
void StyleDialog(const DialogTextFont& font, float pixelScale) {
  ImGui::StyleColorsClassic();
  ImGuiStyle& style = ImGui::GetStyle();
  style.WindowRounding = 0;
  style.WindowBorderSize = 0;
  style.WindowPadding = ImVec2(0, 0);
  style.FrameRounding = 2;
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;
  if (font.path) io.Fonts->AddFontFromFileTTF(font.path, font.cellPixels * pixelScale);
  io.FontGlobalScale = 1.0f / pixelScale;
}

}  // namespace

bool RunModalDialog(int width, int height, const DialogPicture& picture, const DialogTextFont& font,
                    DialogFrame frame, void* user, int& display) {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Window* window =
      SDL_CreateWindow("The Vexilograph settings", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                       SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!window) return false;
  // Said outright before the first frame: SDL's Wayland driver does not send a fixed-size window's
  // size limits by itself, and tiling compositors float only windows that have them.
  SDL_SetWindowMinimumSize(window, width, height);
  SDL_SetWindowMaximumSize(window, width, height);
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) {
    SDL_DestroyWindow(window);
    return false;
  }
  SDL_GL_MakeCurrent(window, context);
  SDL_GL_SetSwapInterval(1);
  SDL_RaiseWindow(window);

  int drawableWidth = width;
  int drawableHeight = height;
  SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
  const float pixelScale = drawableWidth > width ? static_cast<float>(drawableWidth) / width : 1.0f;

  ImGui::CreateContext();
  StyleDialog(font, pixelScale);
  ImGui_ImplSDL2_InitForOpenGL(window, context);
  ImGui_ImplOpenGL2_Init();
  const GLuint pictureTexture = UploadPicture(picture);

  bool done = false;
  int framesToDraw = kFramesAfterEvent;
  while (!done) {
    SDL_Event event;
    if (framesToDraw <= 0 && SDL_WaitEvent(nullptr)) framesToDraw = kFramesAfterEvent;
    // Window close requests are swallowed: only the dialog's own buttons end it. Window events
    // still redraw it (exposed again after being covered).
    DialogKeys keys;
    while (SDL_PollEvent(&event)) {
      framesToDraw = kFramesAfterEvent;
      if (event.type == SDL_QUIT || event.type == SDL_WINDOWEVENT) continue;
      NoteDialogKey(event, keys);
      ImGui_ImplSDL2_ProcessEvent(&event);
    }
    --framesToDraw;
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    done = frame(user, pictureTexture, keys);
    ImGui::Render();
    SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    glViewport(0, 0, drawableWidth, drawableHeight);
    glClearColor(0.83f, 0.82f, 0.78f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    SDL_GL_SwapWindow(window);
  }

  display = SDL_GetWindowDisplayIndex(window);
  if (display < 0) display = 0;
  glDeleteTextures(1, &pictureTexture);
  ImGui_ImplOpenGL2_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext();
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  return true;
}
