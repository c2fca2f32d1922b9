// The generator's building blocks: the mesh checks must catch each kind of broken surface, and
// polygonising, decimating, welding and writing must keep a good surface good.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "tools/modelgen/Decimate.h"
#include "tools/modelgen/MeshCheck.h"
#include "tools/modelgen/ObjWriter.h"
#include "tools/modelgen/Sdf.h"
#include "tools/modelgen/SurfaceNets.h"

namespace {

// Unit octahedron, counter-clockwise seen from outside.
Mesh Octahedron() {
  Mesh mesh;
  mesh.positions = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  mesh.triangles = {{0, 2, 4}, {2, 1, 4}, {1, 3, 4}, {3, 0, 4}, {2, 0, 5}, {1, 2, 5}, {3, 1, 5}, {0, 3, 5}};
  mesh.triangleGroups.assign(mesh.triangles.size(), 0);
  return mesh;
}

Mesh Sphere(double radius, double cell) {
  return PolygoniseSurfaceNets([radius](Vec3 p) { return Length(p) - radius; }, {-3, -3, -3}, {3, 3, 3}, cell);
}

double MeanRadius(const Mesh& mesh) {
  double sum = 0;
  for (const Vec3& p : mesh.positions) sum += Length(p);
  return sum / static_cast<double>(mesh.positions.size());
}

TEST(MeshCheck, AcceptsAClosedOutwardSurfaceAndNamesEachDefect) {
  EXPECT_EQ(DescribeDefects(CheckMesh(Octahedron())), "");

  Mesh holed = Octahedron();
  holed.triangles.pop_back();
  holed.triangleGroups.pop_back();
  EXPECT_EQ(CheckMesh(holed).edgesNotPairedOnce, 3);

  Mesh oneFlipped = Octahedron();
  std::swap(oneFlipped.triangles[0][1], oneFlipped.triangles[0][2]);
  EXPECT_GT(CheckMesh(oneFlipped).edgesNotPairedOnce, 0);

  Mesh inside = Octahedron();
  for (Triangle& t : inside.triangles) std::swap(t[1], t[2]);
  const MeshReport inward = CheckMesh(inside);
  EXPECT_EQ(inward.edgesNotPairedOnce, 0);
  EXPECT_LT(inward.signedVolume, 0);
  EXPECT_NE(DescribeDefects(inward).find("inward"), std::string::npos);

  Mesh crushed = Octahedron();
  crushed.positions[4] = {0.5, 0.5, 0};  // onto the edge between vertices 0 and 2
  EXPECT_EQ(CheckMesh(crushed).degenerateTriangles, 1);
}

TEST(MeshCheck, FindsTwoSurfacesPinchedTogetherAtOneVertex) {
  Mesh pinched = Octahedron();
  const Mesh second = Octahedron();
  for (Vec3 p : second.positions) pinched.positions.push_back(p + Vec3{2, 0, 0});
  for (Triangle t : second.triangles) {
    for (int& index : t) index = index == 1 ? 0 : index + 6;  // its -x corner is our +x corner
    pinched.triangles.push_back(t);
    pinched.triangleGroups.push_back(0);
  }
  DropUnusedVertices(pinched);
  const MeshReport report = CheckMesh(pinched);
  EXPECT_EQ(report.edgesNotPairedOnce, 0);
  EXPECT_EQ(report.nonManifoldVertices, 1);
}

TEST(SurfaceNets, SphereComesOutClosedOutwardAndOnTheSurface) {
  const Mesh mesh = Sphere(2.0, 0.25);
  const MeshReport report = CheckMesh(mesh);
  EXPECT_EQ(DescribeDefects(report), "");
  EXPECT_NEAR(MeanRadius(mesh), 2.0, 0.05);
  EXPECT_NEAR(report.signedVolume, 4.0 / 3.0 * M_PI * 8.0, 0.05 * 33.5);
}

TEST(Decimate, ReachesTheBudgetAndKeepsTheSurfaceSoundAndInPlace) {
  Mesh mesh = Sphere(2.0, 0.2);
  ASSERT_GT(mesh.triangles.size(), 3000u);
  DecimateMesh(mesh, 600);
  const MeshReport report = CheckMesh(mesh);
  EXPECT_LE(report.triangles, 600);
  EXPECT_GE(report.triangles, 560);
  EXPECT_EQ(DescribeDefects(report), "");
  EXPECT_NEAR(MeanRadius(mesh), 2.0, 0.05);
  EXPECT_GT(report.minTriangleQuality, 0.1);
}

TEST(WeldVertices, MergesSeamCopiesAndDropsTrianglesThatCollapse) {
  Mesh mesh;
  mesh.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1e-9, 0}, {1, 1, 0}, {0, 1, 1e-9}, {0.5, 0, 0}};
  mesh.triangles = {{0, 1, 2}, {3, 4, 5}, {0, 6, 1}};
  mesh.triangleGroups = {0, 0, 0};
  WeldVertices(mesh, 1e-6);
  EXPECT_EQ(mesh.positions.size(), 5u);
  ASSERT_EQ(mesh.triangles.size(), 3u);  // nothing collapsed: vertex 6 is far from the rest
  EXPECT_EQ(mesh.triangles[1], (Triangle{1, 3, 2}));

  Mesh sliver;
  sliver.positions = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1e-9}};
  sliver.triangles = {{0, 1, 2}};
  sliver.triangleGroups = {0};
  WeldVertices(sliver, 1e-6);
  EXPECT_TRUE(sliver.triangles.empty());
}

TEST(ObjWriter, WritesOneBasedFacesUnderTheirGroupsAndNoNegativeZero) {
  Mesh mesh;
  mesh.positions = {{0, -1e-7, 1.5}, {2, 0, 0}, {0, 3, 0}};
  mesh.triangles = {{0, 1, 2}};
  mesh.triangleGroups = {1};
  mesh.groupNames = {"body", "fins"};
  EXPECT_EQ(FormatObj(mesh, "test"),
            "# test\n"
            "v 0.0000 0.0000 1.5000\n"
            "v 2.0000 0.0000 0.0000\n"
            "v 0.0000 3.0000 0.0000\n"
            "g fins\n"
            "f 1 2 3\n");
}

TEST(PlateDistance, IsNegativeInsideTheFinAndGrowsAwayFromIt) {
  Plate plate;
  plate.u = {1, 0, 0};
  plate.v = {0, 1, 0};
  plate.outline = {{-2, 0}, {2, 0}, {2, 4}, {-2, 4}};
  plate.rootThickness = 0.5;
  plate.tipThickness = 0.5;
  plate.span = 4;
  EXPECT_NEAR(PlateDistance({0, 2, 0}, plate), -0.5, 1e-9);
  EXPECT_NEAR(PlateDistance({0, 2, 1.5}, plate), 1.0, 1e-9);
  EXPECT_NEAR(PlateDistance({3.5, 2, 0}, plate), 1.5, 1e-9);
  EXPECT_GT(PlateDistance({0, 5, 0}, plate), 0.9);
}

}  // namespace
