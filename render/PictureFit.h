// Where the show's 4:3 picture goes on a screen, window or video frame of any shape: the largest
// centred rectangle of whole 4 x 3 pixel units, with black bars beside it (wide screens) or above
// and below it (tall windows).
#pragma once

struct PictureRect {
  int x = 0;  // from the drawable's left edge, in its pixels
  int y = 0;  // from its bottom edge, as GL counts rows
  int width = 800;
  int height = 600;
};

// Zero sizes give an empty rectangle; 800 x 600 gives the whole drawable.
PictureRect FitPicture(int drawableWidth, int drawableHeight);
