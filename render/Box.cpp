// Placeholder box until the toolkit lands.
#include "render/Box.h"

void DrawBox() {}
