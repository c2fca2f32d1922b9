// Credit caption timing and the stage strings.
#include "render/Caption.h"

const char* const kCaptionDigits1 = "101001011101010111010101100101010101000100101010101001011";
const char* const kCaptionDigits2 = "010101010101011101010111010101100101001001010101010010110";
const char* const kCaptionBlanks = "                                                            ";

CaptionStage CaptionStageAt(float t, float start, float duration, const char* text, const char* digits) {
  const float quarter = start + duration / 4;
  const float half = start + duration / 2;
  if (start < t && t < quarter) return {true, start, digits, kCaptionBlanks};
  if (quarter < t && t < half) return {true, quarter, text, digits};
  if (half < t && t < start + duration) return {true, half, kCaptionBlanks, text};
  return {};
}

int CaptionRevealed(float elapsed) {
  float fraction = 0;
  if (elapsed > 2.85f) {
    fraction = 1;
  } else if (elapsed >= 0.5f) {
    fraction = (elapsed - 0.5f) * 0.42553192f;  // divided by 2.35 s
  }
  return static_cast<int>(40 * fraction);
}

void ComposeCaptionStage(char* out, int revealed, const char* incoming, const char* outgoing, int length) {
  if (length < 0) length = 0;
  if (length > kCaptionMaxLength) length = kCaptionMaxLength;
  bool incomingEnded = false;
  bool outgoingEnded = false;
  for (int i = 0; i < length; ++i) {
    incomingEnded = incomingEnded || incoming[i] == '\0';
    outgoingEnded = outgoingEnded || outgoing[i] == '\0';
    const bool fromIncoming = i < revealed;
    const bool ended = fromIncoming ? incomingEnded : outgoingEnded;
    out[i] = ended ? ' ' : (fromIncoming ? incoming[i] : outgoing[i]);
  }
  out[length] = '\0';
}
