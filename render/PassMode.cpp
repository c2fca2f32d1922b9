// The frame's pass mode, kept where the scenes (free functions of time) can read it.
#include "render/PassMode.h"

namespace {
PassMode framePassMode = PassMode::shortcuts;
}

PassMode FramePassMode() { return framePassMode; }
void SetFramePassMode(PassMode mode) { framePassMode = mode; }
