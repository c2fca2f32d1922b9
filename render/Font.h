// The bitmap font (256 display lists over the font texture) and the typed-out credit captions.
#pragma once

void BuildFont();
void PrintText(int x, int y, const char* text, int set, float scale);
void DrawCreditCaption(int x, int y, float start, float duration, const char* text, const char* digits,
                       float scale, int length);
void DrawCaptionStage(int x, int y, float stageStart, const char* incoming, const char* outgoing, float scale,
                      int length);
