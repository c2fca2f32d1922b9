// The models the generator writes, in the order the show loads them.
#pragma once
#include "tools/modelgen/Shapes.h"

struct ModelEntry {
  const char* name;  // file stem
  const char* description;
  Mesh (*build)();
  bool zUp;  // the figure stands on z; the scenes turn it upright
};

inline constexpr ModelEntry kModels[] = {
    {"dolphin", "bottlenose dolphin, head toward -x, y up", MakeDolphin, false},
    {"gubbe2", "standing figure, z up, facing -y", MakeFigure, true},
    {"deformed", "noise-deformed twisted sphere", MakeDeformedBlob, false},
    {"deformed2", "wobbling twisted torus", MakeDeformedTorus, false},
    {"spikeball", "sphere with conical spikes", MakeSpikeball, false},
};
