// The bitmap font (256 display lists over the font texture) and the typed-out credit captions.
#pragma once

// Base name of the 256 font display lists; 0 before BuildFont.
extern unsigned int fontBase;

void BuildFont();
// Prints text with the lower-left corner of its first glyph at (x, y) in the 640 x 480 text
// space (y up). Set 0 maps code k to glyph k - 32, set 1 (or higher) to k + 96; codes without
// a glyph draw nothing.
void PrintText(int x, int y, const char* text, int set, float scale);
void DrawCreditCaption(int x, int y, float start, float duration, const char* text, const char* digits,
                       float scale, int length);
void DrawCaptionStage(int x, int y, float stageStart, const char* incoming, const char* outgoing, float scale,
                      int length);
