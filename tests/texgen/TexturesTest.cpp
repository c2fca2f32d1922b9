// The generated textures in data/textures: sizes and channels, seamless repeats, alpha edges,
// the orientation of the files that are stored flipped, and repeatable output.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileBytes.h"
#include "platform/PngImage.h"

namespace {

PngImage Load(const std::string& stem) {
  std::vector<uint8_t> bytes;
  PngImage image;
  std::string error;
  if (!ReadFileBytes("data/textures/" + stem + ".png", bytes) || !DecodePng(bytes.data(), bytes.size(), image, error)) {
    ADD_FAILURE() << stem << ": " << error;
  }
  return image;
}

const uint8_t* Pixel(const PngImage& image, int x, int y) {
  return &image.pixels[(static_cast<size_t>(y) * image.width + x) * image.channels];
}

// Mean absolute colour difference between column/row a and b.
double LineDifference(const PngImage& image, bool rows, int a, int b) {
  const int length = rows ? image.width : image.height;
  double sum = 0;
  for (int i = 0; i < length; ++i) {
    const uint8_t* p = rows ? Pixel(image, i, a) : Pixel(image, a, i);
    const uint8_t* q = rows ? Pixel(image, i, b) : Pixel(image, b, i);
    for (int c = 0; c < 3; ++c) sum += std::abs(p[c] - q[c]);
  }
  return sum / (length * 3);
}

// The wrap from the last line to the first should look like any step between neighbours.
void ExpectSeamless(const PngImage& image, bool rows, const std::string& stem) {
  const int count = rows ? image.height : image.width;
  double typical = 0;
  for (int i = 0; i + 1 < count; ++i) typical += LineDifference(image, rows, i, i + 1);
  typical /= count - 1;
  const double seam = LineDifference(image, rows, count - 1, 0);
  EXPECT_LE(seam, 2 * typical + 2) << stem << (rows ? " top/bottom" : " left/right") << " seam";
}

double Coverage(const PngImage& font, int cell, int rowFrom, int rowTo) {
  const int size = font.width / 16, left = (cell % 16) * size, top = (15 - cell / 16) * size;
  double sum = 0;
  for (int y = top + rowFrom; y < top + rowTo; ++y) {
    for (int x = left; x < left + size; ++x) sum += Pixel(font, x, y)[3];
  }
  return sum / 255;
}

struct Expected {
  const char* stem;
  int width, height, channels;
};

}  // namespace

TEST(Textures, EveryFileDecodesWithItsSizeAndChannels) {
  const Expected expected[] = {
      {"ball", 256, 256, 3},      {"box", 256, 256, 3},        {"check2", 256, 256, 3},   {"stripes", 512, 512, 3},
      {"metal", 256, 256, 3},     {"bubble", 128, 128, 4},     {"laser", 64, 64, 3},      {"stars", 512, 512, 3},
      {"planet", 512, 256, 3},    {"explode", 512, 512, 3},    {"fire", 128, 128, 3},     {"pcb", 256, 256, 3},
      {"bars", 128, 128, 3},      {"pcb2", 256, 256, 3},       {"pcb3", 256, 256, 3},     {"metal2", 128, 128, 3},
      {"gold", 128, 128, 3},      {"envifoo", 256, 256, 3},    {"explosion", 512, 512, 3}, {"stripes3", 512, 512, 3},
      {"stripes2", 512, 512, 3},  {"gromeyes", 512, 512, 3},   {"font", 512, 512, 4},
  };
  for (const Expected& e : expected) {
    const PngImage image = Load(e.stem);
    EXPECT_EQ(image.width, e.width) << e.stem;
    EXPECT_EQ(image.height, e.height) << e.stem;
    EXPECT_EQ(image.channels, e.channels) << e.stem;
  }
}

TEST(Textures, RepeatedTexturesHaveNoSeams) {
  for (const char* stem : {"stripes", "stripes2", "stripes3", "pcb", "pcb2", "pcb3", "fire", "metal2"}) {
    const PngImage image = Load(stem);
    ExpectSeamless(image, true, stem);
    ExpectSeamless(image, false, stem);
  }
  // The checkerboard's wrap is a square edge: it must look like the edges inside the tile.
  const PngImage check = Load("check2");
  const int square = check.width / 4;
  for (bool rows : {true, false}) {
    EXPECT_NEAR(LineDifference(check, rows, check.width - 1, 0), LineDifference(check, rows, square - 1, square), 3);
  }
  // Wrapped round spheres: only the longitude has to meet.
  for (const char* stem : {"planet", "explosion", "ball"}) ExpectSeamless(Load(stem), false, stem);
}

TEST(Textures, BubbleFadesToClearAtItsBorderFromAnOpaqueCentre) {
  const PngImage bubble = Load("bubble");
  for (int i = 0; i < bubble.width; ++i) {
    EXPECT_EQ(Pixel(bubble, i, 0)[3], 0);
    EXPECT_EQ(Pixel(bubble, i, bubble.height - 1)[3], 0);
    EXPECT_EQ(Pixel(bubble, 0, i)[3], 0);
    EXPECT_EQ(Pixel(bubble, bubble.width - 1, i)[3], 0);
  }
  const uint8_t* centre = Pixel(bubble, bubble.width / 2, bubble.height / 2);
  EXPECT_EQ(centre[3], 255);
  EXPECT_GE(centre[0], 240);
  // Alpha falls steadily from the centre outwards.
  for (int x = bubble.width / 2 + 1; x < bubble.width; ++x) EXPECT_LE(Pixel(bubble, x, bubble.height / 2)[3], Pixel(bubble, x - 1, bubble.height / 2)[3] + 1);
}

TEST(Textures, FontCellsHoldUpsideDownGlyphsFromTheBottomLeft) {
  const PngImage font = Load("font");
  const int cell = font.width / 16;
  EXPECT_GE(cell, 32);
  EXPECT_EQ(Coverage(font, 0, 0, cell), 0) << "space";
  EXPECT_GT(Coverage(font, 'A' - 32, 0, cell), 20);
  EXPECT_GT(Coverage(font, 128 + 'A' - 32, 0, cell), 20) << "second style";
  // Each glyph is stored inverted, so an underscore lies in the upper rows of its cell and the
  // bar of a T in the lower ones.
  EXPECT_GT(Coverage(font, '_' - 32, 0, cell / 2), 5 * Coverage(font, '_' - 32, cell / 2, cell) + 1);
  EXPECT_GT(Coverage(font, 'T' - 32, cell * 3 / 4, cell), 2 * Coverage(font, 'T' - 32, 0, cell / 4) + 1);
  // Colour is white, and no glyph reaches its cell's border, where nearest sampling could bleed.
  for (int y = 0; y < font.height; ++y) {
    for (int x = 0; x < font.width; ++x) {
      const uint8_t* p = Pixel(font, x, y);
      ASSERT_EQ(p[0] & p[1] & p[2], 255) << x << "," << y;
      const bool border = x % cell == 0 || x % cell == cell - 1 || y % cell == 0 || y % cell == cell - 1;
      if (border) {
        ASSERT_EQ(p[3], 0) << "glyph touches its cell at " << x << "," << y;
      }
    }
  }
}

TEST(Textures, SphereMapsKeepTheSkyInTheFilesLowerHalf) {
  // The sphere-map lookup reads the file's bottom rows for reflections from above; both skies
  // are bluer than their grounds.
  for (const char* stem : {"metal", "envifoo"}) {
    const PngImage map = Load(stem);
    double topBlue = 0, bottomBlue = 0, topRed = 0, bottomRed = 0;
    for (int y = map.height / 8; y < map.height * 3 / 8; ++y) {
      for (int x = map.width * 3 / 8; x < map.width * 5 / 8; ++x) {
        topBlue += Pixel(map, x, y)[2], topRed += Pixel(map, x, y)[0];
        bottomBlue += Pixel(map, x, map.height - 1 - y)[2], bottomRed += Pixel(map, x, map.height - 1 - y)[0];
      }
    }
    EXPECT_GT(bottomBlue - bottomRed, topBlue - topRed) << stem;
  }
}

TEST(Textures, ExplosionFlashPeaksWhereTheMirroredQuadPutsTheScreenCentre) {
  // The flash quad spans 820 x 620 from the top-left corner, mirrored: screen (400, 300) reads
  // texture s = 1 - 400/820, t = 300/620.
  const PngImage flash = Load("explode");
  double sumX = 0, sumY = 0, count = 0;
  for (int y = 0; y < flash.height; ++y) {
    for (int x = 0; x < flash.width; ++x) {
      const uint8_t* p = Pixel(flash, x, y);
      if (p[0] + p[1] + p[2] >= 3 * 254) sumX += x, sumY += y, ++count;
    }
  }
  ASSERT_GT(count, 0);
  EXPECT_NEAR(sumX / count + 0.5, (1 - 400.0 / 820) * flash.width, 3);
  EXPECT_NEAR(sumY / count + 0.5, 300.0 / 620 * flash.height, 3);
}

TEST(Textures, GeneratorWritesTheSameBytesAgain) {
  const std::filesystem::path again = std::filesystem::temp_directory_path() / "vex-texgen-again";
  std::filesystem::remove_all(again);
  std::filesystem::create_directories(again);
  ASSERT_EQ(std::system(("tools/texgen/vex-texgen " + again.string()).c_str()), 0);
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator("data/textures")) {
    std::vector<uint8_t> first, second;
    ASSERT_TRUE(ReadFileBytes(entry.path().string(), first));
    ASSERT_TRUE(ReadFileBytes((again / entry.path().filename()).string(), second)) << entry.path();
    EXPECT_EQ(first, second) << entry.path().filename();
    ++files;
  }
  EXPECT_EQ(files, 23);
  std::filesystem::remove_all(again);
}
