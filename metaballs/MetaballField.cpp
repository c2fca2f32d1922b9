// Placeholder until the metaball field lands.
#include "metaballs/MetaballField.h"

void InitBallPhases() {}
