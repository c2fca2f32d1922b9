// The sound output the show plays through, on SDL2 audio: one device at 44100 Hz stereo float
// and one stream decoded from an MP3 held in memory, at any MPEG rate, resampled to the device's.
// The calls mirror the order the show makes them in: initialise the output, open the stream,
// play it paused, unpause it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/MusicClock.h"

// Opens the system's default output device (SDL_AUDIODRIVER in the environment may pick
// another), silent until a stream plays. False when there is no usable device. A device lost
// later (its sound server gone) is reopened about once a second, with one line on stderr when
// the sound is lost and one when it is back.
bool InitAudio(int mixRate);
// Releases the device; a stream opened afterwards runs silently on the monotonic clock.
void CloseAudio();

// A playing music stream. Its position is that of the audio the listener hears now: samples
// handed to the device, interpolated between callbacks on the monotonic clock, never
// backwards except by a seek. Without a device, and while the device takes no samples for a few
// periods, it runs silently on the monotonic clock from where it stood, and the track picks up
// there when samples flow again; with an unplayable track, or past the end of the track, it
// plays silence and keeps counting.
class AudioStream : public MusicClock {
 public:
  // Starts from 0, paused or not. Only one stream plays on the device at a time.
  virtual void Play(bool paused) = 0;
  virtual void SetPaused(bool paused) = 0;
  // Length of the decodable track in whole milliseconds; 0 when it cannot be decoded.
  virtual int TrackMs() = 0;
};

// The bytes must outlive the stream (the decoder reads them in place).
std::unique_ptr<AudioStream> OpenAudioStream(const uint8_t* bytes, size_t size);
// The same; problem says why the track cannot be decoded (empty when it can).
std::unique_ptr<AudioStream> OpenAudioStream(const uint8_t* bytes, size_t size, std::string& problem);

// For measurements: every buffer handed to the device from now on is written into records (up
// to capacity) with the monotonic time its callback started, the track sample it starts with
// and its size. StopAudioBufferLog ends it and says how many were written.
struct AudioBufferRecord {
  double time;
  int64_t firstSample;
  int frames;
};
void StartAudioBufferLog(AudioBufferRecord* records, int capacity);
int StopAudioBufferLog();
