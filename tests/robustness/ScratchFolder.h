// A temporary working folder for tests that break data files: optionally a copy of the build's
// data/, never the build's own files. The working directory is restored on destruction.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class ScratchFolder {
 public:
  // copyData: start from a copy of ./data (the test runs from the build folder); otherwise empty.
  ScratchFolder(const std::string& name, bool copyData);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

 private:
  std::filesystem::path home_;
  std::filesystem::path folder_;
};

// Whole-file helpers that fail the calling test when the file system refuses.
std::vector<uint8_t> ReadAll(const std::filesystem::path& path);
void WriteAll(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::filesystem::path& path, const std::string& text);
