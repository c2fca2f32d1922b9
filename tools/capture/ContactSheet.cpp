// Thumbnails are area-filtered by stb_image_resize; labels are painted with FreeType glyphs
// through the texture generator's glyph code.
#include "tools/capture/ContactSheet.h"

#include <stb/stb_image_resize.h>

#include <algorithm>
#include <cstdio>

#include "platform/FileBytes.h"
#include "tools/capture/CaptureProgress.h"
#include "tools/texgen/Glyphs.h"

namespace {

constexpr uint8_t kBackground[3] = {24, 24, 28};
constexpr uint8_t kInk[3] = {225, 225, 225};
constexpr const char* kLabelFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kLabelPixels = 13;
constexpr int kLabelBaseline = 14;  // rows below the thumbnail

PngImage BlankSheet(const SheetLayout& layout) {
  PngImage sheet;
  sheet.width = layout.width;
  sheet.height = layout.height;
  sheet.channels = 3;
  sheet.pixels.resize(static_cast<size_t>(layout.width) * layout.height * 3);
  for (size_t i = 0; i < sheet.pixels.size(); ++i) sheet.pixels[i] = kBackground[i % 3];
  return sheet;
}

void PlaceThumbnail(const std::vector<uint8_t>& rgb, const FrameLayout& layout, int x, int y, PngImage& sheet) {
  const size_t stride = static_cast<size_t>(sheet.width) * 3;
  uint8_t* corner = sheet.pixels.data() + stride * y + static_cast<size_t>(x) * 3;
  const size_t frameStride = static_cast<size_t>(layout.width) * 3;
  const uint8_t* picture = rgb.data() + frameStride * ((layout.height - layout.pictureHeight) / 2) +
                           static_cast<size_t>((layout.width - layout.pictureWidth) / 2) * 3;
  stbir_resize_uint8(picture, layout.pictureWidth, layout.pictureHeight, static_cast<int>(frameStride), corner,
                     kThumbWidth, kThumbHeight, static_cast<int>(stride), 3);
}

// Centred under the thumbnail whose top-left corner is (x, y).
void PaintLabel(GlyphFace* face, const std::string& text, int x, int y, PngImage& sheet) {
  float width = 0;
  for (const char c : text) width += GlyphAdvance(face, static_cast<unsigned char>(c));
  Plane coverage(kThumbWidth, kLabelHeight);
  float pen = (kThumbWidth - width) / 2;
  for (const char c : text) {
    PaintGlyph(face, static_cast<unsigned char>(c), pen, kLabelBaseline, coverage);
    pen += GlyphAdvance(face, static_cast<unsigned char>(c));
  }
  for (int row = 0; row < kLabelHeight; ++row) {
    for (int column = 0; column < kThumbWidth; ++column) {
      const float a = std::clamp(coverage.At(column, row), 0.f, 1.f);
      uint8_t* p = &sheet.pixels[(static_cast<size_t>(y + kThumbHeight + row) * sheet.width + x + column) * 3];
      for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(kBackground[c] + (kInk[c] - kBackground[c]) * a + 0.5f);
    }
  }
}

}  // namespace

std::vector<int> ContactSheetTimesMs(int everyMs) {
  std::vector<int> times;
  for (int64_t ms = 0; ms <= kShowEndMs; ms += everyMs) times.push_back(static_cast<int>(ms));
  return times;
}

SheetLayout LayoutContactSheet(int count, int columns) {
  SheetLayout layout;
  layout.count = count;
  layout.columns = std::min(columns, std::max(count, 1));
  layout.rows = (count + layout.columns - 1) / layout.columns;
  layout.width = layout.columns * (kThumbWidth + kSheetGap) + kSheetGap;
  layout.height = layout.rows * (kThumbHeight + kLabelHeight + kSheetGap) + kSheetGap;
  return layout;
}

void ThumbnailOrigin(const SheetLayout& layout, int cell, int& x, int& y) {
  x = kSheetGap + (cell % layout.columns) * (kThumbWidth + kSheetGap);
  y = kSheetGap + (cell / layout.columns) * (kThumbHeight + kLabelHeight + kSheetGap);
}

std::string SheetTimeLabel(int ms) {
  char text[32];
  const int seconds = ms / 1000, fraction = ms % 1000;
  int length = std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
  if (fraction != 0) {
    length += std::snprintf(text + length, sizeof text - length, ".%03d", fraction);
    while (text[length - 1] == '0') text[--length] = '\0';
  }
  return text;
}

int RunContactSheet(const CaptureOptions& options, const FrameLayout& frame, std::string& error) {
  const std::vector<int> times = ContactSheetTimesMs(options.everyMs);
  const SheetLayout layout = LayoutContactSheet(static_cast<int>(times.size()), options.columns);
  PngImage sheet = BlankSheet(layout);
  GlyphFace* face = OpenGlyphFace(kLabelFont, kLabelPixels);
  CaptureProgress progress = StartProgress(layout.count);
  std::vector<uint8_t> rgb;
  for (int cell = 0; cell < layout.count; ++cell) {
    RenderCaptureFrame(times[cell], 60, frame, rgb);
    int x = 0, y = 0;
    ThumbnailOrigin(layout, cell, x, y);
    PlaceThumbnail(rgb, frame, x, y, sheet);
    if (face) PaintLabel(face, SheetTimeLabel(times[cell]), x, y, sheet);
    ShowProgress(progress, cell + 1);
  }
  if (face) CloseGlyphFace(face);
  std::vector<uint8_t> bytes;
  if (!EncodePng(sheet, bytes, error)) return 1;
  if (!WriteFileBytes(options.outFile, bytes)) {
    error = "cannot write " + options.outFile;
    return 1;
  }
  std::fprintf(stderr, "vexilograph-capture: wrote %s: %d thumbnails every %g s, %d x %d grid, %d x %d pixels, %.1f s\n",
               options.outFile.c_str(), layout.count, options.everyMs / 1000.0, layout.columns,
               layout.rows, layout.width, layout.height, EndProgress(progress));
  return 0;
}
