// Scene: the wire-edged pillar field and the rising sphere. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawPillarFieldScene() {}
