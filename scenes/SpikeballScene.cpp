// Scene: the spike ball over a streaming floor. Placeholder until the scene lands.
#include "scenes/Scenes.h"

void DrawSpikeballScene() {}
