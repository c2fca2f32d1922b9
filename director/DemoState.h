// The show's shared state: demo time, spectrum bands, textures, models, random point tables and
// the shared quadric. All of it is filled at start-up (or once per frame for time and bands).
#pragma once
#include "assets/Model.h"
#include "assets/Point3.h"
#include "platform/Gl.h"

// Seconds since the start of the music, set once at the start of every frame.
extern float DemoClock;

constexpr int kSpectrumBandCount = 32;
// The first 32 spectrum values copied at the end of the previous frame; zero before the first.
extern float SpectrumBands[kSpectrumBandCount];
// The bands from the first kSpectrumBandCount values of a spectrum.
void CopySpectrumBands(const float* spectrum);

// Texture slots in load order; each names the file data/textures/<stem>.png.
enum class TextureSlot : int {
  ball, box, check2, stripes, metal, bubble, laser, stars, planet, explode, fire,
  pcb, bars, pcb2, pcb3, metal2, gold, envifoo, explosion, stripes3, stripes2, gromeyes,
  count
};
constexpr int kTextureCount = static_cast<int>(TextureSlot::count);
extern const char* const kTextureStems[kTextureCount];

struct TextureTable {
  GLuint names[kTextureCount];  // 0 where the file did not load
  GLuint font;
};
extern TextureTable textureTable;

inline GLuint Texture(TextureSlot slot) { return textureTable.names[static_cast<int>(slot)]; }

// The five models, loaded in this order from data/3d/<stem>.obj.
struct DemoModels {
  Model dolphin;
  Model gubbe2;
  Model deformed;
  Model deformed2;
  Model spikeball;
};
extern DemoModels models;

constexpr int kRandomPointCount = 2000;
extern Point3 cloudPoints[kRandomPointCount];
extern Point3 tunnelPoints[kRandomPointCount];

// Smooth normals and texture coordinates on; used for every sphere and cylinder.
extern GLUquadric* sharedQuadric;
