// Placeholder font until the toolkit lands.
#include "render/Font.h"

void BuildFont() {}
void PrintText(int, int, const char*, int, float) {}
void DrawCreditCaption(int, int, float, float, const char*, const char*, float, int) {}
void DrawCaptionStage(int, int, float, const char*, const char*, float, int) {}
