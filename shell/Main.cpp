// Entry point of the show.
#include "shell/AppEntry.h"

int main() { return RunApp(); }
