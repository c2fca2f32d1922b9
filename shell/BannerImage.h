// The settings dialog's banner picture: 500 x 177, 24-bit RGB, top row first. Made at build time
// by tools/banner and compiled into the program.
#pragma once

constexpr int kBannerWidth = 500;
constexpr int kBannerHeight = 177;
extern const unsigned char kBannerRgb[kBannerWidth * kBannerHeight * 3];
