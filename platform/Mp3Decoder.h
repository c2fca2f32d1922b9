// An MPEG audio track (Layer I, II or III; MPEG-1, 2 or 2.5) decoded from a buffer in memory at
// its own rate: stereo float, gapless, with an accurate seek index so a seek lands on the exact
// sample a sequential decode would reach.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct Mp3Decoder;

// Scans the whole buffer for the seek index. The buffer must outlive the decoder. Returns
// nullptr with a message when it holds no MPEG audio.
Mp3Decoder* OpenMp3Decoder(const uint8_t* bytes, size_t size, std::string& error);
void CloseMp3Decoder(Mp3Decoder* decoder);

// Track length in samples per channel at the track's rate, without encoder delay and padding.
int64_t Mp3Length(const Mp3Decoder& decoder);
// The track's samples per second, 8000 to 48000.
int Mp3Rate(const Mp3Decoder& decoder);
// Positions the decoder at sample (clamped to 0..length). False if the decoder refused.
bool SeekMp3(Mp3Decoder& decoder, int64_t sample);
// Decodes up to frames interleaved stereo frames into stereo; returns how many (0 at the end).
// Allocates nothing, so the audio callback may call it.
size_t ReadMp3(Mp3Decoder& decoder, float* stereo, size_t frames);
