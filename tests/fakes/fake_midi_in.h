#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "player/midi/midi_in.h"

namespace kirivane::testing {

// A MIDI input whose ports and messages the test provides. Receive queues a message as the
// device thread would; Deliver is the UI thread's wake-up that lets the listener drain.
class FakeMidiIn : public MidiIn {
 public:
  std::vector<std::string> PortNames() override { return ports; }
  bool Open(const std::string& port, std::string* error) override {
    Close();
    if (std::find(ports.begin(), ports.end(), port) == ports.end()) {
      if (error != nullptr) *error = "no port " + port;
      return false;
    }
    open_port = port;
    return true;
  }
  void Close() override {
    open_port.clear();
    pending.clear();
  }
  std::string OpenPort() const override { return open_port; }
  void SetListener(MidiInListener* new_listener) override { listener = new_listener; }
  MidiInBatch Drain() override {
    MidiInBatch batch;
    batch.messages.swap(pending);
    batch.lost = overflowed;
    overflowed = false;
    ++drains;
    return batch;
  }

  void Receive(std::initializer_list<std::uint8_t> bytes) {
    MidiInMessage message;
    std::copy(bytes.begin(), bytes.end(), message.bytes.begin());
    message.size = static_cast<std::uint8_t>(bytes.size());
    pending.push_back(message);
  }
  void Deliver() {
    if (listener != nullptr) listener->MidiInReady();
  }
  // Receive and deliver at once.
  void Play(std::initializer_list<std::uint8_t> bytes) {
    Receive(bytes);
    Deliver();
  }
  // The open port goes away, as the device reports it.
  void LosePort() {
    const std::string port = open_port;
    open_port.clear();
    ports.erase(std::remove(ports.begin(), ports.end(), port), ports.end());
    if (listener != nullptr) listener->MidiInPortLost(port);
  }

  std::vector<std::string> ports;
  std::string open_port;
  std::vector<MidiInMessage> pending;
  bool overflowed = false;
  int drains = 0;
  MidiInListener* listener = nullptr;
};

}  // namespace kirivane::testing
