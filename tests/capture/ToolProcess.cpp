// fork and exec rather than system(), so a test can signal the tool while it runs.
#include "ToolProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/FileBytes.h"

namespace {

std::filesystem::path ScratchRoot() {
  return std::filesystem::temp_directory_path() / ("vex-capture-" + std::to_string(getpid()));
}

// The scratch folders go when the test process ends.
class ScratchCleanup : public ::testing::Environment {
 public:
  void TearDown() override { std::filesystem::remove_all(ScratchRoot()); }
};
[[maybe_unused]] ::testing::Environment* const cleanup = ::testing::AddGlobalTestEnvironment(new ScratchCleanup);

}  // namespace

pid_t StartTool(const std::vector<std::string>& args, const std::string& stderrPath) {
  std::vector<std::string> argv = {"./vexilograph-capture"};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> pointers;
  for (std::string& arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int err = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(err, STDERR_FILENO);
    execv(pointers[0], pointers.data());
    _exit(127);
  }
  return pid;
}

int WaitTool(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

int RunTool(const std::vector<std::string>& args, std::string& errorText) {
  const std::string path = ScratchFolder("stderr") + "/stderr.txt";
  const int status = WaitTool(StartTool(args, path));
  errorText = ReadText(path);
  return status;
}

std::string CommandOutput(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  pclose(pipe);
  return out;
}

std::string ProbeStream(const std::string& file, const std::string& stream, const std::string& key) {
  const std::string text = CommandOutput("ffprobe -v error -count_frames -select_streams " + stream +
                                         " -show_entries stream=" + key + " -of default=nw=1:nk=1 '" + file + "'");
  return text.substr(0, text.find('\n'));
}

std::vector<std::string> DecodedFrameHashes(const std::string& file, const std::string& stream) {
  std::istringstream lines(CommandOutput("ffmpeg -v error -i '" + file + "' -map 0:" + stream + " -f framemd5 -"));
  std::vector<std::string> hashes;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line[0] != '#') hashes.push_back(line.substr(line.rfind(',') + 1));
  }
  return hashes;
}

std::string ScratchFolder(const std::string& name) {
  const std::filesystem::path folder = ScratchRoot() / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

PngImage LoadPng(const std::string& path) {
  std::vector<uint8_t> bytes;
  PngImage image;
  std::string error;
  EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
  EXPECT_TRUE(DecodePng(bytes.data(), bytes.size(), image, error)) << path << ": " << error;
  return image;
}
