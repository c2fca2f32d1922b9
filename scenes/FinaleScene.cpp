// Scene: the pillar plaza and the sinking sphere. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawFinaleScene() {}
