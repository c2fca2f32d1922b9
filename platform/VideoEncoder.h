// An MP4 file from RGB frames and stereo float samples: H.264 (libx264, yuv420p) and AAC, on
// FFmpeg's libraries. Frames may be enlarged by a whole factor on the way in.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct VideoEncoderSettings {
  std::string path;
  int width = 0;   // of the RGB frames given to EncodeVideoFrame
  int height = 0;
  int scale = 1;   // the file's frames are width x scale by height x scale
  bool smooth = false;  // bicubic enlargement instead of square pixels
  int fps = 60;
  int crf = 18;
  std::string preset = "veryfast";  // libx264's speed/size trade-off
  int sampleRate = 44100;  // 0: no audio stream
};

struct VideoEncoder;

// Creates the file (overwriting it) and writes its header. Null with a message on failure.
VideoEncoder* OpenVideoEncoder(const VideoEncoderSettings& settings, std::string& error);

// One frame, RGB top row first, width x height of the settings; frames are timed 1/fps apart.
bool EncodeVideoFrame(VideoEncoder& encoder, const uint8_t* rgb, std::string& error);
// Interleaved stereo samples that follow the ones given before; they are buffered into the
// encoder's own frame size.
bool EncodeAudioSamples(VideoEncoder& encoder, const float* stereo, size_t frames, std::string& error);

// Flushes both encoders, writes the trailer and frees the encoder (also after a failure, when
// the file is left as far as it got). False with a message if finishing failed.
bool CloseVideoEncoder(VideoEncoder* encoder, std::string& error);
