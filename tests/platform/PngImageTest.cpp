// The PNG decoder on every colour type the textures may use, and on broken files. Files are
// built chunk by chunk here so each case is exactly the layout it names.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "platform/PngImage.h"

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  Put32(out, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

struct PngParts {
  uint32_t width, height;
  uint8_t bitDepth, colourType;
  std::vector<uint8_t> rows;  // filter byte 0 then the packed row, for every row
  std::vector<uint8_t> palette, transparency;
};

std::vector<uint8_t> BuildPng(const PngParts& parts) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  Put32(header, parts.width);
  Put32(header, parts.height);
  header.insert(header.end(), {parts.bitDepth, parts.colourType, 0, 0, 0});
  Chunk(png, "IHDR", header);
  if (!parts.palette.empty()) Chunk(png, "PLTE", parts.palette);
  if (!parts.transparency.empty()) Chunk(png, "tRNS", parts.transparency);
  uLongf packedSize = compressBound(static_cast<uLong>(parts.rows.size()));
  std::vector<uint8_t> packed(packedSize);
  compress(packed.data(), &packedSize, parts.rows.data(), static_cast<uLong>(parts.rows.size()));
  packed.resize(packedSize);
  Chunk(png, "IDAT", packed);
  Chunk(png, "IEND", {});
  return png;
}

PngImage Decode(const std::vector<uint8_t>& bytes, bool& ok, std::string& error) {
  PngImage image;
  ok = DecodePng(bytes.data(), bytes.size(), image, error);
  return image;
}

std::vector<uint8_t> Pixel(const PngImage& image, int x, int y) {
  const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * image.channels;
  return std::vector<uint8_t>(p, p + image.channels);
}

// 2 x 2 palette image: red, green / blue, white; blue half transparent through tRNS.
PngParts PaletteParts() {
  return {2, 2, 8, 3, {0, 0, 1, 0, 2, 3}, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}, {255, 255, 128}};
}

}  // namespace

TEST(PngImage, ExpandsPaletteGreyAlphaAndSixteenBitFiles) {
  bool ok = false;
  std::string error;

  PngImage image = Decode(BuildPng(PaletteParts()), ok, error);
  ASSERT_TRUE(ok) << error;
  EXPECT_EQ(image.channels, 4);  // tRNS counts as alpha
  EXPECT_EQ(Pixel(image, 1, 0), (std::vector<uint8_t>{0, 255, 0, 255}));
  EXPECT_EQ(Pixel(image, 0, 1), (std::vector<uint8_t>{0, 0, 255, 128}));
  EXPECT_EQ(Pixel(image, 1, 1), (std::vector<uint8_t>{255, 255, 255, 255}));

  PngParts palette = PaletteParts();
  palette.transparency.clear();
  image = Decode(BuildPng(palette), ok, error);
  ASSERT_TRUE(ok) << error;
  EXPECT_EQ(image.channels, 3);
  EXPECT_EQ(Pixel(image, 0, 0), (std::vector<uint8_t>{255, 0, 0}));

  // Grey + alpha, 3 x 1: grey 10/alpha 20, 30/40, 50/60.
  image = Decode(BuildPng({3, 1, 8, 4, {0, 10, 20, 30, 40, 50, 60}, {}, {}}), ok, error);
  ASSERT_TRUE(ok) << error;
  EXPECT_EQ(image.channels, 4);
  EXPECT_EQ(Pixel(image, 2, 0), (std::vector<uint8_t>{50, 50, 50, 60}));

  // 16-bit RGB, 1 x 2: the high bytes survive.
  image = Decode(BuildPng({1, 2, 16, 2, {0, 0x12, 0xFF, 0x34, 0x00, 0x56, 0x80, 0, 0xAB, 0x01, 0xCD, 0x02, 0xEF, 0x03}, {}, {}}),
                 ok, error);
  ASSERT_TRUE(ok) << error;
  EXPECT_EQ(image.channels, 3);
  EXPECT_EQ(Pixel(image, 0, 0), (std::vector<uint8_t>{0x12, 0x34, 0x56}));
  EXPECT_EQ(Pixel(image, 0, 1), (std::vector<uint8_t>{0xAB, 0xCD, 0xEF}));

  // 1-bit grey, 8 x 1: 10110000.
  image = Decode(BuildPng({8, 1, 1, 0, {0, 0xB0}, {}, {}}), ok, error);
  ASSERT_TRUE(ok) << error;
  EXPECT_EQ(Pixel(image, 0, 0)[0], 255);
  EXPECT_EQ(Pixel(image, 1, 0)[0], 0);
  EXPECT_EQ(Pixel(image, 3, 0)[1], 255);
}

TEST(PngImage, RoundTripKeepsRowOrderAndChannels) {
  PngImage original;
  original.width = 3;
  original.height = 2;
  original.channels = 4;
  for (int i = 0; i < 24; ++i) original.pixels.push_back(static_cast<uint8_t>(i * 10 + 1));
  std::vector<uint8_t> bytes, again;
  std::string error;
  ASSERT_TRUE(EncodePng(original, bytes, error)) << error;
  ASSERT_TRUE(EncodePng(original, again, error));
  EXPECT_EQ(bytes, again);
  PngImage decoded;
  ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), decoded, error)) << error;
  EXPECT_EQ(decoded.pixels, original.pixels);
  original.pixels.pop_back();
  EXPECT_FALSE(EncodePng(original, bytes, error));
}

TEST(PngImage, BrokenFilesFailCleanly) {
  const std::vector<uint8_t> good = BuildPng(PaletteParts());
  PngImage image;
  std::string error;

  for (size_t keep : {size_t{0}, size_t{7}, size_t{8}, size_t{20}, good.size() / 2, good.size() - 13}) {
    std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(keep));
    EXPECT_FALSE(DecodePng(truncated.data(), truncated.size(), image, error)) << "kept " << keep << " bytes";
    EXPECT_TRUE(image.pixels.empty());
  }

  const std::vector<uint8_t> garbage(300, 0xA7);
  EXPECT_FALSE(DecodePng(garbage.data(), garbage.size(), image, error));

  std::vector<uint8_t> badCrc = good;
  badCrc[8 + 8 + 13] ^= 0x40;  // the IHDR's CRC
  EXPECT_FALSE(DecodePng(badCrc.data(), badCrc.size(), image, error));
  EXPECT_TRUE(image.pixels.empty());

  // A header claiming 16384 x 16384 over a few bytes of data is refused before allocating.
  PngParts huge = {16384, 16384, 8, 2, {0, 1, 2, 3}, {}, {}};
  const std::vector<uint8_t> bomb = BuildPng(huge);
  EXPECT_FALSE(DecodePng(bomb.data(), bomb.size(), image, error));
  EXPECT_NE(error.find("larger"), std::string::npos) << error;
}
