// The show's picture in its window: the render size (chosen once at start-up by the renderer's
// identity), the centred 4:3 rectangle it is shown in, and the offscreen target drawn into
// whenever the two differ. A window whose drawable is exactly the render size is drawn into
// directly, as a plain 800 x 600 window always was.
#pragma once

// After the window's context is current: chooses the rule, prints it in one line on stderr and
// sets the render size for start-up.
void ChooseShownPictureSize(int drawableWidth, int drawableHeight);
// A new drawable size: the picture's rectangle follows at once; a render size that must change
// with it changes before the next frame.
void FollowDrawableSize(int drawableWidth, int drawableHeight);
// Around each frame: draw into the right framebuffer, then put the picture in its rectangle.
void BeginShownFrame();
void EndShownFrame();
// The director's live frame between the two; false, the frame unfinished, once the show is over.
bool DrawShownTimeline();
