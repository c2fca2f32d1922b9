// libmpg123 through libswresample. A file rate r and the mix rate meet every r / gcd file
// samples (44100 / gcd mix samples) with the filter's phase at zero, so a seek restarts the
// resampler at such a meeting point a little before the target, from real samples (or the
// silence before the track), and drops the output up to the target. The resampler is always
// fed whole blocks with room for all it makes, so it grows its buffers in its first two calls,
// which a seek makes, and never again.
#include "platform/TrackReader.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cstring>
#include <numeric>

#include "platform/Mp3Decoder.h"
#include "platform/MusicClock.h"

namespace {

constexpr int kBlockFrames = 1152;  // file samples per feed: one MPEG-1 Layer III frame
// 64 taps a side and a pass band to 95 % of the lower Nyquist frequency: a 23 kHz tone in a
// 48 kHz file, which would fold back to 21 kHz, is held 96 dB down (swr's default: 20 dB).
constexpr int kFilterTaps = 64;
constexpr double kCutoff = 0.95;
// File samples a seek starts before its target: three feeds, so the buffers are grown by the
// seek, and the filter's reach.
constexpr int64_t kSeekLeadIn = 3 * kBlockFrames + 2 * kFilterTaps;
constexpr int kLowestRate = 8000;
// Mix samples one feed can make, from the lowest rate, with room for the filter's rounding.
constexpr int kPendingFrames = kBlockFrames * kMixRate / kLowestRate + 2 * kFilterTaps;

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

struct TrackReader {
  Mp3Decoder* decoder = nullptr;
  SwrContext* resampler = nullptr;  // null when the file is at the mix rate
  int64_t length = 0;               // mix samples
  int64_t next = 0;                 // the mix sample the next read returns
  int64_t inputCycle = 1;           // file samples between two phase-zero meeting points
  int64_t outputCycle = 1;          // mix samples between them
  int64_t silenceBefore = 0;        // file samples of silence to feed before the track's first
  size_t pendingAt = 0;             // resampled frames made but not yet read
  size_t pendingCount = 0;
  float block[2 * kBlockFrames] = {};
  float pending[2 * kPendingFrames] = {};
};

namespace {

bool OpenResampler(TrackReader& r, int rate, std::string& error) {
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  if (swr_alloc_set_opts2(&r.resampler, &stereo, AV_SAMPLE_FMT_FLT, kMixRate, &stereo, AV_SAMPLE_FMT_FLT, rate, 0,
                          nullptr) < 0 ||
      av_opt_set_int(r.resampler, "filter_size", kFilterTaps, 0) < 0 ||
      av_opt_set_double(r.resampler, "cutoff", kCutoff, 0) < 0 || swr_init(r.resampler) < 0) {
    error = "cannot set up the resampler from " + std::to_string(rate) + " Hz";
    return false;
  }
  const int64_t common = std::gcd<int64_t>(rate, kMixRate);
  r.inputCycle = rate / common;
  r.outputCycle = kMixRate / common;
  return true;
}

// One whole block through the resampler: silence before the track, the track, silence after it.
void Feed(TrackReader& r) {
  const size_t silent = static_cast<size_t>(std::min<int64_t>(r.silenceBefore, kBlockFrames));
  std::memset(r.block, 0, sizeof r.block);
  r.silenceBefore -= static_cast<int64_t>(silent);
  size_t filled = silent;
  while (filled < kBlockFrames) {
    const size_t got = ReadMp3(*r.decoder, r.block + 2 * filled, kBlockFrames - filled);
    if (got == 0) break;
    filled += got;
  }
  const auto* in = reinterpret_cast<const uint8_t*>(r.block);
  auto* out = reinterpret_cast<uint8_t*>(r.pending);
  const int made = swr_convert(r.resampler, &out, kPendingFrames, &in, kBlockFrames);
  r.pendingAt = 0;
  r.pendingCount = made > 0 ? static_cast<size_t>(made) : 0;
}

// Resampled frames into stereo, or nowhere when stereo is null (a seek's lead-in).
size_t ReadResampled(TrackReader& r, float* stereo, size_t frames) {
  size_t done = 0;
  while (done < frames) {
    if (r.pendingAt == r.pendingCount) Feed(r);
    const size_t take = std::min(frames - done, r.pendingCount - r.pendingAt);
    if (stereo) std::memcpy(stereo + 2 * done, r.pending + 2 * r.pendingAt, take * 2 * sizeof(float));
    r.pendingAt += take;
    done += take;
  }
  return done;
}

}  // namespace

TrackReader* OpenTrackReader(const uint8_t* bytes, size_t size, std::string& error) {
  auto* reader = new TrackReader;
  reader->decoder = OpenMp3Decoder(bytes, size, error);
  const int rate = reader->decoder ? Mp3Rate(*reader->decoder) : 0;
  if (!reader->decoder || (rate != kMixRate && (!OpenResampler(*reader, rate, error) || !SeekTrack(*reader, 0)))) {
    CloseTrackReader(reader);
    return nullptr;
  }
  reader->length = (Mp3Length(*reader->decoder) * kMixRate + rate - 1) / rate;
  return reader;
}

void CloseTrackReader(TrackReader* reader) {
  if (!reader) return;
  swr_free(&reader->resampler);
  CloseMp3Decoder(reader->decoder);
  delete reader;
}

int64_t TrackLength(const TrackReader& reader) { return reader.length; }

int TrackRate(const TrackReader& reader) { return Mp3Rate(*reader.decoder); }

bool SeekTrack(TrackReader& r, int64_t sample) {
  sample = std::clamp<int64_t>(sample, 0, r.length);
  r.next = sample;
  if (!r.resampler) return SeekMp3(*r.decoder, sample);
  // The last meeting point at least kSeekLeadIn file samples before the target; before the
  // track's start the resampler takes silence.
  const int64_t leadIn = (kSeekLeadIn * r.outputCycle + r.inputCycle - 1) / r.inputCycle;
  const int64_t cycles = FloorDiv(sample - leadIn, r.outputCycle);
  const int64_t start = cycles * r.inputCycle;
  if (!SeekMp3(*r.decoder, std::max<int64_t>(start, 0)) || swr_init(r.resampler) < 0) return false;
  r.silenceBefore = std::max<int64_t>(-start, 0);
  r.pendingAt = r.pendingCount = 0;
  ReadResampled(r, nullptr, static_cast<size_t>(sample - cycles * r.outputCycle));
  return true;
}

size_t ReadTrack(TrackReader& r, float* stereo, size_t frames) {
  frames = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(frames), r.length - r.next));
  const size_t got = r.resampler ? ReadResampled(r, stereo, frames) : ReadMp3(*r.decoder, stereo, frames);
  r.next += static_cast<int64_t>(got);
  return got;
}
