#include "platform/midi/rtmidi_ports.h"

#include <cstdlib>

#include "platform/midi/quiet_libraries.h"

namespace kirivane {

RtMidiPorts::RtMidiPorts(std::string client_name) : client_name_(std::move(client_name)) {}

RtMidiPorts::~RtMidiPorts() {
  Close();
}

void RtMidiPorts::OnError(RtMidiError::Type, const std::string& text, void* self) {
  static_cast<RtMidiPorts*>(self)->last_error_ = text;
}

std::unique_ptr<RtMidiOut> RtMidiPorts::Connect(RtMidi::Api api, const char* label) {
  try {
    const QuietCerr quiet;
    auto out = std::make_unique<RtMidiOut>(api, client_name_);
    out->setErrorCallback(&RtMidiPorts::OnError, this);
    return out;
  } catch (const RtMidiError& error) {
    // The ALSA API throws here when there is no sequencer device.
    if (!notes_.empty()) notes_ += "\n";
    notes_ += std::string(label) + ": " + error.getMessage();
  }
  return nullptr;
}

void RtMidiPorts::AddPorts(RtMidiOut* api) {
  if (api == nullptr) return;
  const unsigned count = api->getPortCount();
  for (unsigned number = 0; number < count; ++number) {
    std::string name = api->getPortName(number);
    if (name.empty()) continue;
    ports_.push_back({api, number});
    names_.push_back(std::move(name));
  }
}

std::vector<std::string> RtMidiPorts::Refresh(bool jack_running) {
  notes_.clear();
  // Without this the JACK client library would try to start a server of its own.
  setenv("JACK_NO_START_SERVER", "1", 0);
  if (!alsa_ && open_ == nullptr) alsa_ = Connect(RtMidi::LINUX_ALSA, "ALSA");
  if (!jack_ && open_ == nullptr && jack_running) jack_ = Connect(RtMidi::UNIX_JACK, "JACK");
  ports_.clear();
  names_.clear();
  AddPorts(alsa_.get());
  AddPorts(jack_.get());
  return names_;
}

bool RtMidiPorts::Open(std::size_t index, std::string* error) {
  Close();
  if (index >= ports_.size()) {
    if (error) *error = "There is no MIDI output port number " + std::to_string(index);
    return false;
  }
  const Port& port = ports_[index];
  last_error_.clear();
  port.api->openPort(port.number, client_name_ + " output");
  if (!port.api->isPortOpen()) {
    if (error) {
      *error = last_error_.empty() ? "The MIDI output port " + names_[index] + " cannot be opened"
                                   : last_error_;
    }
    return false;
  }
  open_ = port.api;
  return true;
}

void RtMidiPorts::Send(const std::uint8_t* bytes, std::size_t length) {
  if (open_ == nullptr || length == 0) return;
  open_->sendMessage(bytes, length);
}

void RtMidiPorts::Close() {
  if (open_ != nullptr) open_->closePort();
  open_ = nullptr;
}

}  // namespace kirivane
