// Placeholder sprite until the toolkit lands.
#include "render/Sprite.h"

void DrawSprite(Point3, float) {}
