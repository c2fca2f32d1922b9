// Placeholder clock until the audio layer lands: time stands at 0.
#include "director/Music.h"

namespace {
float silence[kSpectrumSize] = {};
int position = 0;
}  // namespace

void StartMusic() {}
void EnableSpectrum() {}
int MusicGetTime() { return position; }
void MusicSetTime(int ms) { position = ms; }
const float* MusicGetSpectrum() { return silence; }
