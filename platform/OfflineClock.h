// The music clock for rendering without playing: it stands where its caller puts it, and its
// spectrum is computed from the decoded track at that position.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/MusicClock.h"

// bytes may be empty or unplayable: the track is then silence, and problem says why. The bytes
// must outlive the clock.
std::unique_ptr<MusicClock> CreateOfflineClock(const uint8_t* bytes, size_t size, std::string& problem);
