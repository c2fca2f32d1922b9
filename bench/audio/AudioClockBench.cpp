// The music clock with tracks as users drop them in: the show's track as it is (44.1 kHz), made
// 48 kHz VBR with a 3 MB cover picture, and 22.05 kHz mono (both by the ffmpeg program). For
// each: the cost of opening it (the whole-file scan), of a seek, of decoding and resampling, and
// how far the live clock strays from the position the dummy audio device is at while it plays.
// Run from the build folder: build/bench/audio/bench-audio [SECONDS_PER_TRACK].
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/FileBytes.h"
#include "platform/LiveAudio.h"
#include "platform/MonotonicTime.h"
#include "platform/TrackReader.h"

namespace {

constexpr int kMaxRecords = 8192;
AudioBufferRecord records[kMaxRecords];

// The dummy device consumes each buffer evenly until it asks for the next one, so the sample it
// is at between two callbacks is the linear blend of their first samples.
bool HeardMs(double time, int count, double& ms) {
  for (int k = 0; k + 1 < count; ++k) {
    const AudioBufferRecord& a = records[k];
    const AudioBufferRecord& b = records[k + 1];
    if (a.time <= time && time < b.time && b.firstSample == a.firstSample + a.frames) {
      ms = (static_cast<double>(a.firstSample) + (time - a.time) / (b.time - a.time) * a.frames) / 44.1;
      return true;
    }
  }
  return false;
}

double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())))];
}

bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }

struct Track {
  const char* name;
  std::string path;
};

// Median milliseconds of opening the stream (which scans and indexes the whole file).
double OpenMs(const std::vector<uint8_t>& bytes) {
  std::vector<double> times;
  for (int i = 0; i < 5; ++i) {
    const double start = MonotonicSeconds();
    std::string problem;
    std::unique_ptr<AudioStream> stream = OpenAudioStream(bytes.data(), bytes.size(), problem);
    times.push_back((MonotonicSeconds() - start) * 1000);
  }
  return Percentile(times, 0.5);
}

// Median microseconds of a seek to a random place with the first callback's worth read after it
// (libmpg123 decodes on the read), and decoding speed in multiples of real time.
void ReaderCosts(const std::vector<uint8_t>& bytes, double& seekUs, double& speed) {
  std::string error;
  TrackReader* reader = OpenTrackReader(bytes.data(), bytes.size(), error);
  if (!reader) return;
  std::vector<double> seeks;
  std::vector<float> stereo(2 * 4096);
  uint32_t random = 1;
  for (int i = 0; i < 50; ++i) {
    random = random * 1664525u + 1013904223u;
    const int64_t target = static_cast<int64_t>(random % static_cast<uint32_t>(TrackLength(*reader)));
    const double start = MonotonicSeconds();
    SeekTrack(*reader, target);
    ReadTrack(*reader, stereo.data(), 512);
    seeks.push_back((MonotonicSeconds() - start) * 1e6);
  }
  seekUs = Percentile(seeks, 0.5);
  SeekTrack(*reader, 0);
  const int64_t total = std::min<int64_t>(TrackLength(*reader), 30 * kMixRate);
  const double start = MonotonicSeconds();
  for (int64_t done = 0; done < total;) done += static_cast<int64_t>(ReadTrack(*reader, stereo.data(), 4096));
  speed = static_cast<double>(total) / kMixRate / (MonotonicSeconds() - start);
  CloseTrackReader(reader);
}

// Plays seconds of the track on the dummy device, reading the clock every 0.3 ms.
void ClockError(const std::vector<uint8_t>& bytes, double seconds, double& median, double& p99, double& worst,
                double& jitter) {
  StartAudioBufferLog(records, kMaxRecords);
  std::unique_ptr<AudioStream> stream = OpenAudioStream(bytes.data(), bytes.size());
  stream->SeekMs(60000);
  stream->Play(false);
  stream->SeekMs(60000);
  struct Reading {
    double time;
    int ms;
  };
  std::vector<Reading> readings;
  const double start = MonotonicSeconds();
  while (MonotonicSeconds() - start < seconds) {
    const double before = MonotonicSeconds();
    const int ms = stream->PositionMs();
    readings.push_back({0.5 * (before + MonotonicSeconds()), ms});
    std::this_thread::sleep_for(std::chrono::microseconds(300));
  }
  // Frames at 60 per second: how far each step of the clock is from the frame's own interval.
  double previousTime = MonotonicSeconds();
  int previous = stream->PositionMs();
  jitter = 0;
  for (int frame = 1; frame <= 120; ++frame) {
    std::this_thread::sleep_until(std::chrono::steady_clock::now() +
                                  std::chrono::duration<double>(previousTime + 1 / 60.0 - MonotonicSeconds()));
    const int now = stream->PositionMs();
    const double nowTime = MonotonicSeconds();
    jitter = std::max(jitter, std::fabs((now - previous) - (nowTime - previousTime) * 1000));
    previous = now;
    previousTime = nowTime;
  }
  const int count = StopAudioBufferLog();
  std::vector<double> errors;
  for (const Reading& reading : readings) {
    double heard = 0;
    // Whole ms truncate, so compare against the truncated heard position.
    if (reading.time > start + 0.1 && HeardMs(reading.time, count, heard))
      errors.push_back(std::fabs(reading.ms - std::floor(heard)));
  }
  median = Percentile(errors, 0.5);
  p99 = Percentile(errors, 0.99);
  worst = errors.empty() ? 0 : *std::max_element(errors.begin(), errors.end());
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  const std::string dir = (std::filesystem::temp_directory_path() / "vex-bench-audio").string();
  std::filesystem::create_directories(dir);
  const std::string show = "data/music/sonorrak.mp3";
  const std::string cover = dir + "/cover.png", vbr = dir + "/48k-vbr-cover.mp3", mono = dir + "/22k-mono.mp3";
  if (!Run("ffmpeg -v error -y -f lavfi -i 'nullsrc=s=1024x1024,geq=random(1)*255:random(2)*255:128' -frames:v 1 '" +
           cover + "'") ||
      !Run("ffmpeg -v error -y -i " + show + " -i '" + cover +
           "' -map 0:a -map 1 -c:a libmp3lame -q:a 2 -ar 48000 -c:v copy -id3v2_version 3 '" + vbr + "'") ||
      !Run("ffmpeg -v error -y -i " + show + " -c:a libmp3lame -b:a 64k -ar 22050 -ac 1 '" + mono + "'")) {
    std::fprintf(stderr, "bench-audio: ffmpeg could not make the tracks (run from the build folder)\n");
    return 1;
  }
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (!InitAudio(kMixRate)) {
    std::fprintf(stderr, "bench-audio: the dummy audio driver did not open\n");
    return 1;
  }
  std::printf("%-28s %8s %9s %8s %9s %9s | %s\n", "track", "MB", "open ms", "seek us", "decode x", "jitter ms",
              "clock - heard, ms: median p99 worst");
  for (const Track& track : {Track{"44.1 kHz (the show's)", show}, Track{"48 kHz VBR, 3 MB cover", vbr},
                             Track{"22.05 kHz mono", mono}}) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(track.path, bytes)) return 1;
    double seekUs = 0, speed = 0, median = 0, p99 = 0, worst = 0, jitter = 0;
    const double openMs = OpenMs(bytes);
    ReaderCosts(bytes, seekUs, speed);
    ClockError(bytes, seconds, median, p99, worst, jitter);
    std::printf("%-28s %8.1f %9.1f %8.0f %9.0f %9.1f | %.1f %.1f %.1f\n", track.name, bytes.size() / 1e6, openMs,
                seekUs, speed, jitter, median, p99, worst);
  }
  CloseAudio();
  std::filesystem::remove_all(dir);
  return 0;
}
