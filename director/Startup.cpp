// Start-up in its fixed order; the music starts last so the clock starts with the first frame.
#include "director/Startup.h"

#include <cstdio>
#include <future>
#include <string>
#include <vector>

#include "director/DemoRandom.h"
#include "director/DemoState.h"
#include "director/Music.h"
#include "director/ShowLook.h"
#include "director/Timeline.h"
#include "metaballs/MetaballField.h"
#include "platform/FileBytes.h"
#include "platform/PngImage.h"
#include "render/Font.h"
#include "render/RenderSize.h"
#include "render/glow/Glow.h"

namespace {

// A browser page without shared memory has no threads: there each file decodes at its get().
#ifdef __EMSCRIPTEN__
constexpr auto kDecodePolicy = std::launch::deferred;
#else
constexpr auto kDecodePolicy = std::launch::async;
#endif

// -10.0 to 9.8 in steps of 0.2, the product rounded to float once.
float CloudCoordinate(int random) { return static_cast<float>((random % 100 - 50) * 0.2); }

}  // namespace

void LoadTextures() {
  // Decoding dominates start-up; files decode on worker threads a couple of slots ahead while
  // this thread uploads them in slot order, so texture names come out as a serial load gives.
  constexpr int kDecodeAhead = 2;
  constexpr int kFileCount = kTextureCount + 1;  // the slots, then the font
  char paths[kFileCount][64];
  for (int slot = 0; slot < kTextureCount; ++slot)
    std::snprintf(paths[slot], sizeof paths[slot], "data/textures/%s.png", kTextureStems[slot]);
  std::snprintf(paths[kTextureCount], sizeof paths[kTextureCount], "data/textures/font.png");
  std::future<DecodedTexture> decoded[kFileCount];
  for (int i = 0; i < kFileCount; ++i) {
    for (int ahead = i; ahead < kFileCount && ahead <= i + kDecodeAhead; ++ahead)
      if (!decoded[ahead].valid()) decoded[ahead] = std::async(kDecodePolicy, DecodeTextureFile, paths[ahead]);
    const GLuint name = UploadTexture(decoded[i].get());
    if (i < kTextureCount) textureTable.names[i] = name;
    else textureTable.font = name;
  }
}

void LoadModels() {
  LoadModel(models.dolphin, "data/3d/dolphin.obj");
  LoadModel(models.gubbe2, "data/3d/gubbe2.obj");
  LoadModel(models.deformed, "data/3d/deformed.obj");
  LoadModel(models.deformed2, "data/3d/deformed2.obj");
  LoadModel(models.spikeball, "data/3d/spikeball.obj");
}

void SetSharedGlState() {
  glShadeModel(GL_SMOOTH);
  glClearColor(0, 0, 0, 0);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  // Only the mode: scenes that sphere-map switch generation on around their own drawing.
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  BuildFont();
  const GLfloat fogColour[4] = {0, 0, 0, 1};
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogfv(GL_FOG_COLOR, fogColour);
  glFogf(GL_FOG_START, kStartupFog.start);
  glFogf(GL_FOG_END, kStartupFog.end);
  glHint(GL_FOG_HINT, GL_NICEST);
  // One quadric for the whole run, also when start-up runs again (tests, tools).
  if (!sharedQuadric) sharedQuadric = gluNewQuadric();
  gluQuadricNormals(sharedQuadric, GLU_SMOOTH);
  gluQuadricTexture(sharedQuadric, GL_TRUE);
  InitBallPhases();
  CreateRenderTextures();
  StartGlowShortcutCheck(ShowGlowCheckCases());
  // The glow beneath the opening's opaque fade need not be drawn; the first frame of the show lies
  // there and so does not wait for the glow's shaders.
  SetGlowCoveredUntil(kOpeningFadeStart);
}

// The shortcuts are proved again, a step before each frame as at start-up: what holds at one
// size need not hold at another.
void ChangeRenderSize(int width, int height) {
  SetRenderSize(width, height);
  CreateRenderTextures();
  StartGlowShortcutCheck(ShowGlowCheckCases());
}

DecodedTexture DecodeTextureFile(const char* path) {
  DecodedTexture texture;
  std::vector<uint8_t> bytes;
  std::string error;
  texture.ok = ReadFileBytes(path, bytes) && DecodePng(bytes.data(), bytes.size(), texture.image, error);
  return texture;
}

GLuint UploadTexture(const DecodedTexture& texture) {
  // Decoded in full before any GL call, so a bad file never leaves a texture behind.
  if (!texture.ok) return 0;
  const PngImage& image = texture.image;
  // Earlier errors are not this upload's; the bound keeps a context-less call from spinning.
  for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // RGB rows are packed
  const GLenum format = image.channels == 4 ? GL_RGBA : GL_RGB;
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.width, image.height, 0, format,
               GL_UNSIGNED_BYTE, image.pixels.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &name);
    return 0;
  }
  return name;
}

GLuint LoadTexture(const char* path) { return UploadTexture(DecodeTextureFile(path)); }

void FillRandomPointTables() {
  for (Point3& p : cloudPoints) {
    p.x = CloudCoordinate(DemoRandom());
    p.y = CloudCoordinate(DemoRandom());
    p.z = CloudCoordinate(DemoRandom());
  }
  for (Point3& p : tunnelPoints) {
    p.x = static_cast<float>(DemoRandom() % 5 - 2);
    p.y = static_cast<float>(DemoRandom() % 5 - 2);
    p.z = static_cast<float>(DemoRandom() % 500);
  }
}

void DemoStartup() {
  LoadTextures();
  LoadModels();
  FillRandomPointTables();
  SetSharedGlState();
  OpenMusic();
}

void OpenMusic() {
  StartMusic();
  EnableSpectrum();
}
