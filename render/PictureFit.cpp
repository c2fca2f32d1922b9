#include "render/PictureFit.h"

#include <algorithm>

PictureRect FitPicture(int drawableWidth, int drawableHeight) {
  if (drawableWidth <= 0 || drawableHeight <= 0) return {0, 0, 0, 0};
  // A whole multiple of 4 x 3 pixels, so the scenes' projection stays exactly 4:3.
  const int units = std::min(drawableWidth / 4, drawableHeight / 3);
  PictureRect fit;
  fit.width = 4 * units;
  fit.height = 3 * units;
  fit.x = (drawableWidth - fit.width) / 2;
  fit.y = (drawableHeight - fit.height) / 2;
  return fit;
}
