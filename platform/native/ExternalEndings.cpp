// Termination signals and display loss: both end the process promptly with a telling status.
#include "platform/ExternalEndings.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace {

constexpr int kDisplayLostStatus = 1;
constexpr char kDisplayLostLine[] = "vexilograph: lost the connection to the display server\n";
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<bool> displayClosing{false};
std::atomic<bool> displayLossReported{false};
bool watching = false;

// Nothing needs putting back (the display's mode is never changed), so the end is immediate.
void OnEndingSignal(int signalNumber) { _exit(128 + signalNumber); }

// Called from Xlib on the thread that found the loss, or from the watch thread; whichever comes
// second waits for the first to end the process, so the line is written once.
[[noreturn]] void EndForLostDisplay() {
  if (!displayLossReported.exchange(true)) {
    const ssize_t written = write(STDERR_FILENO, kDisplayLostLine, sizeof kDisplayLostLine - 1);
    (void)written;
    _exit(kDisplayLostStatus);
  }
  for (;;) pause();
}

int OnDisplayIoError(Display*) { EndForLostDisplay(); }

void WatchForHangUp(int socket) {
  pollfd watched = {socket, POLLRDHUP, 0};
  for (;;) {
    // POLLHUP and POLLERR are always reported; nothing is read, so Xlib's stream is untouched.
    if (poll(&watched, 1, -1) < 0) continue;
    if (displayClosing.load()) return;
    if (watched.revents & (POLLHUP | POLLRDHUP | POLLERR)) EndForLostDisplay();
    if (watched.revents & POLLNVAL) return;
  }
}

}  // namespace

void InstallSignalEndings() {
  for (int signalNumber : kEndingSignals) {
    struct sigaction current = {};
    sigaction(signalNumber, nullptr, &current);
    if (current.sa_handler == SIG_IGN) continue;
    struct sigaction ending = {};
    ending.sa_handler = OnEndingSignal;
    ending.sa_flags = SA_RESTART;
    sigemptyset(&ending.sa_mask);
    sigaction(signalNumber, &ending, nullptr);
  }
}


void InstallDisplayLossEnding() { XSetIOErrorHandler(OnDisplayIoError); }

void WatchDisplayConnection(int socket) {
  if (watching || socket < 0) return;
  watching = true;
  std::thread(WatchForHangUp, socket).detach();
}

void NoteDisplayClosing() { displayClosing.store(true); }
