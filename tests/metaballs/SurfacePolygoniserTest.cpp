// The fill and the per-frame extraction: single cells, the walk, the seed search, agreement with
// a whole-lattice scan, closure, the buffer guard and a frame of the show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "MeshChecks.h"
#include "director/DemoRandom.h"
#include "director/DemoState.h"
#include "metaballs/MarchingCubesTables.h"
#include "metaballs/SurfacePolygoniser.h"

namespace {
constexpr FieldExtent kExtent = {200, 200, 200};
constexpr float kInside = 0.01f;    // above the threshold
constexpr float kOutside = 0.001f;  // below it

class Polygoniser : public ::testing::Test {
 protected:
  // A private field over `balls` and a private buffer of `capacity` vertices.
  void Make(int ballCount, int capacity = kSurfaceVertexCapacity) {
    field = std::make_unique<MetaballField>(ballCount, kBallRadius, kCellsPerAxis, kExtent, balls);
    vertices = std::make_unique<GridPoint[]>(static_cast<size_t>(capacity) + 1);
    vertices[capacity] = kSentinel;
    polygoniser = std::make_unique<SurfacePolygoniser>(kExtent, *field, vertices.get(), capacity);
    polygoniser->Clear();
  }
  void Plant(GridPoint p, float value) {
    field->valueCache[CellSlot(p, field->halfExtent, field->cellSize, field->cellsPerAxis)] = value;
  }
  // Plants the cell's eight corners: those in `belowMask` outside the blob, the rest inside.
  void PlantCell(GridPoint origin, int belowMask) {
    for (int corner = 0; corner < 8; ++corner) {
      const int8_t* step = kCubeCornerSteps[corner];
      Plant({origin.x + 5 * step[0], origin.y + 5 * step[1], origin.z + 5 * step[2]},
            (belowMask >> corner) & 1 ? kOutside : kInside);
    }
  }
  int VisitedCount() const {
    return static_cast<int>(std::count(polygoniser->visited, polygoniser->visited + kLatticeCellCount, 1));
  }
  std::vector<Triangle> Triangles() const { return SortedTriangles(vertices.get(), polygoniser->vertexCount); }

  static constexpr GridPoint kSentinel = {12345, 12345, 12345};
  GridPoint balls[kBallCount] = {};
  std::unique_ptr<MetaballField> field;
  std::unique_ptr<GridPoint[]> vertices;
  std::unique_ptr<SurfacePolygoniser> polygoniser;
};

TEST_F(Polygoniser, WhollyInsideOrOutsideCellsEmitNothingAndEndTheWalk) {
  Make(1);
  for (int mask : {0, 255}) {
    polygoniser->Clear();
    PlantCell({0, 0, 0}, mask);
    polygoniser->Fill({0, 0, 0});
    EXPECT_EQ(polygoniser->vertexCount, 0) << "index " << mask;
    EXPECT_EQ(VisitedCount(), 1) << "index " << mask;
    EXPECT_EQ(polygoniser->cellsClassified, 1) << "index " << mask;
  }
}

TEST_F(Polygoniser, IndexOneEmitsEdgePoints3Then8Then0) {
  Make(0);  // unplanted points read 0, outside the blob
  PlantCell({0, 0, 0}, 1);
  polygoniser->Fill({0, 0, 0});
  ASSERT_GE(polygoniser->vertexCount, 3);
  // Crossings sit 2.26 units from the outside corner 0 = (0, 5, 0), toward corners 3, 4 and 1.
  EXPECT_EQ(vertices[0], (GridPoint{0, 5, -2}));  // edge 3, from corner 3 (0, 5, −5)
  EXPECT_EQ(vertices[1], (GridPoint{0, 2, 0}));   // edge 8, toward corner 4 (0, 0, 0)
  EXPECT_EQ(vertices[2], (GridPoint{2, 5, 0}));   // edge 0, toward corner 1 (5, 5, 0)
  EXPECT_EQ(polygoniser->vertexCount % 3, 0);
}

TEST_F(Polygoniser, VisitedOrOutsideCellsAreLeftAlone) {
  balls[0] = {0, 0, 0};
  Make(1);
  polygoniser->visited[CellSlot({3, 0, 0}, polygoniser->halfExtent, polygoniser->cellSize, 40)] = 1;
  polygoniser->Fill({3, 0, 0});
  for (GridPoint outside : {GridPoint{100, 0, 0}, GridPoint{-105, 0, 0}, GridPoint{0, 100, 0}, GridPoint{0, 0, -101}})
    polygoniser->Fill(outside);
  EXPECT_EQ(polygoniser->vertexCount, 0);
  EXPECT_EQ(polygoniser->cellsClassified, 0);
  EXPECT_EQ(VisitedCount(), 1);
  EXPECT_TRUE(std::all_of(field->valueCache, field->valueCache + kLatticeCellCount, [](float v) { return v == 0; }));
}

TEST_F(Polygoniser, OneBallMatchesTheWholeLatticeScanAndIsClosed) {
  balls[0] = {7, -12, 3};
  Make(1);
  polygoniser->ExtractSurface();
  const int followed = polygoniser->vertexCount;
  const int classified = polygoniser->cellsClassified;
  const std::vector<Triangle> fromFill = Triangles();
  EXPECT_EQ(UnbalancedEdges(vertices.get(), followed), 0);

  polygoniser->ScanWholeLattice({7 + 13, -12, 3});
  EXPECT_EQ(polygoniser->cellsClassified, kLatticeCellCount);
  EXPECT_GT(followed, 300);
  EXPECT_EQ(fromFill, Triangles());
  EXPECT_LT(classified, kLatticeCellCount / 20);
}

// Cells reach past the extent only on its +x, +y and −z faces (their origins stay inside), so
// those are the faces where a blob that runs off the extent is closed by the −1 outside.
TEST_F(Polygoniser, SurfaceClosesAgainstTheExtentBoundary) {
  balls[0] = {0, 92, 0};  // the blob runs past y = 100
  Make(1);
  polygoniser->ExtractSurface();
  ASSERT_GT(polygoniser->vertexCount, 0);
  EXPECT_EQ(UnbalancedEdges(vertices.get(), polygoniser->vertexCount), 0);
  int onBoundary = 0;
  for (int i = 0; i < polygoniser->vertexCount; ++i) {
    EXPECT_LT(vertices[i].y, 100);
    onBoundary += vertices[i].y >= 95;
  }
  EXPECT_GT(onBoundary, 0);
}

TEST_F(Polygoniser, SeedBeyondTheExtentIsSkippedWithoutTouchingTheGrids) {
  balls[0] = {95, 0, 0};  // its seed cell starts at x = 108
  Make(1);
  polygoniser->ExtractSurface();
  EXPECT_EQ(polygoniser->vertexCount, 0);
  EXPECT_EQ(VisitedCount(), 0);
}

TEST_F(Polygoniser, MergedBlobsAreFilledOnceFromTheFirstBall) {
  // The second seed search meets cells of the first ball's fill and adds no triangles of its own.
  balls[0] = {0, 0, 0};
  balls[1] = {10, 5, 0};
  Make(2);
  polygoniser->ExtractSurface();
  const std::vector<Triangle> fromFill = Triangles();
  EXPECT_EQ(UnbalancedEdges(vertices.get(), polygoniser->vertexCount), 0);
  polygoniser->ScanWholeLattice({13, 0, 0});
  EXPECT_EQ(fromFill, Triangles());
}

TEST_F(Polygoniser, SeedSearchWalksInFromAFarBall) {
  // A seed inside a blob that another ball inflated walks toward −x until it leaves it.
  balls[0] = {0, 0, 0};
  balls[1] = {4, 0, 0};
  Make(2);
  polygoniser->ExtractSurface();
  EXPECT_GT(polygoniser->vertexCount, 0);
  EXPECT_EQ(UnbalancedEdges(vertices.get(), polygoniser->vertexCount), 0);
}

TEST_F(Polygoniser, FullBufferTakesNoFurtherTriangles) {
  balls[0] = {0, 0, 0};
  Make(1, 10);
  polygoniser->ExtractSurface();
  EXPECT_EQ(polygoniser->vertexCount, 9);
  EXPECT_EQ(vertices[10], kSentinel);
}

TEST(ShowSurface, FrameAt170IsAFewThousandTrianglesInsideTheExtent) {
  ResetDemoRandom();
  for (int i = 0; i < 6 * kRandomPointCount; ++i) DemoRandom();
  InitBallPhases();
  UpdateBallPositions(170);
  ExtractSurface();
  const int count = surfacePolygoniser.vertexCount;
  EXPECT_EQ(count % 3, 0);
  EXPECT_GT(count, 10000);
  EXPECT_LT(count, 40000);
  for (int i = 0; i < count; ++i) {
    const GridPoint& v = surfaceVertices[i];
    ASSERT_TRUE(std::abs(v.x) <= 100 && std::abs(v.y) <= 100 && std::abs(v.z) <= 100) << "vertex " << i;
  }
  EXPECT_LT(surfacePolygoniser.cellsClassified, kLatticeCellCount / 5);
  RecordProperty("vertices", count);
  RecordProperty("cells", surfacePolygoniser.cellsClassified);
}
}  // namespace
