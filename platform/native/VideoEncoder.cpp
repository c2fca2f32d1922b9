// libavformat's MP4 muxer over libx264 and FFmpeg's own AAC encoder; swscale converts RGB to
// yuv420p and enlarges in the same pass.
#include "platform/VideoEncoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>

struct VideoEncoder {
  AVFormatContext* format = nullptr;
  AVCodecContext* video = nullptr;
  AVCodecContext* audio = nullptr;
  AVStream* videoStream = nullptr;
  AVStream* audioStream = nullptr;
  SwsContext* scaler = nullptr;
  AVFrame* picture = nullptr;
  AVFrame* sound = nullptr;  // filled up to audio->frame_size samples, then sent
  AVPacket* packet = nullptr;
  int width = 0, height = 0;
  int64_t nextPicture = 0;
  int64_t nextSample = 0;
  bool headerWritten = false;
};

namespace {

std::string AvError(const char* what, int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return std::string(what) + ": " + text;
}

// Moves every packet the codec has ready into the file.
bool DrainPackets(VideoEncoder& e, AVCodecContext* codec, AVStream* stream, std::string& error) {
  while (true) {
    const int got = avcodec_receive_packet(codec, e.packet);
    if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return true;
    if (got < 0) {
      error = AvError("encoding failed", got);
      return false;
    }
    // libx264 leaves the duration unset; without it the muxer's edit list cuts the last frame.
    if (e.packet->duration == 0 && codec == e.video) e.packet->duration = 1;
    av_packet_rescale_ts(e.packet, codec->time_base, stream->time_base);
    e.packet->stream_index = stream->index;
    const int written = av_interleaved_write_frame(e.format, e.packet);
    if (written < 0) {
      error = AvError("cannot write the video file", written);
      return false;
    }
  }
}

bool Send(VideoEncoder& e, AVCodecContext* codec, AVStream* stream, const AVFrame* frame, std::string& error) {
  const int sent = avcodec_send_frame(codec, frame);
  if (sent < 0) {
    error = AvError("encoding failed", sent);
    return false;
  }
  return DrainPackets(e, codec, stream, error);
}

AVCodecContext* OpenVideoCodec(const VideoEncoderSettings& s, VideoEncoder& e, std::string& error) {
  const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
  if (!codec) {
    error = "this FFmpeg has no libx264 encoder";
    return nullptr;
  }
  AVCodecContext* c = avcodec_alloc_context3(codec);
  c->width = s.width * s.scale;
  c->height = s.height * s.scale;
  c->pix_fmt = AV_PIX_FMT_YUV420P;
  c->time_base = AVRational{1, s.fps};
  c->framerate = AVRational{s.fps, 1};
  c->gop_size = 2 * s.fps;
  // swscale's RGB to YUV uses BT.601 coefficients and limited range; the file says so.
  c->colorspace = AVCOL_SPC_SMPTE170M;
  c->color_primaries = AVCOL_PRI_SMPTE170M;
  c->color_trc = AVCOL_TRC_SMPTE170M;
  c->color_range = AVCOL_RANGE_MPEG;
  if (e.format->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  // One encoding thread: with x264's frame threads the stream now and then came out different
  // on a crowded machine (render processes beside it) from the very same pictures. The frames'
  // rendering keeps the other cores busy.
  c->thread_count = 1;
  av_opt_set(c->priv_data, "preset", s.preset.c_str(), 0);
  av_opt_set_int(c->priv_data, "crf", s.crf, 0);
  const int opened = avcodec_open2(c, codec, nullptr);
  if (opened < 0) {
    error = AvError("cannot open the H.264 encoder", opened);
    avcodec_free_context(&c);
  }
  return c;
}

AVCodecContext* OpenAudioCodec(const VideoEncoderSettings& s, VideoEncoder& e, std::string& error) {
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
  if (!codec) {
    error = "this FFmpeg has no AAC encoder";
    return nullptr;
  }
  AVCodecContext* c = avcodec_alloc_context3(codec);
  c->sample_fmt = AV_SAMPLE_FMT_FLTP;
  c->sample_rate = s.sampleRate;
  av_channel_layout_default(&c->ch_layout, 2);
  c->bit_rate = 192000;
  c->time_base = AVRational{1, s.sampleRate};
  if (e.format->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  const int opened = avcodec_open2(c, codec, nullptr);
  if (opened < 0) {
    error = AvError("cannot open the AAC encoder", opened);
    avcodec_free_context(&c);
  }
  return c;
}

AVStream* AddStream(VideoEncoder& e, const AVCodecContext* codec, std::string& error) {
  AVStream* stream = avformat_new_stream(e.format, nullptr);
  if (!stream || avcodec_parameters_from_context(stream->codecpar, codec) < 0) {
    error = "cannot add a stream to the video file";
    return nullptr;
  }
  stream->time_base = codec->time_base;
  return stream;
}

AVFrame* AllocateFrame(std::string& error, void (*describe)(AVFrame*, const AVCodecContext*), const AVCodecContext* c) {
  AVFrame* frame = av_frame_alloc();
  describe(frame, c);
  if (av_frame_get_buffer(frame, 0) < 0) {
    error = "out of memory for a video frame";
    av_frame_free(&frame);
  }
  return frame;
}

void DescribePicture(AVFrame* f, const AVCodecContext* c) {
  f->format = c->pix_fmt;
  f->width = c->width;
  f->height = c->height;
}

void DescribeSound(AVFrame* f, const AVCodecContext* c) {
  f->format = c->sample_fmt;
  f->sample_rate = c->sample_rate;
  av_channel_layout_copy(&f->ch_layout, &c->ch_layout);
  f->nb_samples = c->frame_size;
}

bool OpenAll(const VideoEncoderSettings& s, VideoEncoder& e, std::string& error) {
  const int made = avformat_alloc_output_context2(&e.format, nullptr, "mp4", s.path.c_str());
  if (made < 0) {
    error = AvError("cannot set up an MP4 file", made);
    return false;
  }
  e.video = OpenVideoCodec(s, e, error);
  if (!e.video || !(e.videoStream = AddStream(e, e.video, error))) return false;
  if (s.sampleRate > 0) {
    e.audio = OpenAudioCodec(s, e, error);
    if (!e.audio || !(e.audioStream = AddStream(e, e.audio, error))) return false;
    if (!(e.sound = AllocateFrame(error, DescribeSound, e.audio))) return false;
    e.sound->nb_samples = 0;
  }
  if (!(e.picture = AllocateFrame(error, DescribePicture, e.video))) return false;
  e.packet = av_packet_alloc();
  const int flags = (s.smooth ? SWS_BICUBIC : SWS_POINT) | SWS_ACCURATE_RND;
  e.scaler = sws_getContext(s.width, s.height, AV_PIX_FMT_RGB24, e.video->width, e.video->height,
                            AV_PIX_FMT_YUV420P, flags, nullptr, nullptr, nullptr);
  if (!e.scaler) {
    error = "cannot set up the RGB to YUV conversion";
    return false;
  }
  const int opened = avio_open(&e.format->pb, s.path.c_str(), AVIO_FLAG_WRITE);
  if (opened < 0) {
    error = AvError(("cannot create " + s.path).c_str(), opened);
    return false;
  }
  const int header = avformat_write_header(e.format, nullptr);
  if (header < 0) {
    error = AvError("cannot write the video file's header", header);
    return false;
  }
  e.headerWritten = true;
  return true;
}

bool SendSound(VideoEncoder& e, std::string& error) {
  e.sound->pts = e.nextSample;
  e.nextSample += e.sound->nb_samples;
  const bool sent = Send(e, e.audio, e.audioStream, e.sound, error);
  e.sound->nb_samples = 0;
  return sent;
}

void FreeAll(VideoEncoder* e) {
  if (e->format && e->format->pb) avio_closep(&e->format->pb);
  avformat_free_context(e->format);
  avcodec_free_context(&e->video);
  avcodec_free_context(&e->audio);
  sws_freeContext(e->scaler);
  av_frame_free(&e->picture);
  av_frame_free(&e->sound);
  av_packet_free(&e->packet);
  delete e;
}

}  // namespace

VideoEncoder* OpenVideoEncoder(const VideoEncoderSettings& settings, std::string& error) {
  av_log_set_level(AV_LOG_ERROR);
  auto* encoder = new VideoEncoder;
  encoder->width = settings.width;
  encoder->height = settings.height;
  if (!OpenAll(settings, *encoder, error)) {
    FreeAll(encoder);
    return nullptr;
  }
  return encoder;
}

bool EncodeVideoFrame(VideoEncoder& e, const uint8_t* rgb, std::string& error) {
  // The encoder may still hold the previous picture's buffer as a reference.
  if (av_frame_make_writable(e.picture) < 0) {
    error = "out of memory for a video frame";
    return false;
  }
  const uint8_t* source[1] = {rgb};
  const int sourceStride[1] = {e.width * 3};
  sws_scale(e.scaler, source, sourceStride, 0, e.height, e.picture->data, e.picture->linesize);
  e.picture->pts = e.nextPicture++;
  return Send(e, e.video, e.videoStream, e.picture, error);
}

bool EncodeAudioSamples(VideoEncoder& e, const float* stereo, size_t frames, std::string& error) {
  if (!e.audio) return true;
  while (frames > 0) {
    if (e.sound->nb_samples == 0 && av_frame_make_writable(e.sound) < 0) {
      error = "out of memory for audio";
      return false;
    }
    const int room = e.audio->frame_size - e.sound->nb_samples;
    const int take = static_cast<int>(std::min<size_t>(frames, static_cast<size_t>(room)));
    auto* left = reinterpret_cast<float*>(e.sound->data[0]) + e.sound->nb_samples;
    auto* right = reinterpret_cast<float*>(e.sound->data[1]) + e.sound->nb_samples;
    for (int i = 0; i < take; ++i) {
      left[i] = stereo[2 * i];
      right[i] = stereo[2 * i + 1];
    }
    e.sound->nb_samples += take;
    stereo += 2 * static_cast<size_t>(take);
    frames -= static_cast<size_t>(take);
    if (e.sound->nb_samples == e.audio->frame_size && !SendSound(e, error)) return false;
  }
  return true;
}

bool CloseVideoEncoder(VideoEncoder* e, std::string& error) {
  bool ok = e->headerWritten;
  if (ok && e->audio && e->sound->nb_samples > 0) ok = SendSound(*e, error);
  if (ok) ok = Send(*e, e->video, e->videoStream, nullptr, error);
  if (ok && e->audio) ok = Send(*e, e->audio, e->audioStream, nullptr, error);
  if (e->headerWritten) {
    const int trailer = av_write_trailer(e->format);
    if (trailer < 0 && ok) {
      error = AvError("cannot finish the video file", trailer);
      ok = false;
    }
  }
  FreeAll(e);
  return ok;
}
