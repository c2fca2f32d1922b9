// How the passes are drawn. Both modes give the same pixels: the shortcuts skip passes and
// geometry that change no pixel and merge or simplify passes where the result is exact; the
// plain mode draws everything as written, so tests can hold the shortcuts against it.
#pragma once

enum class PassMode { shortcuts, plain };

// The mode of the frame being drawn, which the timeline sets for the scenes' own shortcuts.
PassMode FramePassMode();
void SetFramePassMode(PassMode mode);
