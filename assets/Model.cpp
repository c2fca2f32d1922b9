// Placeholder loader until the geometry assets land.
#include "assets/Model.h"

int LoadModel(Model&, const char*) { return 0; }
void DrawModel(const Model&) {}
