#include "platform/midi/quiet_libraries.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>

#include <cstdlib>

namespace kirivane {

namespace {

void IgnoreJackMessage(const char*) {}

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void QuietSoundLibraries() {
  jack_set_error_function(&IgnoreJackMessage);
  jack_set_info_function(&IgnoreJackMessage);
  snd_lib_error_set_handler(&IgnoreAlsaMessage);
}

bool JackServerRunning() {
  // Without this the JACK client library would try to start a server of its own.
  setenv("JACK_NO_START_SERVER", "1", 0);
  jack_status_t status;
  jack_client_t* client = jack_client_open("Kirivane probe", JackNoStartServer, &status);
  if (client == nullptr) return false;
  jack_client_close(client);
  return true;
}

}  // namespace kirivane
