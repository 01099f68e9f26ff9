#pragma once

#include <jack/jack.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace kirivane {

// JACK's MIDI output ports (what a MIDI input can listen to), listed by a client of this
// program that notices when the server goes away: the port list a client sees after its server
// has died stays as it was, so a port would never be seen to go. After that the list stays
// empty. It does not connect again: a new client of a restarted server makes the JACK library
// clean up the clients left from the old one under the feet of their owners (RtMidi's, which
// then crash when closed), so a restarted server is seen at the program's next start.
class JackPortList {
 public:
  // `on_server_gone` is called on a JACK thread when the server goes away.
  JackPortList(std::string client_name, std::function<void()> on_server_gone);
  ~JackPortList();
  JackPortList(const JackPortList&) = delete;
  JackPortList& operator=(const JackPortList&) = delete;

  // Full port names ("client:port"); none without a server (the reason goes to `note`). Until
  // a server has been found it is looked for at every call.
  std::vector<std::string> MidiOutputs(std::string* note);

 private:
  static void OnShutdown(void* self);

  std::string client_name_;
  std::function<void()> on_server_gone_;
  jack_client_t* client_ = nullptr;
  std::atomic<bool> server_gone_{false};  // set on a JACK thread
};

}  // namespace kirivane
