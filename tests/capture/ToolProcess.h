// Runs the real capture tool from the build folder and reads its results back.
#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

#include "platform/PngImage.h"

// Starts ./vexilograph-capture with args, its stderr going to stderrPath; returns the pid.
pid_t StartTool(const std::vector<std::string>& args, const std::string& stderrPath);
// Waits for it; the exit status, or 128 + the signal that ended it.
int WaitTool(pid_t pid);
// Start and wait; stderr text in errorText.
int RunTool(const std::vector<std::string>& args, std::string& errorText);

// stdout of a shell command (ffprobe, ffmpeg), empty if it could not run.
std::string CommandOutput(const std::string& command);
// ffprobe's "key=value" for one stream ("v:0", "a:0") of a file, decoding to count frames.
std::string ProbeStream(const std::string& file, const std::string& stream, const std::string& key);
// One MD5 per decoded frame of the stream, as ffmpeg's framemd5 muxer prints them.
std::vector<std::string> DecodedFrameHashes(const std::string& file, const std::string& stream);

// A fresh, empty folder under the system's temporary folder.
std::string ScratchFolder(const std::string& name);
std::string ReadText(const std::string& path);
// A PNG the tool wrote, decoded; a failure to read or decode fails the test.
PngImage LoadPng(const std::string& path);
