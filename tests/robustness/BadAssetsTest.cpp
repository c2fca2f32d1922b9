// Start-up with data/ missing and with every texture and model broken in its own way: each
// broken texture slot is 0, each broken model empty or within its arrays, and the show draws on.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "director/DemoState.h"
#include "director/Music.h"
#include "director/Startup.h"
#include "director/Timeline.h"
#include "support/GlTest.h"

namespace fs = std::filesystem;

namespace {

// One demo time inside every scene window, and the show's last frame.
constexpr int kSceneTimesMs[] = {1000,   70000,  88000,  100000, 110000, 120000, 135000, 150000,
                                 158000, 170000, 200000, 220000, 240000, 260000, 281900};

Model* const kModels[] = {&models.dolphin, &models.gubbe2, &models.deformed, &models.deformed2, &models.spikeball};
const char* const kModelStems[] = {"dolphin", "gubbe2", "deformed", "deformed2", "spikeball"};

void PutBigEndian(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

// A header claiming width x height, with a correct CRC so only the size is wrong.
std::vector<uint8_t> WithDimensions(std::vector<uint8_t> png, uint32_t width, uint32_t height) {
  PutBigEndian(png, 16, width);
  PutBigEndian(png, 20, height);
  PutBigEndian(png, 29, static_cast<uint32_t>(crc32(0, png.data() + 12, 17)));
  return png;
}

// One payload byte of the first IDAT chunk changed, its CRC left as it was.
std::vector<uint8_t> WithBadCrc(std::vector<uint8_t> png) {
  for (size_t i = 8; i + 8 < png.size(); ++i) {
    if (std::memcmp(png.data() + i + 4, "IDAT", 4) == 0) {
      png[i + 8 + 10] ^= 0x5a;
      return png;
    }
  }
  ADD_FAILURE() << "no IDAT chunk";
  return png;
}

enum class PngDefect { missing, empty, truncated, notPng, badCrc, overLimit, hugeClaim, count };
constexpr int kPngDefectCount = static_cast<int>(PngDefect::count);

void BreakTexture(const fs::path& path, PngDefect defect) {
  std::vector<uint8_t> png = ReadAll(path);
  switch (defect) {
    case PngDefect::missing: fs::remove(path); return;
    case PngDefect::empty: png.clear(); break;
    case PngDefect::truncated: png.resize(png.size() / 2); break;
    case PngDefect::notPng: png.assign({'v', ' ', '0', ' ', '0', ' ', '0', '\n'}); break;
    case PngDefect::badCrc: png = WithBadCrc(png); break;
    case PngDefect::overLimit: png = WithDimensions(png, 0x7fffffff, 0x7fffffff); break;
    case PngDefect::hugeClaim: png = WithDimensions(png, 16384, 16384); break;
    case PngDefect::count: break;
  }
  WriteAll(path, png);
}

// Every index of every triangle and group inside its array.
void ExpectSane(const Model& model, const char* stem) {
  for (uint32_t i = 0; i < model.numTriangles; ++i) {
    for (int j = 0; j < 3; ++j) {
      ASSERT_LE(static_cast<uint32_t>(model.triangles[i].vertexIndices[j]), model.numVertices) << stem;
      ASSERT_LE(static_cast<uint32_t>(model.triangles[i].texCoordIndices[j]), model.numTexCoords) << stem;
    }
  }
  for (const ModelGroup* group = model.groups; group; group = group->next) {
    for (uint32_t k = 0; k < group->numTriangles; ++k)
      ASSERT_LT(static_cast<uint32_t>(group->triangles[k]), model.numTriangles) << stem;
  }
}

// Draws a frame in every scene; broken assets draw less, never crash or end the show early.
void DrawEveryScene() {
  for (const int ms : kSceneTimesMs) {
    MusicSetTime(ms);
    EXPECT_TRUE(DrawTimeline()) << ms;
  }
  glFinish();
}

void FreeShowModels() {
  for (Model* model : kModels) FreeModel(*model);
}

class BadAssets : public GlTest {
 protected:
  void TearDown() override { FreeShowModels(); }
};

}  // namespace

TEST_F(BadAssets, WithoutDataStartUpGoesOnWithZeroTexturesEmptyModelsAndTheTwoLines) {
  ScratchFolder folder("vex-no-data", false);
  testing::internal::CaptureStdout();
  DemoStartup();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error!\nFile Not Found\n");
  for (int slot = 0; slot < kTextureCount; ++slot) EXPECT_EQ(textureTable.names[slot], 0u) << kTextureStems[slot];
  EXPECT_EQ(textureTable.font, 0u);
  for (const Model* model : kModels) {
    EXPECT_EQ(model->numTriangles, 0u);
    EXPECT_EQ(model->groups, nullptr);
  }
  DrawEveryScene();
}

TEST_F(BadAssets, EachBrokenTextureLeavesItsSlotZeroAndTheOthersLoad) {
  ScratchFolder folder("vex-bad-textures", true);
  // Slot i gets defect i mod 7; the font (slot 22) and every eighth slot stay intact.
  std::vector<bool> broken(kTextureCount + 1, false);
  for (int slot = 0; slot <= kTextureCount; ++slot) {
    if (slot % 8 == 7 || slot == kTextureCount) continue;
    const char* stem = slot < kTextureCount ? kTextureStems[slot] : "font";
    BreakTexture(fs::path("data/textures") / (std::string(stem) + ".png"), static_cast<PngDefect>(slot % kPngDefectCount));
    broken[slot] = true;
  }
  DemoStartup();
  for (int slot = 0; slot < kTextureCount; ++slot) {
    if (broken[slot]) EXPECT_EQ(textureTable.names[slot], 0u) << kTextureStems[slot] << " defect " << slot % kPngDefectCount;
    else EXPECT_NE(textureTable.names[slot], 0u) << kTextureStems[slot];
  }
  EXPECT_NE(textureTable.font, 0u);
  for (const Model* model : kModels) EXPECT_GT(model->numTriangles, 0u) << "the models are intact";
  DrawEveryScene();
}

TEST_F(BadAssets, EachBrokenModelLoadsEmptyOrWithinItsArraysAndTheShowDraws) {
  ScratchFolder folder("vex-bad-models", true);
  const fs::path dir = "data/3d";
  fs::remove(dir / "dolphin.obj");
  WriteText(dir / "gubbe2.obj", "");
  std::vector<uint8_t> garbage(1 << 16);
  uint32_t state = 12345;
  for (uint8_t& byte : garbage) byte = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 24);
  WriteAll(dir / "deformed.obj", garbage);
  WriteText(dir / "deformed2.obj",
            "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 0 -1 4\nf -2147483648 2147483647 3\nf 1/-5/0 2/999/1 3/1/1\n"
            "vt 0 0\nf 1/1 2/-1 3/2\nf 99999999999 1 2\nf 1 2 3\n");
  // Ten megabytes on one line: a comment, a group name and a position.
  std::string longLines = "v 0 0 0\nv 1 0 0\nv 0 1 0\n#";
  longLines.append(10 << 20, 'c').append("\ng ").append(10 << 20, 'n').append("\nv ").append(10 << 20, '7');
  longLines.append("\nf 1 2 3\n");
  WriteText(dir / "spikeball.obj", longLines);
  DemoStartup();
  EXPECT_EQ(models.dolphin.groups, nullptr) << "missing";
  EXPECT_EQ(models.gubbe2.numTriangles, 0u) << "empty";
  for (int i = 0; i < 5; ++i) ExpectSane(*kModels[i], kModelStems[i]);
  EXPECT_EQ(models.deformed2.numVertices, 3u);
  EXPECT_EQ(models.deformed2.numTriangles, 6u);
  EXPECT_EQ(models.deformed2.triangles[0].vertexIndices[0], 0) << "index 0 draws the placeholder";
  EXPECT_EQ(models.deformed2.triangles[0].vertexIndices[1], 0) << "so do negative ones";
  EXPECT_EQ(models.spikeball.numVertices, 4u);
  EXPECT_GE(models.spikeball.numTriangles, 1u);
  DrawEveryScene();
}

TEST(BadModelFiles, HugeCountsLoadInFullOrNotAtAll) {
  ScratchFolder folder("vex-huge-model", false);
  // A million positions and one face of a million corners (999,998 triangles): about 15 MB.
  std::string text;
  text.reserve(16 << 20);
  for (int i = 0; i < 1000000; ++i) text += "v 1 2 3\n";
  text += "f";
  for (int i = 1; i <= 1000000; ++i) text.append(" ").append(std::to_string(i));
  text += "\n";
  WriteText("huge.obj", text);
  Model model{};
  ModelLoadReport report;
  ASSERT_EQ(LoadModel(model, "huge.obj", report), 1);
  EXPECT_EQ(model.numVertices, 1000000u);
  EXPECT_EQ(model.numTriangles, 999998u);
  EXPECT_EQ(report.replacedVertexIndices, 0u);
  ExpectSane(model, "huge");
  FreeModel(model);

  // Counts whose arrays would pass the memory limit: the model loads empty.
  ASSERT_EQ(LoadModelFromBytes(model, reinterpret_cast<const uint8_t*>(text.data()), text.size(), report,
                               size_t{8} << 20),
            0);
  EXPECT_TRUE(report.allocationFailed);
  EXPECT_EQ(model.numTriangles, 0u);
  EXPECT_EQ(model.groups, nullptr);
}
