// The show song's instruments, by track index.
#pragma once
#include <vector>

#include "tools/musicgen/Song.h"

namespace synth {

enum ShowTrack : int {
  kKick, kPunch, kSnare, kClap, kClosedHat, kOpenHat, kCrash, kImpact, kTom,
  kBass, kPad, kLead, kArp, kStab, kBell, kRiser, kShowTrackCount
};

std::vector<TrackSettings> ShowInstruments();

}  // namespace synth
