#include "platform/midi/jack_port_list.h"

#include <cstdlib>

namespace kirivane {

JackPortList::JackPortList(std::string client_name, std::function<void()> on_server_gone)
    : client_name_(std::move(client_name)), on_server_gone_(std::move(on_server_gone)) {}

JackPortList::~JackPortList() {
  if (client_ == nullptr) return;
  if (!server_gone_.load()) jack_deactivate(client_);
  jack_client_close(client_);
}

void JackPortList::OnShutdown(void* self_pointer) {
  auto* self = static_cast<JackPortList*>(self_pointer);
  self->server_gone_.store(true);
  if (self->on_server_gone_) self->on_server_gone_();
}

std::vector<std::string> JackPortList::MidiOutputs(std::string* note) {
  if (server_gone_.load()) {
    if (note != nullptr) *note = "JACK: the server went away";
    return {};
  }
  if (client_ == nullptr) {
    // Without this the JACK client library would try to start a server of its own.
    setenv("JACK_NO_START_SERVER", "1", 0);
    jack_status_t status;
    client_ = jack_client_open(client_name_.c_str(), JackNoStartServer, &status);
    if (client_ == nullptr) {
      if (note != nullptr) *note = "JACK: no server is running";
      return {};
    }
    jack_on_shutdown(client_, &JackPortList::OnShutdown, this);
    jack_activate(client_);
  }
  std::vector<std::string> names;
  const char** ports = jack_get_ports(client_, nullptr, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput);
  if (ports == nullptr) return names;
  for (const char** port = ports; *port != nullptr; ++port) names.emplace_back(*port);
  jack_free(ports);
  return names;
}

}  // namespace kirivane
