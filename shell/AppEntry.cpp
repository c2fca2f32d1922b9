// Placeholder entry until the shell lands.
#include "shell/AppEntry.h"

int RunApp() { return 0; }
