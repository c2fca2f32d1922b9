// Placeholder seek until the director lands.
#include "director/Seek.h"

void SeekMusic(float) {}
