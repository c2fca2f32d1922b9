// The texture catalogue: stems in the order the show loads them.
#include "tools/texgen/Textures.h"

const TextureRecipe kTextureRecipes[kTextureRecipeCount] = {
    {"ball", MakeBall},       {"box", MakeBox},           {"check2", MakeCheck2},   {"stripes", MakeStripes},
    {"metal", MakeMetal},     {"bubble", MakeBubble},     {"laser", MakeLaser},     {"stars", MakeStars},
    {"planet", MakePlanet},   {"explode", MakeExplode},   {"fire", MakeFire},       {"pcb", MakePcb},
    {"bars", MakeBars},       {"pcb2", MakePcb2},         {"pcb3", MakePcb3},       {"metal2", MakeMetal2},
    {"gold", MakeGold},       {"envifoo", MakeEnvifoo},   {"explosion", MakeExplosion}, {"stripes3", MakeStripes3},
    {"stripes2", MakeStripes2}, {"gromeyes", MakeGromeyes}, {"font", MakeFont},
};
