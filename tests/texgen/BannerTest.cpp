// The dialog banner compiled into the program: a bright title on a dark picture.
#include <gtest/gtest.h>

#include "shell/BannerImage.h"

TEST(Banner, HoldsABrightTitleAcrossItsMiddleOnADarkGround) {
  auto luminance = [](int x, int y) {
    const unsigned char* p = &kBannerRgb[(y * kBannerWidth + x) * 3];
    return (p[0] + p[1] + p[2]) / 3;
  };
  int bright = 0;
  for (int y = 50; y < 100; ++y) {
    for (int x = 0; x < kBannerWidth; ++x) bright += luminance(x, y) > 200;
  }
  EXPECT_GT(bright, 1500) << "chrome letters";
  long corners = 0;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) corners += luminance(x, y) + luminance(kBannerWidth - 1 - x, y);
  }
  EXPECT_LT(corners / 200, 60);
}
