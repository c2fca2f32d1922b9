#include "tools/musicgen/Mp3Encode.h"

#include <lame/lame.h>

#include <algorithm>

namespace synth {
namespace {

struct EncoderOwner {
  lame_global_flags* flags = lame_init();
  ~EncoderOwner() {
    if (flags) lame_close(flags);
  }
};

constexpr int kChunkFrames = 8192;

}  // namespace

bool EncodeMp3(const StereoBuffer& pcm, const std::string& title, std::vector<uint8_t>& mp3,
               std::string& error, const Mp3Extras& extras) {
  mp3.clear();
  EncoderOwner owner;
  lame_global_flags* gf = owner.flags;
  if (!gf) {
    error = "lame: cannot create encoder";
    return false;
  }
  lame_set_num_channels(gf, 2);
  lame_set_in_samplerate(gf, pcm.sampleRate);
  lame_set_out_samplerate(gf, extras.outputRate ? extras.outputRate : pcm.sampleRate);
  lame_set_mode(gf, JOINT_STEREO);
  lame_set_VBR(gf, vbr_default);
  lame_set_VBR_quality(gf, 2.f);  // V2: about 190 kbps on full-band music
  lame_set_quality(gf, 3);
  lame_set_bWriteVbrTag(gf, 1);
  lame_set_write_id3tag_automatic(gf, 0);
  id3tag_init(gf);
  id3tag_add_v2(gf);
  id3tag_set_title(gf, title.c_str());
  if (!extras.cover.empty() &&
      id3tag_set_albumart(gf, reinterpret_cast<const char*>(extras.cover.data()), extras.cover.size()) != 0) {
    error = "lame: the cover is no JPEG, PNG or GIF of at most 128 KB";
    return false;
  }
  if (lame_init_params(gf) < 0) {
    error = "lame: unsupported parameters";
    return false;
  }

  std::vector<uint8_t> frames;
  std::vector<uint8_t> chunk(static_cast<size_t>(1.25 * kChunkFrames + 7200));
  const size_t total = pcm.Frames();
  for (size_t at = 0; at < total; at += kChunkFrames) {
    const int count = static_cast<int>(std::min<size_t>(kChunkFrames, total - at));
    const int bytes = lame_encode_buffer_ieee_float(gf, pcm.left.data() + at, pcm.right.data() + at, count,
                                                    chunk.data(), static_cast<int>(chunk.size()));
    if (bytes < 0) {
      error = "lame: encoding failed";
      return false;
    }
    frames.insert(frames.end(), chunk.begin(), chunk.begin() + bytes);
  }
  const int flushed = lame_encode_flush(gf, chunk.data(), static_cast<int>(chunk.size()));
  if (flushed < 0) {
    error = "lame: flush failed";
    return false;
  }
  frames.insert(frames.end(), chunk.begin(), chunk.begin() + flushed);

  // The first frame was a placeholder; now that the stream is complete its tag can be filled.
  std::vector<uint8_t> tagFrame(4096);
  const size_t tagSize = lame_get_lametag_frame(gf, tagFrame.data(), tagFrame.size());
  if (tagSize == 0 || tagSize > frames.size()) {
    error = "lame: no LAME tag";
    return false;
  }
  std::copy(tagFrame.begin(), tagFrame.begin() + tagSize, frames.begin());

  std::vector<uint8_t> id3((1 << 16) + extras.cover.size());
  const size_t id3Size = lame_get_id3v2_tag(gf, id3.data(), id3.size());
  if (id3Size > id3.size()) {
    error = "lame: ID3 tag too large";
    return false;
  }
  mp3.assign(id3.begin(), id3.begin() + id3Size);
  mp3.insert(mp3.end(), frames.begin(), frames.end());
  return true;
}

}  // namespace synth
