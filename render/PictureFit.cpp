#include "render/PictureFit.h"

PictureRect FitPicture(int drawableWidth, int drawableHeight) {
  if (drawableWidth <= 0 || drawableHeight <= 0) return {0, 0, 0, 0};
  PictureRect fit;
  // Whole pixels: rounding to the nearer width or height keeps the bars within a pixel of equal.
  if (static_cast<long long>(drawableWidth) * 3 >= static_cast<long long>(drawableHeight) * 4) {
    fit.height = drawableHeight;
    fit.width = static_cast<int>((static_cast<long long>(drawableHeight) * 8 + 3) / 6);
  } else {
    fit.width = drawableWidth;
    fit.height = static_cast<int>((static_cast<long long>(drawableWidth) * 6 + 4) / 8);
  }
  fit.x = (drawableWidth - fit.width) / 2;
  fit.y = (drawableHeight - fit.height) / 2;
  return fit;
}
