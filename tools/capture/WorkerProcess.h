// Worker processes that are this tool run again with other arguments, each handing its results
// back through a pipe on its standard output.
#pragma once
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

struct WorkerProcess {
  pid_t pid = -1;
  int fd = -1;  // the read end of what it writes
};

// The path of the running executable, to start workers from; empty if it cannot be found.
std::string OwnExecutablePath();
// Starts selfPath with args, its standard output a pipe read through worker.fd, asked for room
// for most of an 800 x 600 frame so that the worker draws on while its last frame is read.
bool StartWorkerProcess(const std::string& selfPath, const std::vector<std::string>& args, WorkerProcess& worker);
// Closes the pipe and waits; true when the worker exited with status 0.
bool FinishWorkerProcess(WorkerProcess& worker);
// In a worker: the real standard output for its results, and stdout sent to stderr so that
// anything else it prints cannot mix into them.
int TakeResultsOutput();

// Whole writes and reads on a pipe; false on an error or (reading) the end of the stream.
bool WriteAll(int fd, const void* data, size_t size);
bool ReadAll(int fd, void* data, size_t size);
