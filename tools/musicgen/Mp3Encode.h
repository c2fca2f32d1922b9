// MP3 encoding on libmp3lame: VBR at about 190 kbps, an ID3v2 title and a LAME tag carrying the
// encoder delay and padding so that decoders can trim them (gapless playback).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/musicgen/Render.h"

namespace synth {

// What a file may have beyond the show's own: another output rate (libmp3lame resamples) and a
// front cover picture (JPEG, PNG or GIF bytes, at most 128 KB) in the ID3v2 tag.
struct Mp3Extras {
  int outputRate = 0;  // 0: the input's rate
  std::vector<uint8_t> cover;
};

// Same input, same bytes: nothing time- or host-dependent goes into the file.
bool EncodeMp3(const StereoBuffer& pcm, const std::string& title, std::vector<uint8_t>& mp3,
               std::string& error, const Mp3Extras& extras = {});

}  // namespace synth
