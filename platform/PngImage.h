// PNG decoding and encoding on libpng, bytes in and bytes out; file I/O stays with the caller.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// 8-bit pixels, top row first. channels is 3 (RGB) or 4 (RGBA).
struct PngImage {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<uint8_t> pixels;
};

// Decodes any PNG to 8-bit RGB, or RGBA where the file has alpha (a tRNS chunk counts as alpha).
// Palette, grey and 16-bit files are expanded. On failure returns false with a message and
// leaves image empty; libpng's errors never escape.
bool DecodePng(const uint8_t* bytes, size_t size, PngImage& image, std::string& error);

// Encodes RGB or RGBA 8-bit pixels. Deterministic: the same image gives the same bytes.
bool EncodePng(const PngImage& image, std::vector<uint8_t>& bytes, std::string& error);
