// The viewport and the projection every scene draws with: 45 degrees, near 1, far 100.
#pragma once

void SetSceneView(int width, int height);
