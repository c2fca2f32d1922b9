// Every frame of a span of the show at a fixed frame rate, as video or numbered PNG files: the
// frames of a continuous run from 0 s at that rate that fall in [from, to), so spans cut at
// frame boundaries join into the run itself.
#pragma once
#include <cstdint>
#include <string>

#include "tools/capture/CaptureFrames.h"
#include "tools/capture/CaptureOptions.h"
#include "tools/capture/SequenceFrames.h"

// Needs the context and start-up; returns the process status as RunCapture does.
int RunSequenceCapture(const CaptureOptions& options, const FrameLayout& layout, std::string& error);
