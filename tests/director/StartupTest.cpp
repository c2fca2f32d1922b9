// Random tables, seeking through the music, the missing music file, and texture loading.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "director/DemoRandom.h"
#include "director/DemoState.h"
#include "director/Music.h"
#include "director/Seek.h"
#include "director/Startup.h"
#include "platform/FileBytes.h"
#include "platform/PngImage.h"
#include "support/GlTest.h"

namespace {

// Runs body with the working directory set to an empty temporary folder.
template <typename Body>
void InEmptyFolder(const char* name, Body body) {
  const std::filesystem::path home = std::filesystem::current_path();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  body(folder);
  std::filesystem::current_path(home);
  std::filesystem::remove_all(folder);
}

std::string WritePng(const std::filesystem::path& folder, const char* name, int width, int height, int channels,
                     const std::vector<uint8_t>& pixels) {
  PngImage image{width, height, channels, pixels};
  std::vector<uint8_t> bytes;
  std::string error;
  EncodePng(image, bytes, error);
  const std::string path = (folder / name).string();
  WriteFileBytes(path, bytes);
  return path;
}

}  // namespace

TEST(RandomTables, SameInEveryRunWithTheKnownFirstPoints) {
  ResetDemoRandom();
  FillRandomPointTables();
  EXPECT_EQ(cloudPoints[0].x, -1.8f);  // 41 % 100 - 50 = -9
  EXPECT_EQ(cloudPoints[0].y, 3.4f);   // 18467 -> 17
  EXPECT_EQ(cloudPoints[0].z, -3.2f);  // 6334 -> -16
  EXPECT_EQ(tunnelPoints[0].x, 1.0f);
  EXPECT_EQ(tunnelPoints[0].y, -1.0f);
  EXPECT_EQ(tunnelPoints[0].z, 104.0f);
  std::vector<Point3> first(cloudPoints, cloudPoints + kRandomPointCount);
  first.insert(first.end(), tunnelPoints, tunnelPoints + kRandomPointCount);
  for (const Point3& p : cloudPoints) {
    ASSERT_GE(p.x, -10.0f);
    ASSERT_LE(p.z, 9.8f);
  }
  for (const Point3& p : tunnelPoints) {
    ASSERT_TRUE(p.x >= -2 && p.x <= 2 && p.y >= -2 && p.y <= 2 && p.z >= 0 && p.z <= 499);
    ASSERT_EQ(p.z, std::floor(p.z));
  }
  ResetDemoRandom();
  FillRandomPointTables();
  for (int i = 0; i < kRandomPointCount; ++i) {
    ASSERT_EQ(cloudPoints[i].x, first[i].x);
    ASSERT_EQ(tunnelPoints[i].z, first[kRandomPointCount + i].z);
  }
  ResetDemoRandom();
}

TEST(Seek, TargetsTruncateTowardZero) {
  EXPECT_EQ(SeekTarget(10.0f, 500), 10500);
  EXPECT_EQ(SeekTarget(0.2f, -500.5f), -300);  // -300.5 truncates up, toward zero
  EXPECT_EQ(SeekTarget(0.2f, 0.75f), 200);
  EXPECT_EQ(SeekTarget(1.0009999f, 0), 1000);
  EXPECT_EQ(SeekTarget(3e9f, 0), std::numeric_limits<int>::max());
  EXPECT_EQ(SeekTarget(-3e9f, 0), std::numeric_limits<int>::min());
}

TEST(MusicWithoutFile, PrintsTheTwoLinesAndRunsASilentClock) {
  InEmptyFolder("vex-missing-music", [](const std::filesystem::path&) {
    testing::internal::CaptureStdout();
    StartMusic();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error!\nFile Not Found\n");
  });
  EnableSpectrum();
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  const int ms = MusicGetTime();
  EXPECT_GE(ms, 55);
  EXPECT_LT(ms, 500);
  for (int i = 0; i < kSpectrumSize; ++i) ASSERT_EQ(MusicGetSpectrum()[i], 0.0f);

  // Several seeks in one frame all start from that frame's demo time: the last one stands.
  DemoClock = 100.0f;
  SeekMusic(-500);
  SeekMusic(+500);
  EXPECT_EQ(MusicGetTime(), 100500);
  SeekMusic(+5000);
  SeekMusic(-5000);
  EXPECT_EQ(MusicGetTime(), 95000);
  DemoClock = 0.2f;
  SeekMusic(-500);
  EXPECT_LT(MusicGetTime(), 50) << "a negative target lands at 0";
}

class LoadTextureTest : public GlTest {};

TEST_F(LoadTextureTest, UploadsTopRowFirstWithTheFilesChannels) {
  InEmptyFolder("vex-textures", [](const std::filesystem::path& folder) {
    // 3 x 2 RGB, every pixel different, rows of 9 bytes (not a multiple of 4).
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 18; ++i) rgb.push_back(static_cast<uint8_t>(10 + i * 13));
    const GLuint name = LoadTexture(WritePng(folder, "rgb.png", 3, 2, 3, rgb).c_str());
    ASSERT_NE(name, 0u);
    GLint bound = 0, wrapS = 0, wrapT = 0, minFilter = 0, magFilter = 0, width = 0, height = 0, alphaBits = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), name);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(wrapS, GL_REPEAT);
    EXPECT_EQ(wrapT, GL_REPEAT);
    EXPECT_EQ(minFilter, GL_NEAREST);
    EXPECT_EQ(magFilter, GL_NEAREST);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(alphaBits, 0);
    std::vector<uint8_t> back(18);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, back.data());
    EXPECT_EQ(back, rgb) << "texture row 0 must be the file's top row";
    GLint unpack = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
    EXPECT_EQ(unpack, 4) << "the unpack alignment is left as found";

    const std::vector<uint8_t> rgba = {1, 2, 3, 40, 5, 6, 7, 80};
    const GLuint withAlpha = LoadTexture(WritePng(folder, "rgba.png", 2, 1, 4, rgba).c_str());
    ASSERT_NE(withAlpha, 0u);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    EXPECT_GT(alphaBits, 0);
    std::vector<uint8_t> backAlpha(8);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, backAlpha.data());
    EXPECT_EQ(backAlpha, rgba);
    glDeleteTextures(1, &name);
    glDeleteTextures(1, &withAlpha);
  });
}

TEST_F(LoadTextureTest, FailuresGiveZeroAndLeaveNoTexture) {
  InEmptyFolder("vex-bad-textures", [](const std::filesystem::path& folder) {
    std::vector<uint8_t> bytes;
    PngImage image{4, 4, 3, std::vector<uint8_t>(48, 200)};
    std::string error;
    EncodePng(image, bytes, error);
    bytes.resize(bytes.size() - 20);
    WriteFileBytes((folder / "truncated.png").string(), bytes);
    WriteFileBytes((folder / "garbage.png").string(), std::vector<uint8_t>(100, 0x33));
    WriteFileBytes((folder / "empty.png").string(), {});
    GLuint before = 0;
    glGenTextures(1, &before);
    for (const char* name : {"missing.png", "truncated.png", "garbage.png", "empty.png"})
      EXPECT_EQ(LoadTexture((folder / name).string().c_str()), 0u) << name;
    GLuint after = 0;
    glGenTextures(1, &after);
    EXPECT_EQ(after, before + 1) << "a failed load created a texture name";
    glDeleteTextures(1, &before);
    glDeleteTextures(1, &after);
  });
}
