// Short MP3 tracks made in the test with libmp3lame, with the LAME tag that gapless decoding
// needs to trim the encoder delay and padding.
#pragma once
#include <cstdint>
#include <vector>

// Encodes 44100 Hz stereo: left and right hold the same number of samples.
std::vector<uint8_t> EncodeMp3(const std::vector<float>& left, const std::vector<float>& right);

// A sine of the given frequency and amplitude on both channels.
std::vector<uint8_t> SineMp3(double seconds, double hz, float amplitude);

// A 440 Hz sine at any rate libmp3lame takes, mono (channels 1) or stereo.
std::vector<uint8_t> SineMp3AtRate(double seconds, int sampleRate, int channels);
