// Scene: the deformed model in its circuit-board box. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawDeformedScene() {}
