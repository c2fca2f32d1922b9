// The endings that come from outside the program: a termination signal, or the display server
// going away (logout, a dropped remote session, the server killed).
#pragma once

// SIGINT, SIGTERM and SIGHUP end the process with status 128 + the signal's number, at once,
// from any stage. A signal that was ignored when the program started (nohup) stays ignored.
void InstallSignalEndings();


// A lost display connection ends the process with one line on stderr and status 1, without
// touching the dead connection again (Xlib's own handler calls exit, and the clean-up that then
// runs would talk to the dead connection and spin inside Xlib).
void InstallDisplayLossEnding();
// Also notices the loss while the program makes no display calls (start-up loading its data):
// a thread waits for the connection's socket to hang up.
void WatchDisplayConnection(int socket);
// The normal endings close the connection themselves; that is not a loss.
void NoteDisplayClosing();
