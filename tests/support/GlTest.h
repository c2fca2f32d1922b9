// A GoogleTest fixture with an 800 x 600 offscreen GL context, made once per test suite.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/HeadlessGl.h"

class GlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

  // The current frame as RGB, top row first.
  static std::vector<uint8_t> ReadFrame();
  // One pixel of the current frame, (x, y) with y downwards from the top.
  static void PixelAt(int x, int y, uint8_t rgb[3]);

  static HeadlessGl gl;
};
