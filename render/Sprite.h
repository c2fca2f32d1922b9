// Camera-facing textured squares.
#pragma once
#include "assets/Point3.h"

void DrawSprite(Point3 position, float size);
