// The render loop feeds the frame pipeline; its consumer is the video encoder or the PNG writer.
#include "tools/capture/CaptureSequence.h"

#include <cstdio>
#include <vector>

#include "director/Music.h"
#include "platform/VideoEncoder.h"
#include "tools/capture/CaptureOutput.h"
#include "tools/capture/CaptureProgress.h"
#include "tools/capture/FramePipeline.h"
#include "tools/capture/RenderWorkers.h"

namespace {

constexpr int kPipelineDepth = 4;  // frames in flight: enough to ride out one slow encode

// The music of the frames encoded so far, a frame's worth at a time.
struct VideoSink {
  const CaptureOptions& options;
  VideoEncoder* encoder = nullptr;
  std::vector<float> stereo;

  bool Consume(const PipelineFrame& frame, std::string& error) {
    if (!EncodeVideoFrame(*encoder, frame.rgb.data(), error)) return false;
    if (!options.sound) return true;
    const int64_t first = SequenceFrameSample(options, frame.index);
    const size_t count = static_cast<size_t>(SequenceFrameSample(options, frame.index + 1) - first);
    ReadMusicSamples(first, stereo.data(), count);
    return EncodeAudioSamples(*encoder, stereo.data(), count, error);
  }
};

VideoEncoder* OpenVideo(const CaptureOptions& o, const FrameLayout& layout, std::string& error) {
  VideoEncoderSettings settings;
  settings.path = o.outFile;
  settings.width = layout.width;
  settings.height = layout.height;
  settings.scale = o.scale;
  settings.smooth = o.smooth;
  settings.fps = o.fps;
  settings.crf = o.crf;
  settings.preset = o.preset;
  settings.sampleRate = o.sound ? kMusicSampleRate : 0;
  return OpenVideoEncoder(settings, error);
}

void PrintSummary(const CaptureOptions& o, const PipelineTimes& times, double seconds, bool interrupted) {
  const std::string& target = o.form == CaptureForm::video ? o.outFile : o.outDir;
  const double frames = static_cast<double>(times.frames);
  const double perFrame = frames > 0 ? 1000 / frames : 0;
  const std::string jobs = o.jobs > 1 ? " (waited for, " + std::to_string(o.jobs) + " render processes)" : "";
  std::fprintf(stderr,
               "vexilograph-capture: %s%s: %lld frames at %d fps (%.3f s of show from %.3f s) in %.1f s, "
               "%.1f frames/s; render %.1f ms/frame%s, %s %.1f ms/frame, %s\n",
               interrupted ? "interrupted, finished " : "wrote ", target.c_str(), static_cast<long long>(times.frames),
               o.fps, frames / o.fps, SequenceFrameMs(o, 0) / 1000.0, seconds, seconds > 0 ? frames / seconds : 0,
               times.produceSeconds * perFrame, jobs.c_str(), o.form == CaptureForm::video ? "encode" : "write",
               times.consumeSeconds * perFrame, o.pipelined ? "overlapped" : "in turn");
}

}  // namespace

int RunSequenceCapture(const CaptureOptions& o, const FrameLayout& layout, std::string& error) {
  // Before the file exists: from here on Ctrl-C leaves a finished file, never a headless one.
  CatchInterrupt();
  const bool video = o.form == CaptureForm::video;
  VideoSink sink{o, nullptr, {}};
  if (video) {
    sink.encoder = OpenVideo(o, layout, error);
    if (!sink.encoder) return 1;
    sink.stereo.resize(2 * static_cast<size_t>(kMusicSampleRate / o.fps + 2));
  }
  const int64_t total = SequenceFrameCount(o);
  const bool byWorkers = o.jobs > 1;
  RenderWorkers workers;
  if (byWorkers) {
    UseOfflineMusic();  // this process draws nothing, but lays the music under the frames
    StartMusic();
    if (!StartRenderWorkers(OwnExecutablePath(), RenderTaskFor(o, layout.Bytes()), total, layout.Bytes(), workers,
                            error)) {
      std::string ignored;
      if (video) CloseVideoEncoder(sink.encoder, ignored);
      return 1;
    }
  }
  CaptureProgress progress = StartProgress(total);
  std::string consumeError, produceError;
  const ProduceFrame produce = [&](PipelineFrame& frame) {
    if (frame.index == total || Interrupted()) return false;
    frame.ms = SequenceFrameMs(o, frame.index);
    if (byWorkers) return TakeRenderedFrame(workers, frame, produceError);
    return RenderCaptureFrame(frame.ms, o.fps, layout, frame.rgb);
  };
  const ConsumeFrame consume = [&](PipelineFrame& frame) {
    const bool done = video ? sink.Consume(frame, consumeError)
                            : WriteCapturePng(SequencePngPath(o.outDir, frame.index), layout, frame.rgb, consumeError);
    ShowProgress(progress, frame.index + 1);
    return done;
  };
  PipelineTimes times;
  bool ok = RunFramePipeline(kPipelineDepth, layout.Bytes(), o.pipelined, produce, consume, times);
  if (!ok) error = consumeError;
  if (byWorkers) {
    std::string workersError;
    const bool workersOk = FinishRenderWorkers(workers, times.frames != total, workersError);
    if (ok && !Interrupted() && (!produceError.empty() || !workersOk)) {
      ok = false;
      error = produceError.empty() ? workersError : produceError;
    }
  }
  std::string closeError;
  if (video && !CloseVideoEncoder(sink.encoder, closeError) && ok) {
    ok = false;
    error = closeError;
  }
  const double seconds = EndProgress(progress);
  if (!ok) return 1;
  PrintSummary(o, times, seconds, Interrupted());
  return Interrupted() ? 130 : 0;
}
