// libmpg123 reading from memory through replaced I/O callbacks.
#include "platform/Mp3Decoder.h"

#include <mpg123.h>

#include <cstdio>
#include <cstring>
#include <string>

struct Mp3Decoder {
  mpg123_handle* handle = nullptr;
  const uint8_t* bytes = nullptr;
  size_t size = 0;
  size_t offset = 0;
  int64_t length = 0;
  int rate = 0;
};

namespace {

constexpr long kSeekPreframes = 24;

mpg123_ssize_t ReadMemory(void* source, void* out, size_t count) {
  auto* decoder = static_cast<Mp3Decoder*>(source);
  const size_t left = decoder->size - decoder->offset;
  if (count > left) count = left;
  std::memcpy(out, decoder->bytes + decoder->offset, count);
  decoder->offset += count;
  return static_cast<mpg123_ssize_t>(count);
}

off_t SeekMemory(void* source, off_t offset, int whence) {
  auto* decoder = static_cast<Mp3Decoder*>(source);
  off_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<off_t>(decoder->offset);
  else if (whence == SEEK_END) base = static_cast<off_t>(decoder->size);
  else if (whence != SEEK_SET) return -1;
  const off_t target = base + offset;
  if (target < 0 || target > static_cast<off_t>(decoder->size)) return -1;
  decoder->offset = static_cast<size_t>(target);
  return target;
}

bool InitLibraryOnce() {
  static const bool ready = mpg123_init() == MPG123_OK;
  return ready;
}

bool Fail(Mp3Decoder* decoder, std::string& error, const char* what) {
  error = what;
  if (decoder->handle) error += std::string(": ") + mpg123_strerror(decoder->handle);
  return false;
}

bool Configure(Mp3Decoder* decoder, std::string& error) {
  mpg123_handle* mh = decoder->handle;
  // Gapless trims the encoder delay and padding; without MPG123_FUZZY seeks are sample exact.
  // Tags are skipped unread: a cover picture of megabytes costs a jump, not a parse. No
  // MPG123_AUTO_RESAMPLE: the track comes out at its own rate and the mixer resamples it.
  const long flags = MPG123_GAPLESS | MPG123_FORCE_STEREO | MPG123_QUIET | MPG123_SKIP_ID3V2;
  // Junk before the first frame (or a damaged stretch) is searched through to the end of the
  // buffer rather than the default 1 KiB. A seek decodes enough frames before its target to
  // refill the bit reservoir (eleven frames of 8 kbit/s at 24 kHz fill its 255 bytes) and the
  // synthesis filter: the default two leave a VBR track silent after a seek, 16 is the least
  // that is exact on our low-rate VBR tests, and 24 leaves room.
  if (mpg123_param(mh, MPG123_FLAGS, flags, 0) != MPG123_OK || mpg123_param(mh, MPG123_RESYNC_LIMIT, -1, 0) != MPG123_OK ||
      mpg123_param(mh, MPG123_PREFRAMES, kSeekPreframes, 0) != MPG123_OK || mpg123_format_none(mh) != MPG123_OK)
    return Fail(decoder, error, "cannot configure the MP3 decoder");
  // Every MPEG rate, 8 to 48 kHz; mono comes out on both channels.
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (size_t i = 0; i < rateCount; ++i) {
    if (mpg123_format(mh, rates[i], MPG123_STEREO, MPG123_ENC_FLOAT_32) != MPG123_OK)
      return Fail(decoder, error, "cannot configure the MP3 decoder");
  }
  if (mpg123_replace_reader_handle(mh, ReadMemory, SeekMemory, nullptr) != MPG123_OK ||
      mpg123_open_handle(mh, decoder) != MPG123_OK)
    return Fail(decoder, error, "cannot open the MP3 data");
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK)
    return Fail(decoder, error, "not an MP3 stream");
  decoder->rate = static_cast<int>(rate);
  if (mpg123_scan(mh) != MPG123_OK) return Fail(decoder, error, "cannot index the MP3 data");
  decoder->length = mpg123_length(mh);
  if (decoder->length < 0) return Fail(decoder, error, "MP3 length unknown");
  return true;
}

}  // namespace

Mp3Decoder* OpenMp3Decoder(const uint8_t* bytes, size_t size, std::string& error) {
  if (!InitLibraryOnce()) {
    error = "libmpg123 failed to initialise";
    return nullptr;
  }
  auto* decoder = new Mp3Decoder;
  decoder->bytes = bytes;
  decoder->size = size;
  int status = MPG123_OK;
  decoder->handle = mpg123_new(nullptr, &status);
  if (!decoder->handle || !Configure(decoder, error)) {
    if (!decoder->handle) error = "cannot create an MP3 decoder";
    CloseMp3Decoder(decoder);
    return nullptr;
  }
  return decoder;
}

void CloseMp3Decoder(Mp3Decoder* decoder) {
  if (!decoder) return;
  if (decoder->handle) {
    mpg123_close(decoder->handle);
    mpg123_delete(decoder->handle);
  }
  delete decoder;
}

int64_t Mp3Length(const Mp3Decoder& decoder) { return decoder.length; }

int Mp3Rate(const Mp3Decoder& decoder) { return decoder.rate; }

bool SeekMp3(Mp3Decoder& decoder, int64_t sample) {
  if (sample < 0) sample = 0;
  if (sample > decoder.length) sample = decoder.length;
  return mpg123_seek(decoder.handle, static_cast<off_t>(sample), SEEK_SET) >= 0;
}

size_t ReadMp3(Mp3Decoder& decoder, float* stereo, size_t frames) {
  const size_t frameBytes = 2 * sizeof(float);
  size_t done = 0;
  while (done < frames) {
    size_t got = 0;
    const int status = mpg123_read(decoder.handle, reinterpret_cast<unsigned char*>(stereo + 2 * done),
                                   (frames - done) * frameBytes, &got);
    done += got / frameBytes;
    if (status == MPG123_NEW_FORMAT || (status == MPG123_OK && got > 0)) continue;
    break;
  }
  return done;
}
