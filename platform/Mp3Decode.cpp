// MP3 decoding through mpg123's feed interface: the whole file is handed over at once.
#include "platform/Mp3Decode.h"

#include <mpg123.h>

namespace {

struct HandleOwner {
  mpg123_handle* handle = nullptr;
  ~HandleOwner() {
    if (handle) mpg123_delete(handle);
  }
};

bool Fail(DecodedAudio& audio, std::string& error, const std::string& message) {
  audio = DecodedAudio{};
  error = message;
  return false;
}

}  // namespace

bool DecodeMp3(const uint8_t* bytes, size_t size, DecodedAudio& audio, std::string& error) {
  audio = DecodedAudio{};
  if (!bytes || size == 0) return Fail(audio, error, "mp3: no data");
  int status = MPG123_OK;
  HandleOwner owner;
  owner.handle = mpg123_new(nullptr, &status);
  if (!owner.handle) return Fail(audio, error, "mp3: cannot create decoder");
  mpg123_handle* mh = owner.handle;
  mpg123_param(mh, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
  mpg123_format_none(mh);
  for (long rate : {32000L, 44100L, 48000L, 22050L, 24000L, 16000L, 11025L, 12000L, 8000L}) {
    mpg123_format(mh, rate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
  }
  if (mpg123_open_feed(mh) != MPG123_OK) return Fail(audio, error, "mp3: cannot open feed");
  if (mpg123_feed(mh, bytes, size) != MPG123_OK) return Fail(audio, error, "mp3: feed failed");
  // Signal the end of input so that the last frames (and gapless padding) are settled.
  mpg123_set_filesize(mh, static_cast<off_t>(size));

  std::vector<unsigned char> block(1 << 16);
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  for (;;) {
    size_t done = 0;
    status = mpg123_read(mh, block.data(), block.size(), &done);
    if (status == MPG123_NEW_FORMAT) {
      mpg123_getformat(mh, &rate, &channels, &encoding);
    }
    if (done > 0) {
      const float* floats = reinterpret_cast<const float*>(block.data());
      audio.samples.insert(audio.samples.end(), floats, floats + done / sizeof(float));
    }
    if (status == MPG123_NEED_MORE || status == MPG123_DONE) break;
    if (status != MPG123_OK && status != MPG123_NEW_FORMAT) {
      return Fail(audio, error, std::string("mp3: ") + mpg123_strerror(mh));
    }
  }
  if (channels == 0 || audio.samples.empty()) return Fail(audio, error, "mp3: no audio frames");
  audio.sampleRate = static_cast<int>(rate);
  audio.channels = channels;
  return true;
}
