// Scene: the sliding pillar rows. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawPillarRowsScene(int) {}
