// The music track at the mix rate: libmpg123 decodes at the file's own rate and libswresample
// brings it to 44100 Hz. Mix sample n is the track at exactly n / 44100 s whatever the file's
// rate: the resampler's filter is centred and decoded ahead, so it adds no delay, and a seek
// gives the very samples a play from the start would.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct TrackReader;

// Indexes the whole buffer (which must outlive the reader). Null with a message when it holds
// no MPEG audio.
TrackReader* OpenTrackReader(const uint8_t* bytes, size_t size, std::string& error);
void CloseTrackReader(TrackReader* reader);

// Length in mix samples: those that start before the track's end.
int64_t TrackLength(const TrackReader& reader);
// The file's own samples per second.
int TrackRate(const TrackReader& reader);
// Positions at mix sample (clamped to 0..length). Restarts the resampler, which allocates:
// call it from the thread that owns the reader, never from the audio callback. False if the
// decoder refused.
bool SeekTrack(TrackReader& reader, int64_t sample);
// Up to frames interleaved stereo frames at the mix rate; returns how many (0 at the end). After
// a seek it allocates nothing, so the audio callback may call it.
size_t ReadTrack(TrackReader& reader, float* stereo, size_t frames);
