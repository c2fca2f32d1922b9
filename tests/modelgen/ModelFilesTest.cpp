// The generated models as the show loads them: sizes the scenes rely on, closed consistently
// wound surfaces, usable normals, and byte-identical output from every generator run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "assets/Model.h"

namespace {

struct Vec {
  double x, y, z;
};
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Length(Vec a) { return std::sqrt(Dot(a, a)); }

// What the scenes assume of each file (extents in file units, 15% tolerance).
struct Expected {
  const char* stem;
  uint32_t minTriangles, maxTriangles;
  Vec low, high;  // expected bounding box; an axis with low == high is not constrained
  double radius;  // round shapes instead: largest distance from the origin
  double minOutward;  // least mean cosine between a vertex normal and the way out from the centre
};
void PrintTo(const Expected& expected, std::ostream* out) { *out << expected.stem; }

const Expected kExpected[] = {
    {"dolphin", 3000, 8000, {-50, -12, -22}, {50, 18, 22}, 0, 0.2},
    {"gubbe2", 3000, 10000, {0, 0, -30}, {0, 0, 30}, 0, 0.2},
    {"deformed", 5000, 15000, {0, 0, 0}, {0, 0, 0}, 4.5, 0.8},
    {"deformed2", 2000, 15000, {0, 0, 0}, {0, 0, 0}, 3.5, 0.15},  // a torus: the hole faces inward
    {"spikeball", 2000, 8000, {0, 0, 0}, {0, 0, 0}, 6.5, 0.3},    // spike flanks face sideways
};

Vec Position(const Model& model, int32_t index) {
  const float* p = model.vertices[index];
  return {p[0], p[1], p[2]};
}
Vec NormalAt(const Model& model, int32_t index) {
  const float* n = model.normals[index];
  return {n[0], n[1], n[2]};
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A model freed when the test ends, so the sanitizer run sees no leaks.
struct OwnedModel {
  Model model{};
  ~OwnedModel() { FreeModel(model); }
};

class ModelFile : public ::testing::TestWithParam<Expected> {
 protected:
  void SetUp() override {
    const std::string path = std::string("data/3d/") + GetParam().stem + ".obj";
    ASSERT_EQ(LoadModel(model, path.c_str()), 1) << path;
    ASSERT_GT(model.numTriangles, 0u);
  }
  void TearDown() override { FreeModel(model); }
  Model model{};
};

TEST_P(ModelFile, HasTriangleCountAndExtentTheScenesAssume) {
  const Expected& expected = GetParam();
  EXPECT_GE(model.numTriangles, expected.minTriangles);
  EXPECT_LE(model.numTriangles, expected.maxTriangles);

  Vec low = Position(model, 1), high = low;
  double radius = 0;
  for (uint32_t v = 1; v <= model.numVertices; ++v) {
    const Vec p = Position(model, static_cast<int32_t>(v));
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    radius = std::max(radius, Length(p));
  }
  if (expected.radius > 0) {
    EXPECT_NEAR(radius, expected.radius, 0.15 * expected.radius);
    const double tolerance = 0.15 * expected.radius;
    EXPECT_NEAR(low.x + high.x, 0, tolerance) << "not centred on x";
    EXPECT_NEAR(low.y + high.y, 0, tolerance) << "not centred on y";
    EXPECT_NEAR(low.z + high.z, 0, tolerance) << "not centred on z";
    return;
  }
  const double sizes[3] = {expected.high.x - expected.low.x, expected.high.y - expected.low.y,
                           expected.high.z - expected.low.z};
  const double lows[3] = {low.x, low.y, low.z}, highs[3] = {high.x, high.y, high.z};
  const double wantLows[3] = {expected.low.x, expected.low.y, expected.low.z};
  const double wantHighs[3] = {expected.high.x, expected.high.y, expected.high.z};
  for (int axis = 0; axis < 3; ++axis) {
    if (sizes[axis] == 0) {
      EXPECT_NEAR(lows[axis] + highs[axis], 0, 0.15 * (highs[axis] - lows[axis])) << "not centred on " << axis;
      continue;
    }
    EXPECT_NEAR(highs[axis] - lows[axis], sizes[axis], 0.15 * sizes[axis]) << "extent on axis " << axis;
    EXPECT_NEAR(lows[axis], wantLows[axis], 0.15 * sizes[axis]) << "low end on axis " << axis;
    EXPECT_NEAR(highs[axis], wantHighs[axis], 0.15 * sizes[axis]) << "high end on axis " << axis;
  }
}

// Every edge of a closed, consistently wound surface is walked once in each direction.
TEST_P(ModelFile, IsClosedConsistentlyWoundManifoldWithoutDegenerateTriangles) {
  std::map<std::pair<int32_t, int32_t>, int> directed;
  std::vector<int> used(model.numVertices + 1, 0);
  int degenerate = 0;
  for (uint32_t i = 0; i < model.numTriangles; ++i) {
    const int32_t* t = model.triangles[i].vertexIndices;
    for (int c = 0; c < 3; ++c) {
      ASSERT_GE(t[c], 1);
      ASSERT_LE(t[c], static_cast<int32_t>(model.numVertices));
      ++directed[{t[c], t[(c + 1) % 3]}];
      used[t[c]] = 1;
    }
    const Vec p0 = Position(model, t[0]);
    if (Length(Cross(Position(model, t[1]) - p0, Position(model, t[2]) - p0)) < 1e-8) ++degenerate;
  }
  int unpaired = 0;
  for (const auto& [edge, count] : directed) {
    const auto opposite = directed.find({edge.second, edge.first});
    if (count != 1 || opposite == directed.end() || opposite->second != 1) ++unpaired;
  }
  EXPECT_EQ(unpaired, 0) << "edges not shared by exactly two triangles of opposite winding";
  EXPECT_EQ(degenerate, 0) << "zero-area triangles";
  EXPECT_EQ(std::count(used.begin() + 1, used.end(), 0), 0) << "vertices no triangle uses";
}

// Sphere mapping reads the loader's normals: they must be unit length and face outward.
TEST_P(ModelFile, LoaderNormalsAreUnitAndPointOutward) {
  Vec centre{0, 0, 0};
  for (uint32_t v = 1; v <= model.numVertices; ++v) {
    const Vec p = Position(model, static_cast<int32_t>(v));
    centre = {centre.x + p.x, centre.y + p.y, centre.z + p.z};
  }
  const double inverse = 1.0 / model.numVertices;
  centre = {centre.x * inverse, centre.y * inverse, centre.z * inverse};

  double outward = 0;
  int facingOut = 0;
  for (uint32_t v = 1; v <= model.numVertices; ++v) {
    const Vec n = NormalAt(model, static_cast<int32_t>(v));
    ASSERT_NEAR(Length(n), 1.0, 1e-3) << "vertex " << v;
    const Vec away = Position(model, static_cast<int32_t>(v)) - centre;
    outward += Dot(n, away) / std::max(Length(away), 1e-9);
    facingOut += Dot(n, away) > 0;
  }
  EXPECT_GT(outward / model.numVertices, GetParam().minOutward);
  EXPECT_GT(facingOut, static_cast<int>(0.6 * model.numVertices));
}

INSTANTIATE_TEST_SUITE_P(GeneratedModels, ModelFile, ::testing::ValuesIn(kExpected),
                         [](const auto& info) { return std::string(info.param.stem); });

TEST(DolphinModel, SeparatesBodyAndFinsIntoGroups) {
  OwnedModel owned;
  Model& model = owned.model;
  ASSERT_EQ(LoadModel(model, "data/3d/dolphin.obj"), 1);
  std::map<std::string, uint32_t> groups;
  for (const ModelGroup* g = model.groups; g; g = g->next) groups[g->name] = g->numTriangles;
  EXPECT_GT(groups["body"], groups["fins"]);
  EXPECT_GT(groups["fins"], 300u);
  EXPECT_EQ(groups["body"] + groups["fins"], model.numTriangles);
}

// The head is the thick, blunt end toward -x; the flukes are the wide end toward +x; the
// dorsal fin (highest point) rises from the back, not the belly.
TEST(DolphinModel, FacesMinusXWithFinOnTopAndFlukesSpreadSideways) {
  OwnedModel owned;
  Model& model = owned.model;
  ASSERT_EQ(LoadModel(model, "data/3d/dolphin.obj"), 1);
  double topX = 0, topY = -1e9, widestX = 0, widestZ = 0, lowestY = 1e9;
  for (uint32_t v = 1; v <= model.numVertices; ++v) {
    const Vec p = Position(model, static_cast<int32_t>(v));
    if (p.y > topY) topY = p.y, topX = p.x;
    if (std::fabs(p.z) > widestZ) widestZ = std::fabs(p.z), widestX = p.x;
    lowestY = std::min(lowestY, p.y);
  }
  EXPECT_GT(topY, -lowestY) << "the fin should reach higher than the belly reaches down";
  EXPECT_NEAR(topX, 0, 20) << "dorsal fin near mid-body";
  EXPECT_GT(widestX, 35) << "widest span should be the flukes at the tail (+x)";
}

// Upright on z, the nose (front-most point of the head) toward -y, and at waist height a gap
// between each arm and the body; nothing further than 50 units from the vertical axis.
TEST(FigureModel, StandsOnZFacesMinusYWithArmsAwayFromTheBody) {
  OwnedModel owned;
  Model& model = owned.model;
  ASSERT_EQ(LoadModel(model, "data/3d/gubbe2.obj"), 1);
  Vec nose{0, 1e9, 0};
  std::vector<double> waistSlice;
  double farthest = 0;
  for (uint32_t v = 1; v <= model.numVertices; ++v) {
    const Vec p = Position(model, static_cast<int32_t>(v));
    farthest = std::max(farthest, std::hypot(p.x, p.y));
    if (p.z > 18 && p.y < nose.y) nose = p;
    if (std::fabs(p.z - 5) < 1) waistSlice.push_back(std::fabs(p.x));
  }
  EXPECT_LE(farthest, 50);
  EXPECT_NEAR(nose.x, 0, 1.5);
  EXPECT_LT(nose.y, -3);
  std::sort(waistSlice.begin(), waistSlice.end());
  double widestGap = 0;
  for (size_t i = 1; i < waistSlice.size(); ++i)
    if (waistSlice[i - 1] > 3) widestGap = std::max(widestGap, waistSlice[i] - waistSlice[i - 1]);
  EXPECT_GT(widestGap, 1.5) << "arms touch the body at waist height";
}

// Spikes: the vertices standing out beyond 90% of the largest radius form 30 to 60 tips,
// spread so that no two tips are closer than a spike's base.
TEST(SpikeballModel, HasThirtyToSixtyEvenlySpreadSpikes) {
  OwnedModel owned;
  Model& model = owned.model;
  ASSERT_EQ(LoadModel(model, "data/3d/spikeball.obj"), 1);
  double maxRadius = 0;
  for (uint32_t v = 1; v <= model.numVertices; ++v) maxRadius = std::max(maxRadius, Length(Position(model, static_cast<int32_t>(v))));
  std::vector<Vec> tips;
  for (uint32_t v = 1; v <= model.numVertices; ++v) {
    const Vec p = Position(model, static_cast<int32_t>(v));
    if (Length(p) < 0.9 * maxRadius) continue;
    const bool known = std::any_of(tips.begin(), tips.end(), [&](Vec tip) { return Length(tip - p) < 2.0; });
    if (!known) tips.push_back(p);
  }
  EXPECT_GE(tips.size(), 30u);
  EXPECT_LE(tips.size(), 60u);
  double closest = 1e9;
  for (size_t i = 0; i < tips.size(); ++i)
    for (size_t j = i + 1; j < tips.size(); ++j) closest = std::min(closest, Length(tips[i] - tips[j]));
  EXPECT_GT(closest, 0.3 * maxRadius);
}

// The generator is deterministic: a fresh run reproduces the installed files byte for byte.
TEST(ModelGenerator, FreshRunReproducesTheInstalledFilesExactly) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vex-modelgen-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string command = "./tools/modelgen/vex-modelgen " + folder.string() + " > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const Expected& expected : kExpected) {
    const std::string name = std::string(expected.stem) + ".obj";
    const std::string fresh = ReadAll((folder / name).string());
    EXPECT_FALSE(fresh.empty()) << name;
    EXPECT_TRUE(fresh == ReadAll("data/3d/" + name)) << name << " differs between runs";
    EXPECT_EQ(fresh.rfind("# generated by vex-modelgen", 0), 0u) << name;
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
