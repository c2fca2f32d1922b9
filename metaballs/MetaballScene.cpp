// Placeholder until the metaball scene lands.
#include "metaballs/MetaballScene.h"

void DrawMetaballScene(int) {}
void DrawMetaballSurface() {}
