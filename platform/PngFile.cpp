#include "platform/PngFile.h"

#include <cstdint>
#include <vector>

#include "platform/FileBytes.h"

bool WritePngFile(const std::string& path, const PngImage& image, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!EncodePng(image, bytes, error)) return false;
  if (!WriteFileBytes(path, bytes)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
