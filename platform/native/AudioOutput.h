// The one SDL audio device the show plays through: opened with a period each backend runs at
// about 20 ms, watched from a thread of its own and reopened about once a second after it is
// lost (SDL marks it removed, or it takes no samples for two seconds), so the frame loop never
// waits on a sound server. The device is never paused: a paused stream hands it silence, so a
// device that stops asking for samples is always a lost one.
#pragma once
#include <mutex>

// What the device plays. Fill runs on the audio thread with OutputMutex held.
class OutputClient {
 public:
  virtual void Fill(float* stereo, int frames, double now) = 0;

 protected:
  ~OutputClient() = default;
};

// Opens the default output (SDL_AUDIODRIVER may pick the backend) and starts its watch; false
// when no device opens now. A second call while open (or being reopened) does nothing.
bool OpenOutput(int mixRate);
// Stops the watch and closes the device; also run at exit, before SDL shuts down.
void CloseOutput();

// Guards the client and everything its Fill reads or writes.
std::mutex& OutputMutex();
// OutputMutex held. The client the device plays from now on (nullptr: silence).
void SetOutputClient(OutputClient* client);
OutputClient* CurrentOutputClient();
// OutputMutex held. True while a device is open and has taken samples within a few of its
// periods; otherwise the clock has to run on without it.
bool OutputTakingSamples(double now);
