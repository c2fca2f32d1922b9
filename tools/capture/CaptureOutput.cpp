// Output paths are checked before the slow start-up, so a refusal costs nothing.
#include "tools/capture/CaptureOutput.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "tools/capture/SequenceFrames.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> OutputFiles(const CaptureOptions& o) {
  std::vector<std::string> files;
  if (o.form == CaptureForm::frames) {
    for (const int ms : o.framesMs) files.push_back(FramePngPath(o.outDir, ms));
  } else if (o.form == CaptureForm::pngSequence) {
    const int64_t count = SequenceFrameCount(o);
    for (int64_t k = 0; k < count; ++k) files.push_back(SequencePngPath(o.outDir, k));
  } else {
    files.push_back(o.outFile);
  }
  return files;
}

bool MakeFolder(const fs::path& folder, std::string& error) {
  if (folder.empty()) return true;
  std::error_code made;
  fs::create_directories(folder, made);
  if (!made) return true;
  error = "cannot create " + folder.string() + ": " + made.message();
  return false;
}

}  // namespace

std::string FramePngPath(const std::string& dir, int ms) {
  return (fs::path(dir) / (std::to_string(ms) + ".png")).string();
}

std::string SequencePngPath(const std::string& dir, int64_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "%06lld.png", static_cast<long long>(index));
  return (fs::path(dir) / name).string();
}

bool PrepareOutputs(const CaptureOptions& options, std::string& error) {
  for (const std::string& file : OutputFiles(options)) {
    std::error_code status;
    const fs::file_status what = fs::status(file, status);
    if (fs::is_directory(what)) {
      error = file + " is a folder";
      return false;
    }
    if (fs::exists(what) && !options.force) {
      error = file + " exists already (--force replaces it)";
      return false;
    }
  }
  const bool intoFolder = options.form == CaptureForm::frames || options.form == CaptureForm::pngSequence;
  return MakeFolder(intoFolder ? fs::path(options.outDir) : fs::path(options.outFile).parent_path(), error);
}
