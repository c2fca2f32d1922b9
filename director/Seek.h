// The seek keys' action: moves the music, and with it the whole show.
#pragma once

// Moves the music to (previous frame's demo time) x 1000 + offsetMs, truncated toward zero.
void SeekMusic(float offsetMs);

// The millisecond target of a seek from demoTime, truncated toward zero; values beyond the
// int range are held at its ends.
int SeekTarget(float demoTime, float offsetMs);
