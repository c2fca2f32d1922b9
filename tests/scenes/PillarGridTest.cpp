// The square grid's walk: its order is the drawing order, which decides the pixels where the
// wide edges of neighbouring pillars overlap.
#include <gtest/gtest.h>

#include "scenes/PillarGrid.h"

TEST(PillarGrid, SquareGridWalksJInsideIAtTheSpacing) {
  PillarPlace places[9];
  const auto height = [](int i, int j) { return static_cast<float>(10 * i + j); };
  ASSERT_EQ(SquareGridPlaces(-1, 1, 2.5f, height, places), 9);
  EXPECT_EQ(places[0].x, -2.5f);
  EXPECT_EQ(places[0].z, -2.5f);
  EXPECT_EQ(places[1].x, -2.5f);
  EXPECT_EQ(places[1].z, 0);
  EXPECT_EQ(places[1].halfHeight, -10);
  EXPECT_EQ(places[5].x, 0);
  EXPECT_EQ(places[5].z, 2.5f);
  EXPECT_EQ(places[8].halfHeight, 11);
}
