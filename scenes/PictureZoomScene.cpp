// Scene: the zooming picture. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawPictureZoomScene() {}
