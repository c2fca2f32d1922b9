// Scene: the striped tube and its bubbles. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawTunnelScene() {}
