#pragma once

#include <iostream>
#include <streambuf>

namespace kirivane {

// Keeps the sound libraries' own messages off stderr: ALSA's and JACK's (set once, for the
// whole process, before any device is opened). A start on a machine without a sequencer, a
// sound card or a JACK server is not an error; the player says itself when a device the user
// chose cannot be opened.
void QuietSoundLibraries();

// True when a JACK server answers. Asks it with a client of its own that is closed again; never
// starts a server.
bool JackServerRunning();

// While it lives, std::cerr writes nowhere: RtMidi prints its complaints there (before it
// throws, or as warnings) and offers no way to catch them before its objects exist.
class QuietCerr {
 public:
  QuietCerr() : previous_(std::cerr.rdbuf(nullptr)) {}
  ~QuietCerr() {
    std::cerr.rdbuf(previous_);
    std::cerr.clear();
  }
  QuietCerr(const QuietCerr&) = delete;
  QuietCerr& operator=(const QuietCerr&) = delete;

 private:
  std::streambuf* previous_;
};

}  // namespace kirivane
