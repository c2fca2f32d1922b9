// Scratch folders under the system's temporary directory, one per test process.
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/FileBytes.h"

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const std::string& name, bool copyData)
    : home_(fs::current_path()),
      folder_(fs::temp_directory_path() / (name + "-" + std::to_string(getpid()))) {
  fs::remove_all(folder_);
  fs::create_directories(folder_);
  if (copyData) fs::copy(home_ / "data", folder_ / "data", fs::copy_options::recursive);
  fs::current_path(folder_);
}

ScratchFolder::~ScratchFolder() {
  fs::current_path(home_);
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadFileBytes(path.string(), bytes)) << path;
  return bytes;
}

void WriteAll(const fs::path& path, const std::vector<uint8_t>& bytes) {
  EXPECT_TRUE(WriteFileBytes(path.string(), bytes)) << path;
}

void WriteText(const fs::path& path, const std::string& text) {
  WriteAll(path, std::vector<uint8_t>(text.begin(), text.end()));
}
