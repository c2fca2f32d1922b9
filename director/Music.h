// The music stream: the show's only clock, its seek control and its spectrum.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int kSpectrumSize = 512;

// Opens data/music/sonorrak.mp3 and starts it playing. When the file is missing it prints
// "Error!" and "File Not Found" and the show runs on a silent clock; so it does when the file
// cannot be decoded (empty, no MPEG audio in it), with one line on stderr. Every MPEG audio
// rate plays, resampled to 44100 Hz; the clock counts the track's own time. Without a sound
// device, and with a track that ends before the show, one line on stderr and the show runs on.
// A second call ends the first call's stream.
void StartMusic();
// Switches on the spectrum analysis; until then the spectrum reads all zeros.
void EnableSpectrum();
// Position of the audio being heard now, in whole milliseconds.
int MusicGetTime();
// Negative positions land at 0; past the end of the track the clock runs on in silence.
void MusicSetTime(int ms);
// kSpectrumSize magnitudes in 0..1; bin k is about k x 43 Hz.
const float* MusicGetSpectrum();

// Call before StartMusic to render without playing: the clock then stands wherever
// MusicSetTime puts it and the spectrum is computed from the track at that position.
void UseOfflineMusic();

// Samples per second per channel of the music as tools read it: the mix rate, whatever the
// file's own rate.
constexpr int kMusicSampleRate = 44100;
// For tools that write the music out, after StartMusic: frames interleaved stereo samples of the
// track from firstSample on, silence before its start, past its end and when it did not load.
// Sequential reads continue the decode; this decoder is its own, so it may run on another
// thread than the clock.
void ReadMusicSamples(int64_t firstSample, float* stereo, size_t frames);
