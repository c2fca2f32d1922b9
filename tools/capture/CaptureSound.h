// The music of a span's frames as a WAV file, so that a capture cut into parts can lay one
// unbroken sound track under the joined pictures.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/capture/CaptureOptions.h"

// A RIFF WAVE header for frames of 32-bit float stereo (format 3, IEEE float).
std::vector<uint8_t> FloatStereoWavHeader(int64_t frames, int sampleRate);

// The --wav form: the samples from the first frame's start to the last frame's end, read as
// the video form reads them. Needs no GL context. Returns the process status.
int RunSoundCapture(const CaptureOptions& options, std::string& error);
