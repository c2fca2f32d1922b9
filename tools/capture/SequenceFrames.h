// Which frames a sequence holds and where its music starts and ends: pure arithmetic on the
// options, shared by the sequence forms, the output check and the sound form.
#pragma once
#include <cstdint>

#include "tools/capture/CaptureOptions.h"

// The run's frames in [fromMs, toMs).
int64_t SequenceFrameCount(const CaptureOptions& options);
// The music position of the sequence's frame k.
int SequenceFrameMs(const CaptureOptions& options, int64_t frame);
// The music sample at which frame k begins: the run's frame n at exactly n / fps s (k = the
// frame count gives the end of the audio).
int64_t SequenceFrameSample(const CaptureOptions& options, int64_t frame);
