// Field values, the per-cell cache, crossing points, the start-up phases and the ball motion.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "director/DemoRandom.h"
#include "director/DemoState.h"
#include "metaballs/MetaballField.h"

namespace {
constexpr FieldExtent kExtent = {200, 200, 200};

int32_t SlotOf(const MetaballField& field, GridPoint p) {
  return CellSlot(p, field.halfExtent, field.cellSize, field.cellsPerAxis);
}

bool CacheIsEmpty(const MetaballField& field) {
  return std::all_of(field.valueCache, field.valueCache + kLatticeCellCount, [](float v) { return v == 0; });
}

TEST(MetaballField, DerivesLatticeAndThresholdFromConstruction) {
  GridPoint balls[1] = {};
  MetaballField field(1, kBallRadius, kCellsPerAxis, kExtent, balls);
  EXPECT_EQ(field.cellSize, (GridPoint{5, 5, 5}));
  EXPECT_EQ(field.halfExtent, (GridPoint{100, 100, 100}));
  EXPECT_FLOAT_EQ(field.threshold, 1.0f / 197);
  EXPECT_TRUE(CacheIsEmpty(field));
}

TEST(MetaballField, OutsideTheHalfOpenExtentIsMinusOneAndNotCached) {
  GridPoint balls[2] = {{3, -4, 7}, {-20, 10, 0}};
  MetaballField field(2, kBallRadius, kCellsPerAxis, kExtent, balls);
  for (GridPoint outside : {GridPoint{100, 0, 0}, GridPoint{-101, 0, 0}, GridPoint{0, 100, 0},
                            GridPoint{0, -101, 0}, GridPoint{0, 0, 100}, GridPoint{0, 0, -101}}) {
    EXPECT_EQ(field.Value(outside), -1.0f);
    EXPECT_TRUE(field.IsBelowThreshold(outside));
  }
  EXPECT_TRUE(CacheIsEmpty(field));

  // The last point inside on each side is summed and cached in its cell.
  const float inside = field.Value({99, 0, 0});
  const float expected = 1.0f / (96 * 96 + 4 * 4 + 7 * 7 + 1) + 1.0f / (119 * 119 + 10 * 10 + 1);
  EXPECT_FLOAT_EQ(inside, expected);
  EXPECT_EQ(field.valueCache[SlotOf(field, {99, 0, 0})], inside);
  EXPECT_GT(field.Value({-100, -100, -100}), 0);
}

TEST(MetaballField, EachBallContributesOneOverSquaredDistancePlusOne) {
  GridPoint balls[2] = {{7, -3, 12}, {7, -3, 22}};
  MetaballField field(2, kBallRadius, kCellsPerAxis, kExtent, balls);
  EXPECT_FLOAT_EQ(field.Value({7, -3, 12}), 1.0f + 1.0f / 101);
}

TEST(MetaballField, OnePointPerCellServesTheWholeCellUntilCleared) {
  GridPoint balls[1] = {{0, 0, 0}};
  MetaballField field(1, kBallRadius, kCellsPerAxis, kExtent, balls);
  const float first = field.Value({0, 0, 0});
  EXPECT_EQ(first, 1.0f);
  EXPECT_EQ(field.Value({4, 4, 4}), first);  // same cell, although the true value is 1/49
  EXPECT_NE(field.Value({5, 0, 0}), first);  // next cell

  field.ClearCache();
  EXPECT_TRUE(CacheIsEmpty(field));
  EXPECT_FLOAT_EQ(field.Value({4, 4, 4}), 1.0f / 49);
}

TEST(MetaballField, SingleBallSurfaceLiesBetween13And15Units) {
  GridPoint balls[1] = {{0, 0, 0}};
  MetaballField field(1, kBallRadius, kCellsPerAxis, kExtent, balls);
  EXPECT_FLOAT_EQ(field.Value({13, 0, 0}), 1.0f / 170);
  EXPECT_FALSE(field.IsBelowThreshold({13, 0, 0}));
  EXPECT_FLOAT_EQ(field.Value({15, 0, 0}), 1.0f / 226);
  EXPECT_TRUE(field.IsBelowThreshold({15, 0, 0}));
}

TEST(MetaballField, CrossingPointTruncatesTowardZeroInEitherDirection) {
  GridPoint balls[1] = {};
  MetaballField field(1, kBallRadius, kCellsPerAxis, kExtent, balls);
  // Planted cache values stand for any field with these values at the two ends.
  field.valueCache[SlotOf(field, {0, 0, 0})] = 0.01f;
  field.valueCache[SlotOf(field, {5, 0, 0})] = 0.004f;
  field.valueCache[SlotOf(field, {-5, 0, 0})] = 0.004f;
  EXPECT_EQ(field.CrossingPoint({0, 0, 0}, {5, 0, 0}), (GridPoint{4, 0, 0}));   // 4.103...
  EXPECT_EQ(field.CrossingPoint({0, 0, 0}, {-5, 0, 0}), (GridPoint{-4, 0, 0}));  // −4.103..., not −5
  // Neighbouring cells walk a shared edge in opposite directions and must meet at one point.
  EXPECT_EQ(field.CrossingPoint({5, 0, 0}, {0, 0, 0}), (GridPoint{4, 0, 0}));
  EXPECT_EQ(field.CrossingPoint({-5, 0, 0}, {0, 0, 0}), (GridPoint{-4, 0, 0}));
}

TEST(MetaballField, CrossingPointAgainstTheExtentBoundary) {
  GridPoint balls[1] = {{95, 0, 0}};
  MetaballField field(1, kBallRadius, kCellsPerAxis, kExtent, balls);
  // Beyond the extent the field reads −1, so the surface closes just inside the boundary.
  const GridPoint crossing = field.CrossingPoint({95, 0, 0}, {100, 0, 0});
  EXPECT_GE(crossing.x, 95);
  EXPECT_LT(crossing.x, 100);
}

class BallMotion : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDemoRandom();
    for (int i = 0; i < 6 * kRandomPointCount; ++i) DemoRandom();
    for (GridPoint& ball : BallPositions) ball = {9, 9, 9};
    InitBallPhases();
  }
};

TEST_F(BallMotion, PhasesFollowTheStartUpDraws) {
  const GridPoint expected[kBallCount] = {{-2, -1, 2},  {-2, -1, 2},  {-2, -1, 1},  {-2, -2, 0},
                                          {-3, -1, -1}, {-3, -1, -1}, {-2, -1, 1},  {-2, -2, 0},
                                          {-2, -2, -1}, {-2, -2, -1}, {-2, -2, 2},  {-2, -2, -3}};
  for (int i = 0; i < kBallCount; ++i) {
    EXPECT_EQ(BallPhases[i], expected[i]) << "ball " << i;
    EXPECT_EQ(BallPositions[i], (GridPoint{0, 0, 0})) << "ball " << i;
  }
}

TEST_F(BallMotion, BallZeroAtTimeZero) {
  UpdateBallPositions(0);
  EXPECT_EQ(BallPositions[0], (GridPoint{-54, 21, -20}));
}

TEST_F(BallMotion, BallsStayWellInsideTheExtentAndRepeatForATime) {
  for (float t = 160; t < 190; t += 0.37f) {
    UpdateBallPositions(t);
    GridPoint first[kBallCount];
    std::copy(BallPositions, BallPositions + kBallCount, first);
    for (const GridPoint& ball : BallPositions) {
      EXPECT_LE(std::abs(ball.x), 60);
      EXPECT_LE(std::abs(ball.y), 40);
      EXPECT_LE(std::abs(ball.z), 50);
    }
    UpdateBallPositions(t);
    EXPECT_TRUE(std::equal(first, first + kBallCount, BallPositions)) << "t " << t;
  }
}
}  // namespace
