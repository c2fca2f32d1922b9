// Scene: the planet in its star box. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawPlanetScene() {}
