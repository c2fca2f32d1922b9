// Scene: four totems, lasers and the blast sphere. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawTotemScene() {}
