// Dispatch to the capture forms; each form only chooses frames and writes its output.
#include "tools/capture/CaptureRun.h"

#include "platform/HeadlessGl.h"
#include "tools/capture/CaptureFrames.h"
#include "tools/capture/CaptureOutput.h"
#include "tools/capture/CaptureSequence.h"
#include "tools/capture/CaptureSound.h"
#include "tools/capture/ContactSheet.h"

int RunCapture(const CaptureOptions& options, std::string& error) {
  if (!PrepareOutputs(options, error)) return 1;
  if (options.form == CaptureForm::sound) return RunSoundCapture(options, error);
  const FrameLayout layout = LayoutFrame(options.width, options.height);
  std::string message;
  const GlFit fit = HeadlessGlFits(layout.pictureWidth, layout.pictureHeight, message);
  if (fit == GlFit::noContext) {
    error = message;
    return 1;
  }
  if (fit == GlFit::tooLarge) {  // a usage error, though only the renderer can tell
    error = "--size " + std::to_string(options.width) + "x" + std::to_string(options.height) +
            " is beyond this renderer's limit of " + message;
    return 2;
  }
  const bool sequence = options.form == CaptureForm::video || options.form == CaptureForm::pngSequence;
  if (sequence && options.jobs > 1) return RunSequenceCapture(options, layout, error);  // drawn by workers
  HeadlessGl gl;
  if (!CreateHeadlessGl(layout.pictureWidth, layout.pictureHeight, gl, error)) return 1;
  StartCaptureShow(layout);
  if (sequence) return RunSequenceCapture(options, layout, error);
  if (options.form == CaptureForm::contactSheet) return RunContactSheet(options, layout, error);
  return RunFramesCapture(options, layout, error);
}
