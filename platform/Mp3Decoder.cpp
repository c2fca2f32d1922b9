// libmpg123 reading from memory through replaced I/O callbacks. The encoder's delay and padding
// are trimmed here rather than by libmpg123's gapless mode, which gives up on the whole track
// (and plays its delay at the start) once damage has cost a frame.
#include "platform/Mp3Decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

struct Mp3Decoder {
  mpg123_handle* handle = nullptr;
  const uint8_t* bytes = nullptr;
  size_t size = 0;
  size_t offset = 0;
  int64_t length = 0;
  int64_t skip = 0;      // decoded samples before the track's first: the encoder's and decoder's delay
  int64_t position = 0;  // the track sample the next read returns
  int64_t owed = 0;      // silence due for samples the decoder counted but could not decode
  int rate = 0;
};

namespace {

constexpr long kSeekPreframes = 24;
// Samples a Layer III decoder puts before the encoder's own delay (LAME's figure).
constexpr int64_t kDecoderDelay = 529;

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
  // Without MPG123_FUZZY seeks are sample exact. Tags are skipped unread: a cover picture of
  // megabytes costs a jump, not a parse. No MPG123_AUTO_RESAMPLE: the track comes out at its
  // own rate and the mixer resamples it.
  const long flags = MPG123_FORCE_STEREO | MPG123_QUIET | MPG123_SKIP_ID3V2;
  // Junk before the first frame (or a damaged stretch) is searched through to the end of the
  // buffer rather than the default 1 KiB. A seek decodes enough frames before its target to
  // refill the bit reservoir (eleven frames of 8 kbit/s at 24 kHz fill its 255 bytes) and the
  // synthesis filter: the default two leave a VBR track silent after a seek, 16 is the least
  // that is exact on our low-rate VBR tests, and 24 leaves room.
  if (mpg123_param(mh, MPG123_FLAGS, flags, 0) != MPG123_OK ||
      mpg123_param(mh, MPG123_RESYNC_LIMIT, -1, 0) != MPG123_OK ||
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
  const int64_t decoded = mpg123_length(mh);
  if (decoded < 0) return Fail(decoder, error, "MP3 length unknown");
  // The LAME tag's delay and padding (-1 without one: nothing to trim).
  long delay = -1, padding = -1;
  double unused = 0;
  mpg123_getstate(mh, MPG123_ENC_DELAY, &delay, &unused);
  mpg123_getstate(mh, MPG123_ENC_PADDING, &padding, &unused);
  decoder->skip = delay >= 0 ? std::min(delay + kDecoderDelay, decoded) : 0;
  const int64_t end = padding >= 0 ? std::clamp(decoded - padding + kDecoderDelay, decoder->skip, decoded) : decoded;
  decoder->length = end - decoder->skip;
  if (mpg123_seek(mh, static_cast<off_t>(decoder->skip), SEEK_SET) < 0)
    return Fail(decoder, error, "cannot find the MP3 track's start");
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
  decoder.position = std::clamp<int64_t>(sample, 0, decoder.length);
  decoder.owed = 0;
  return mpg123_seek(decoder.handle, static_cast<off_t>(decoder.position + decoder.skip), SEEK_SET) >= 0;
}

size_t ReadMp3(Mp3Decoder& decoder, float* stereo, size_t frames) {
  frames = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(frames), decoder.length - decoder.position));
  const size_t frameBytes = 2 * sizeof(float);
  size_t done = 0;
  while (done < frames) {
    if (decoder.owed > 0) {
      const size_t gap = static_cast<size_t>(std::min<int64_t>(decoder.owed, static_cast<int64_t>(frames - done)));
      std::fill(stereo + 2 * done, stereo + 2 * (done + gap), 0.0f);
      decoder.owed -= static_cast<int64_t>(gap);
      done += gap;
      continue;
    }
    size_t got = 0;
    const int status = mpg123_read(decoder.handle, reinterpret_cast<unsigned char*>(stereo + 2 * done),
                                   (frames - done) * frameBytes, &got);
    done += got / frameBytes;
    // A damaged frame that decodes to nothing still counts in the index seeks use: its place is
    // filled with silence, so playing on and seeking agree on where the rest of the track is.
    const int64_t next = static_cast<int64_t>(mpg123_tell(decoder.handle)) - decoder.skip;
    decoder.owed = std::max<int64_t>(next - (decoder.position + static_cast<int64_t>(done)), 0);
    if (status == MPG123_NEW_FORMAT || (status == MPG123_OK && got > 0)) continue;
    if (decoder.owed == 0) break;
  }
  decoder.position += static_cast<int64_t>(done);
  return done;
}
