// Placeholder start-up until the director lands.
#include "director/Startup.h"

void DemoStartup() {}
