// The browser's sound output beyond the shared interface: a clock the page's test hook holds.
#pragma once

// While held, the music position is wherever MusicSetTime put it last and the sound keeps
// playing from where it was; the frames at fixed times of the page's test hook use it.
void HoldWebAudioClock(bool held);
