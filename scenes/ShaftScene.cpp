// Scene: a model in a scrolling striped shaft. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawShaftScene() {}
