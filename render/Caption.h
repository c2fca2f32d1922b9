// The timing of a credit caption: digits type out over blanks, the text overwrites the digits,
// blanks overwrite the text. Pure functions of demo time, so seeking shows the right stage.
#pragma once

extern const char* const kCaptionDigits1;
extern const char* const kCaptionDigits2;
extern const char* const kCaptionBlanks;
constexpr int kCaptionMaxLength = 60;

struct CaptionStage {
  bool visible = false;
  float stageStart = 0;
  const char* incoming = nullptr;
  const char* outgoing = nullptr;
};

// The stage showing at time t; boundaries are strict, so nothing shows exactly on one.
CaptionStage CaptionStageAt(float t, float start, float duration, const char* text, const char* digits);
// Leading characters already taken from the incoming string, elapsed seconds into a stage:
// none during a 0.5 s hold, then one about every 59 ms, 40 after 2.35 s.
int CaptionRevealed(float elapsed);
// Writes length characters (at most kCaptionMaxLength) and a terminating zero into out:
// incoming for the first revealed, outgoing after. A string that ends early reads as spaces.
void ComposeCaptionStage(char* out, int revealed, const char* incoming, const char* outgoing, int length);
