// Scene: the figure fading in with two orbiting spheres. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawFigureOrbitScene() {}
