// Scene: three dolphins between a scrolling floor and ceiling. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawDolphinScene() {}
