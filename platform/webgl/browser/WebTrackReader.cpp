// The music track at the mix rate in the browser build, without a resampler: libswresample
// would have to be built for WebAssembly with the rest of FFmpeg, so this reader takes tracks at
// 44100 Hz (the show's own) and reads them straight from the decoder.
#include "platform/TrackReader.h"

#include "platform/Mp3Decoder.h"
#include "platform/MusicClock.h"

struct TrackReader {
  Mp3Decoder* decoder = nullptr;
};

TrackReader* OpenTrackReader(const uint8_t* bytes, size_t size, std::string& error) {
  Mp3Decoder* decoder = OpenMp3Decoder(bytes, size, error);
  if (!decoder) return nullptr;
  if (Mp3Rate(*decoder) != kMixRate) {
    error = "the browser build plays 44100 Hz tracks only, this one is " + std::to_string(Mp3Rate(*decoder)) + " Hz";
    CloseMp3Decoder(decoder);
    return nullptr;
  }
  return new TrackReader{decoder};
}

void CloseTrackReader(TrackReader* reader) {
  if (!reader) return;
  CloseMp3Decoder(reader->decoder);
  delete reader;
}

int64_t TrackLength(const TrackReader& reader) { return Mp3Length(*reader.decoder); }
int TrackRate(const TrackReader& reader) { return Mp3Rate(*reader.decoder); }
bool SeekTrack(TrackReader& reader, int64_t sample) { return SeekMp3(*reader.decoder, sample); }
size_t ReadTrack(TrackReader& reader, float* stereo, size_t frames) { return ReadMp3(*reader.decoder, stereo, frames); }
