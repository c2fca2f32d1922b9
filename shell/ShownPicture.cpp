#include "shell/ShownPicture.h"

#include <cstdio>

#include "director/Startup.h"
#include "director/Timeline.h"
#include "platform/Gl.h"
#include "render/PictureTarget.h"
#include "render/RenderSizeRule.h"
#include "render/SceneView.h"

namespace {

struct ShownPicture {
  RenderSizeRule rule = RenderSizeRule::showSize;
  int maxTextureSize = 0;
  int drawableWidth = 800;
  int drawableHeight = 600;
  PictureRect shown;
  RenderSize wanted;  // the render size the rectangle asks for; applied before the next frame
  PictureTarget target;
  bool targetMissing = false;  // no framebuffer objects: frames go straight to the window
};
ShownPicture picture;

// The extensions the picture target may use. Under the browser's GL layer these are ES 3's own
// framebuffer objects, used beneath the layer (it keeps no framebuffer state); the layer leaves
// them out of the extensions the show reads, so the glow keeps its plain passes there.
const char* PictureTargetExtensions() {
#ifdef VEX_GL_LAYER
  return "GL_ARB_framebuffer_object";
#else
  return reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
#endif
}

bool DrawsThroughTarget() {
  return !picture.targetMissing &&
         (picture.drawableWidth != renderSize.width || picture.drawableHeight != renderSize.height);
}

}  // namespace

void ChooseShownPictureSize(int drawableWidth, int drawableHeight) {
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  picture.rule = ChooseRenderSizeRule(renderer);
  glGetIntegerv(GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB, &picture.maxTextureSize);
  char line[256];
  DescribeRenderSizeRule(picture.rule, renderer, line, sizeof line);
  std::fprintf(stderr, "%s\n", line);
  FollowDrawableSize(drawableWidth, drawableHeight);
  SetRenderSize(picture.wanted.width, picture.wanted.height);
  SetSceneView(renderSize.width, renderSize.height);
}

void FollowDrawableSize(int drawableWidth, int drawableHeight) {
  picture.drawableWidth = drawableWidth;
  picture.drawableHeight = drawableHeight;
  picture.shown = FitPicture(drawableWidth, drawableHeight);
  picture.wanted = RenderSizeFor(picture.rule, picture.shown, picture.maxTextureSize);
}

void BeginShownFrame() {
  if (picture.wanted.width != renderSize.width || picture.wanted.height != renderSize.height) {
    ChangeRenderSize(picture.wanted.width, picture.wanted.height);
    SetSceneView(renderSize.width, renderSize.height);
  }
  if (!DrawsThroughTarget()) return;
  if (picture.target.width != renderSize.width || picture.target.height != renderSize.height) {
    picture.targetMissing =
        !SizePictureTarget(picture.target, renderSize.width, renderSize.height, PictureTargetExtensions());
    if (picture.targetMissing) return;
  }
  DrawIntoPictureTarget(picture.target);
}

void EndShownFrame() {
  if (DrawsThroughTarget()) ShowPictureTarget(picture.target, picture.shown);
}

bool DrawShownTimeline() {
  BeginShownFrame();
  if (!DrawTimeline()) return false;
  EndShownFrame();
  return true;
}
