// Short MP3 tracks made in the test with libmp3lame, with the LAME tag that gapless decoding
// needs to trim the encoder delay and padding, and the wrappings users' files come in.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Encodes 44100 Hz stereo: left and right hold the same number of samples.
std::vector<uint8_t> EncodeMp3(const std::vector<float>& left, const std::vector<float>& right);

// A sine of the given frequency and amplitude on both channels.
std::vector<uint8_t> SineMp3(double seconds, double hz, float amplitude);

// A 440 Hz sine at any rate libmp3lame takes, mono (channels 1) or stereo.
std::vector<uint8_t> SineMp3AtRate(double seconds, int sampleRate, int channels);

struct TestMp3Form {
  int sampleRate = 44100;
  int channels = 2;
  bool vbr = false;
  bool infoTag = true;  // the Xing/Info frame with the LAME tag; without it nothing is trimmed
};
// A signal no shift matches but itself: a rising chirp under bursts of a high tone, at the
// form's rate, on both channels.
std::vector<uint8_t> ChirpMp3(const TestMp3Form& form, double seconds);

// The wrappings: an ID3v2 tag before the audio carrying a picture of pictureBytes (random
// bytes, sync-like patterns and all); junk before the first frame; an APE tag and an ID3v1 tag
// after the last; bytes overwritten with noise from offset on.
std::vector<uint8_t> WithCoverPicture(const std::vector<uint8_t>& mp3, size_t pictureBytes);
std::vector<uint8_t> WithJunkBefore(const std::vector<uint8_t>& mp3, size_t junkBytes);
std::vector<uint8_t> WithEndTags(const std::vector<uint8_t>& mp3);
std::vector<uint8_t> Damaged(const std::vector<uint8_t>& mp3, size_t offset, size_t bytes);

// The file decoded by the ffmpeg program (FFmpeg's own MP3 decoder, not libmpg123) and resampled
// to 44100 Hz by sox (its linear-phase resampler, not libswresample): interleaved stereo, mono
// on both channels at full level. Empty if either program is missing.
std::vector<float> ReferenceMix(const std::vector<uint8_t>& mp3, int rate, int channels);
// Every sample of an audio stream of a media file as ffmpeg decodes it, interleaved stereo.
std::vector<float> DecodedStereo(const std::string& path);
