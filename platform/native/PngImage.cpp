// libpng behind a memory-only interface, with setjmp error recovery.
#include "platform/PngImage.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace {

struct MemoryReader {
  const uint8_t* bytes;
  size_t size;
  size_t offset;
};

struct ErrorSink {
  std::string* message;
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* sink = static_cast<ErrorSink*>(png_get_error_ptr(png));
  *sink->message = message ? message : "libpng error";
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (count > reader->size - reader->offset) png_error(png, "truncated PNG data");
  std::memcpy(out, reader->bytes + reader->offset, count);
  reader->offset += count;
}

void WriteToVector(png_structp png, png_bytep data, png_size_t count) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + count);
}

void FlushNothing(png_structp) {}

// Images larger than this are refused before any pixel memory is reserved.
constexpr png_uint_32 kMaxDimension = 16384;
// Deflate expands at most about 1032:1 and our transforms (1-bit palette to RGBA) at most 32:1,
// so a header claiming more pixels than that is a truncated or hostile file, refused before its
// pixel memory is reserved.
constexpr size_t kMaxExpansion = 1032 * 32;

}  // namespace

bool DecodePng(const uint8_t* bytes, size_t size, PngImage& image, std::string& error) {
  image = {};
  if (size < 8 || png_sig_cmp(bytes, 0, 8) != 0) {
    error = "not a PNG file";
    return false;
  }
  ErrorSink sink{&error};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &sink, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    error = "out of memory";
    return false;
  }
  MemoryReader reader{bytes, size, 0};
  // Locals touched after setjmp live in this struct so a longjmp cannot leave them stale.
  PngImage decoded;
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_set_user_limits(png, kMaxDimension, kMaxDimension);
  png_read_info(png, info);

  const int colorType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  if (bitDepth == 16) png_set_strip_16(png);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  decoded.width = static_cast<int>(png_get_image_width(png, info));
  decoded.height = static_cast<int>(png_get_image_height(png, info));
  decoded.channels = png_get_channels(png, info);
  if (decoded.channels != 3 && decoded.channels != 4) png_error(png, "unsupported channel layout");
  const size_t rowBytes = png_get_rowbytes(png, info);
  if (rowBytes * decoded.height / kMaxExpansion > size) png_error(png, "image larger than its data can hold");
  decoded.pixels.resize(rowBytes * decoded.height);
  rows.resize(decoded.height);
  for (int y = 0; y < decoded.height; ++y) rows[y] = decoded.pixels.data() + rowBytes * y;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  image = std::move(decoded);
  return true;
}

bool EncodePng(const PngImage& image, std::vector<uint8_t>& bytes, std::string& error) {
  bytes.clear();
  if (image.width <= 0 || image.height <= 0 || (image.channels != 3 && image.channels != 4) ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height * image.channels) {
    error = "image size and pixel buffer disagree";
    return false;
  }
  ErrorSink sink{&error};
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    error = "out of memory";
    return false;
  }
  std::vector<png_const_bytep> rows(image.height);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    bytes.clear();
    return false;
  }
  png_set_write_fn(png, &bytes, WriteToVector, FlushNothing);
  png_set_IHDR(png, info, image.width, image.height, 8,
               image.channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const size_t rowBytes = static_cast<size_t>(image.width) * image.channels;
  for (int y = 0; y < image.height; ++y) rows[y] = image.pixels.data() + rowBytes * y;
  png_write_rows(png, const_cast<png_bytepp>(rows.data()), image.height);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}
