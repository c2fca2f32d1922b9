// The music stream: the show's only clock, its seek control and its spectrum.
#pragma once

constexpr int kSpectrumSize = 512;

// Opens data/music/sonorrak.mp3 and starts it playing (prints two lines when it is missing).
void StartMusic();
// Switches on the spectrum analysis; until then the spectrum reads all zeros.
void EnableSpectrum();
// Position of the audio being heard now, in whole milliseconds.
int MusicGetTime();
void MusicSetTime(int ms);
// kSpectrumSize magnitudes in 0..1; bin k is about k x 43 Hz.
const float* MusicGetSpectrum();
