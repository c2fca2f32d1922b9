// Where the capture tool writes, and the refusal to overwrite what is there already.
#pragma once
#include <cstdint>
#include <string>

#include "tools/capture/CaptureOptions.h"

// DIR/<ms>.png, the file of a single frame.
std::string FramePngPath(const std::string& dir, int ms);
// DIR/000042.png, frame 42 of a sequence.
std::string SequencePngPath(const std::string& dir, int64_t index);

// Before any rendering: false with a message if an output the form would write exists (unless
// options.force) or is a folder; otherwise makes the folders the outputs go into.
bool PrepareOutputs(const CaptureOptions& options, std::string& error);
