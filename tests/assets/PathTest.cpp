// Keyframe paths: the ends of the table, the steps at key times and the truncation of time.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "assets/Path.h"

namespace {
const PathKey kKeys[3] = {{0, 0, 0, 0}, {1, 2, 10, 100}, {0, 0, 30, 200}};

float ZAt(float time, const PathKey* keys = kKeys, int count = 3) {
  float out[3] = {-99, -99, -99};
  EvalPath(keys, count, time, out);
  return out[2];
}

TEST(PathTest, OutsideTheTableTheEndKeysHoldUnchanged) {
  const PathKey late[2] = {{4, 5, 6, 50}, {7, 8, 9, 90}};
  float out[3];
  EvalPath(late, 2, 10, out);
  EXPECT_EQ(out[0], 4);
  EXPECT_EQ(out[1], 5);
  EXPECT_EQ(out[2], 6);
  EvalPath(late, 2, 5000, out);
  EXPECT_EQ(out[0], 7);
  EXPECT_EQ(out[2], 9);
  EvalPath(late, 1, 5000, out);  // one key always yields that key
  EXPECT_EQ(out[2], 6);
  EXPECT_EQ(ZAt(-1.5f), 0);  // truncates to -1: before the first key
}

TEST(PathTest, HalfwayIsTheMidpointAndKeysAreApproachedSlowly) {
  EXPECT_NEAR(ZAt(50), 5, 1e-3);
  EXPECT_NEAR(ZAt(150), 20, 1e-3);
  EXPECT_EQ(ZAt(0), 0);
  EXPECT_NEAR(ZAt(1), 10 * (1 - std::cos(0.01 * 3.14156535)) / 2, 1e-6);
  // At a key time and for the hundredth after it the segment ending there is still used...
  EXPECT_NEAR(ZAt(100), 10, 1e-3);
  EXPECT_LT(ZAt(100.9f), 10);
  EXPECT_NEAR(ZAt(100.9f), 10, 2e-3);
  // ...from the next hundredth on the next segment starts.
  EXPECT_GT(ZAt(101), 10);
  EXPECT_NEAR(ZAt(101), 10 + 20 * (1 - std::cos(0.01 * 3.14156535)) / 2, 1e-5);
}

TEST(PathTest, EaseUsesTheConstantJustBelowPi) {
  // At f = 0.5 the constant leaves e at 0.4999932 instead of 0.5.
  const PathKey a{0, 0, 0, 0}, b{0, 0, 1000, 1};
  float out[3];
  EXPECT_EQ(EaseKeys(out, a, b, 0.5f), out);
  EXPECT_NEAR(out[2], 1000 * (1 - std::cos(0.5 * 3.14156535)) / 2, 1e-3);
  EXPECT_LT(out[2], 499.995f);
}

TEST(PathTest, TimesBetweenMinusOneAndZeroMirrorTheFirstSegment) {
  const float z = ZAt(-0.5f);
  EXPECT_GT(z, 0);
  EXPECT_NEAR(z, ZAt(0.5f), 1e-6);
}

TEST(PathTest, UnknownModesAndUnusableInputLeaveOutAlone) {
  float out[3] = {7, 7, 7};
  EvalPathMode(kKeys, 3, 50, out, 2);
  EXPECT_EQ(out[2], 7);
  EvalPathMode(kKeys, 3, 50, out, 0);
  EXPECT_NEAR(out[2], 5, 1e-3);
  out[2] = 7;
  EvalPath(kKeys, 0, 50, out);
  EXPECT_EQ(out[2], 7);
  // NaN and times past the int range are answered by the end keys, not by undefined casts.
  EXPECT_EQ(ZAt(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(ZAt(1e20f), 30);
  EXPECT_EQ(ZAt(-1e20f), 0);
  const PathKey same[3] = {{0, 0, 1, 0}, {0, 0, 2, 100}, {0, 0, 3, 100}};
  EXPECT_TRUE(std::isfinite(ZAt(100, same, 3)));
}
}  // namespace
