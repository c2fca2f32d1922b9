// The OBJ loader on text in memory: the supported subset, fans and corner forms, groups, the
// normals, and hostile files that must load safely or end empty.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "assets/Model.h"

namespace {
struct Loaded {
  Model model{};
  ModelLoadReport report;
  int result = 0;
  explicit Loaded(const std::string& text, size_t limit = kModelMemoryLimit) {
    result = LoadModelFromBytes(model, reinterpret_cast<const uint8_t*>(text.data()), text.size(), report, limit);
  }
  ~Loaded() { FreeModel(model); }
  std::vector<std::string> GroupNames() const {
    std::vector<std::string> names;
    for (const ModelGroup* g = model.groups; g; g = g->next) names.push_back(g->name);
    return names;
  }
  const ModelGroup* Group(const char* name) const {
    for (const ModelGroup* g = model.groups; g; g = g->next)
      if (std::strcmp(g->name, name) == 0) return g;
    return nullptr;
  }
  std::vector<int> Vertices(uint32_t k) const {
    const int32_t* v = model.triangles[k].vertexIndices;
    return {v[0], v[1], v[2]};
  }
  std::vector<int> TexCoords(uint32_t k) const {
    const int32_t* t = model.triangles[k].texCoordIndices;
    return {t[0], t[1], t[2]};
  }
};

using V = std::vector<int>;
const std::string kFourVertices = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 0 1\n";

TEST(ModelLoaderTest, PolygonsBecomeFansAndFacesMayRunAcrossLines) {
  Loaded m(kFourVertices + "f 1 2 3 4 5\nf 1 2\nv 9 9 9\nf 4 3\n2 1\n");
  ASSERT_EQ(m.result, 1);
  EXPECT_EQ(m.model.numVertices, 6u);
  ASSERT_EQ(m.model.numTriangles, 6u);
  EXPECT_EQ(m.Vertices(0), (V{1, 2, 3}));
  EXPECT_EQ(m.Vertices(1), (V{1, 3, 4}));
  EXPECT_EQ(m.Vertices(2), (V{1, 4, 5}));
  EXPECT_EQ(m.Vertices(3), (V{1, 2, 2}));  // two corners: the third repeats the second
  EXPECT_EQ(m.Vertices(4), (V{4, 3, 2}));
  EXPECT_EQ(m.Vertices(5), (V{4, 2, 1}));
  EXPECT_EQ(m.model.vertices[6][0], 9);
  EXPECT_EQ(m.report.replacedVertexIndices, 0u);
}

TEST(ModelLoaderTest, TheFirstCornerChoosesTheFormForTheWholeFace) {
  const std::string head = kFourVertices + "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvt .5 .5\nvt .2 .2\n";
  Loaded m(head + "f 1/4/7 2/5/8 3/6/9\nf 1//7 2//8 3//9\nf 1 2 3\nf 1/5 2 3\nf 3/2 4/1/9\n");
  ASSERT_EQ(m.model.numTriangles, 5u);
  EXPECT_EQ(m.model.numTexCoords, 6u);
  EXPECT_EQ(m.Vertices(0), (V{1, 2, 3}));
  EXPECT_EQ(m.TexCoords(0), (V{4, 5, 6}));
  EXPECT_EQ(m.Vertices(1), (V{1, 2, 3}));
  EXPECT_EQ(m.TexCoords(1), (V{0, 0, 0}));  // no texture index in the form: entry 0
  EXPECT_EQ(m.Vertices(2), (V{1, 2, 3}));
  EXPECT_EQ(m.TexCoords(2), (V{0, 0, 0}));
  EXPECT_EQ(m.Vertices(3), (V{1, 2, 3}));  // later corners keep the texture index of the first
  EXPECT_EQ(m.TexCoords(3), (V{5, 5, 5}));
  EXPECT_EQ(m.Vertices(4), (V{3, 4, 4}));  // "%d/%d" reads 4/1, then stops at the third slash
  EXPECT_EQ(m.TexCoords(4), (V{2, 1, 1}));
  EXPECT_EQ(m.report.replacedTexCoordIndices, 0u);
}

TEST(ModelLoaderTest, GroupsAreListedNewestFirstAndReenteredByName) {
  Loaded none(kFourVertices + "f 1 2 3\n");
  EXPECT_EQ(none.GroupNames(), (std::vector<std::string>{"default"}));
  EXPECT_EQ(none.model.groups->numTriangles, 1u);

  Loaded m(kFourVertices + "g a\nf 1 2 3\ng b extra words\nf 2 3 4\ng a\nf 3 4 5\ng\nf 1 3 5\n");
  EXPECT_EQ(m.GroupNames(), (std::vector<std::string>{"\n", "b", "a", "default"}));
  EXPECT_EQ(m.model.numGroups, 4u);
  const ModelGroup* a = m.Group("a");
  ASSERT_NE(a, nullptr);
  ASSERT_EQ(a->numTriangles, 2u);
  EXPECT_EQ(a->triangles[0], 0);
  EXPECT_EQ(a->triangles[1], 2);
  EXPECT_EQ(m.Group("default")->numTriangles, 0u);
  EXPECT_EQ(m.Group("\n")->triangles[0], 3);
}

TEST(ModelLoaderTest, OnlyTheFirstCharacterClassifiesAndOtherKeywordsAreSkipped) {
  Loaded m("# f 1 2 3\nmtllib x.mtl\nusemtl y\no thing\ns 1\nxyz 1 2 3\n" + kFourVertices +
           "vtx 0.5 0.25\nvq\nfoo 1 2 3\n");
  EXPECT_EQ(m.model.numVertices, 5u);
  EXPECT_EQ(m.model.numTexCoords, 1u);
  EXPECT_EQ(m.model.texCoords[1][1], 0.25f);
  ASSERT_EQ(m.model.numTriangles, 1u);
  EXPECT_EQ(m.Vertices(0), (V{1, 2, 3}));
}

TEST(ModelLoaderTest, NormalsAreAreaWeightedSumsAndIgnoreVnLines) {
  // Two triangles meeting at vertices 1 and 2: normals (0, 0, 2) and (0, 6, 0).
  const std::string mesh = "v 0 0 0\nv 2 0 0\nv 0 1 0\nv 0 0 3\nv 5 5 5\nf 1 2 3\nf 1 4 2\n";
  Loaded m(mesh);
  Loaded withVn("vn 1 0 0\nvn 0 1 0\n" + mesh + "vn 0 0 1\n");
  const float s = 1 / std::sqrt(40.0f);
  const float expected[6][3] = {{0, 0, 0}, {0, 6 * s, 2 * s}, {0, 6 * s, 2 * s}, {0, 0, 1}, {0, 1, 0}, {0, 0, 0}};
  for (int i = 0; i < 6; ++i)
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(m.model.normals[i][c], expected[i][c], 1e-6) << i << " " << c;
      EXPECT_EQ(withVn.model.normals[i][c], m.model.normals[i][c]);
    }
  EXPECT_EQ(m.model.numTexCoords, 0u);
  EXPECT_EQ(m.model.texCoords, nullptr);
}

TEST(ModelLoaderTest, IndicesOutsideTheArraysUseThePlaceholderAndAreCounted) {
  Loaded m("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 1\n"
           "f 0 -1 4\nf 1/9 2/1 3/0\nf 99999999999999999999 -99999999999 2\n");
  ASSERT_EQ(m.result, 1);
  ASSERT_EQ(m.model.numTriangles, 3u);
  EXPECT_EQ(m.Vertices(0), (V{0, 0, 0}));
  EXPECT_EQ(m.TexCoords(1), (V{0, 1, 0}));
  EXPECT_EQ(m.Vertices(2), (V{0, 0, 2}));
  EXPECT_EQ(m.report.replacedVertexIndices, 5u);
  EXPECT_EQ(m.report.replacedTexCoordIndices, 2u);
  EXPECT_EQ(m.model.vertices[0][0], 0);  // the placeholder stays a zero vector
  for (int c = 0; c < 3; ++c) EXPECT_TRUE(std::isfinite(m.model.normals[0][c]));
}

TEST(ModelLoaderTest, LongTokensAndLinesAreReadInBoundedPieces) {
  const std::string longName(200, 'a');
  const std::string longWord(1000, 'v');
  const std::string digits(500, '7');
  Loaded m(kFourVertices + "g " + longName + "\nf 1 2 3\n" + longWord + "\n# " + std::string(126, 'x') +
           " f 1 2 3\nf 1 2 " + digits + "\n");
  ASSERT_EQ(m.result, 1);
  // The name is the first word of the first 127 characters; the rest of the line is skipped.
  const ModelGroup* g = m.model.groups;
  EXPECT_EQ(std::string(g->name), std::string(126, 'a'));
  // The comment's remainder beyond 127 characters is read as further tokens: one more face.
  ASSERT_EQ(m.model.numTriangles, 3u);
  EXPECT_EQ(g->numTriangles, 3u);
  EXPECT_EQ(m.Vertices(2), (V{1, 2, 0}));
  EXPECT_EQ(m.report.replacedVertexIndices, 1u);
}

TEST(ModelLoaderTest, WhenThePassesDisagreeNothingIsWrittenPastTheCountedArrays) {
  // Counting skips the rest of a "v" line; filling reads three numbers and goes on with tokens.
  Loaded m("v 1 2 3 v 4 5 6\nv 7 8 9 f 1 1 1\nvt 1 2 vt 3 4\nf 1 2 2\n");
  ASSERT_EQ(m.result, 1);
  EXPECT_EQ(m.model.numVertices, 2u);
  EXPECT_EQ(m.model.numTriangles, 1u);
  EXPECT_EQ(m.model.numTexCoords, 1u);
  EXPECT_EQ(m.report.droppedVertices, 1u);
  EXPECT_EQ(m.report.droppedTexCoords, 1u);
  EXPECT_EQ(m.report.droppedTriangles, 1u);
  EXPECT_EQ(m.model.vertices[2][0], 4);
  uint32_t grouped = 0;
  for (const ModelGroup* g = m.model.groups; g; g = g->next) grouped += g->numTriangles;
  EXPECT_EQ(grouped, 1u);
}

TEST(ModelLoaderTest, AModelTooLargeForMemoryEndsEmpty) {
  Loaded m(kFourVertices + "f 1 2 3 4 5 1 2 3 4 5\ng a\ng b\n", 64);
  EXPECT_EQ(m.result, 0);
  EXPECT_TRUE(m.report.allocationFailed);
  EXPECT_EQ(m.model.groups, nullptr);
  EXPECT_EQ(m.model.numGroups, 0u);
  EXPECT_EQ(m.model.numTriangles, 0u);
  EXPECT_EQ(m.model.vertices, nullptr);
}

TEST(ModelLoaderTest, EmptyAndMissingFiles) {
  Loaded empty("");
  EXPECT_EQ(empty.result, 1);
  EXPECT_EQ(empty.GroupNames(), (std::vector<std::string>{"default"}));
  ASSERT_NE(empty.model.vertices, nullptr);  // the placeholder entry
  Model untouched{};
  untouched.numVertices = 42;
  EXPECT_EQ(LoadModel(untouched, "data/3d/no-such-model.obj"), 0);
  EXPECT_EQ(untouched.numVertices, 42u);
}

// Random bytes drawn from the OBJ alphabet: whatever loads must be safe to draw.
TEST(ModelLoaderTest, RandomTextAlwaysYieldsIndicesInsideTheArrays) {
  const char alphabet[] = "vtnfg#/-+0123456789 .\n\n\t\0xe";
  uint32_t state = 12345;
  for (int round = 0; round < 400; ++round) {
    std::string text;
    const int length = 1 + round * 3;
    for (int i = 0; i < length; ++i) {
      state = state * 1664525u + 1013904223u;
      text += alphabet[(state >> 16) % (sizeof alphabet - 1)];
    }
    Loaded m(text);
    ASSERT_EQ(m.result, 1);
    uint32_t grouped = 0;
    for (const ModelGroup* g = m.model.groups; g; g = g->next) {
      for (uint32_t k = 0; k < g->numTriangles; ++k) {
        ASSERT_GE(g->triangles[k], 0);
        ASSERT_LT(uint32_t(g->triangles[k]), m.model.numTriangles);
        for (int j = 0; j < 3; ++j) {
          const ModelTriangle& t = m.model.triangles[g->triangles[k]];
          ASSERT_LE(uint32_t(t.vertexIndices[j]), m.model.numVertices) << text;
          if (m.model.numTexCoords) {
            ASSERT_LE(uint32_t(t.texCoordIndices[j]), m.model.numTexCoords) << text;
          }
        }
      }
      grouped += g->numTriangles;
    }
    ASSERT_LE(grouped, m.model.numTriangles);
  }
}
}  // namespace
