// Every texture the show loads, each made by one function from fixed seeds: same bytes every run.
#pragma once
#include "tools/texgen/Canvas.h"

struct TextureRecipe {
  const char* stem;  // file name without ".png"
  Canvas (*make)();
};

// The 22 table textures in load order, then the font sheet.
constexpr int kTextureRecipeCount = 23;
extern const TextureRecipe kTextureRecipes[kTextureRecipeCount];

// Space and light (SpaceTextures.cpp).
Canvas MakeBubble();
Canvas MakeStars();
Canvas MakePlanet();
Canvas MakeExplode();
Canvas MakeExplosion();
Canvas MakeFire();
Canvas MakeLaser();
// Repeating surfaces (SurfaceTextures.cpp).
Canvas MakeCheck2();
Canvas MakeStripes();
Canvas MakeStripes2();
Canvas MakeStripes3();
Canvas MakeBars();
Canvas MakeMetal2();
// Carved stone of the totems (StoneTextures.cpp).
Canvas MakeBall();
Canvas MakeBox();
// Circuit boards (CircuitTextures.cpp).
Canvas MakePcb();
Canvas MakePcb2();
Canvas MakePcb3();
// Sphere-map environments (EnvironmentTextures.cpp).
Canvas MakeMetal();
Canvas MakeEnvifoo();
Canvas MakeGold();
// The eyes picture (EyesTexture.cpp) and the font sheet (FontSheet.cpp).
Canvas MakeGromeyes();
Canvas MakeFont();
