// The music clock with no sound: the monotonic clock from the last seek, zero spectrum. Used
// when there is no audio device or no playable music file.
#pragma once
#include <memory>

#include "platform/MusicClock.h"

std::unique_ptr<MusicClock> CreateSilentClock();
