#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kirivane {

// One channel message from a MIDI input port as it came, status byte first. System messages
// (system exclusive, clock, active sensing) do not come through.
struct MidiInMessage {
  std::array<std::uint8_t, 3> bytes{};
  std::uint8_t size = 0;
};

// What arrived since the last drain.
struct MidiInBatch {
  std::vector<MidiInMessage> messages;  // oldest first
  bool lost = false;                    // messages were dropped: the hand-over queue was full
};

// What a MIDI input tells its user. Always called on the UI thread, never from the thread the
// device delivers its messages on.
class MidiInListener {
 public:
  virtual ~MidiInListener() = default;
  // Messages are waiting: MidiIn::Drain takes them.
  virtual void MidiInReady() {}
  // The open port went away. The input no longer receives; what it received before is still
  // there to drain. Reported once per port.
  virtual void MidiInPortLost(const std::string& /*port*/) {}
};

// The MIDI input ports of the machine (a MIDI keyboard, or a program's output port), listed and
// opened by the port's full name. Messages are handed to the UI thread and taken from there.
class MidiIn {
 public:
  virtual ~MidiIn() = default;

  // Full names of the ports that can be opened now.
  virtual std::vector<std::string> PortNames() = 0;
  // Opens the port of that name, closing any open one first. False, with the reason in error,
  // when there is no such port or it cannot be opened.
  virtual bool Open(const std::string& port, std::string* error) = 0;
  // Stops receiving; messages not yet drained are dropped.
  virtual void Close() = 0;
  // Full name of the open port, "" when none is open.
  virtual std::string OpenPort() const = 0;
  virtual void SetListener(MidiInListener* listener) = 0;
  // Takes every message received since the last call.
  virtual MidiInBatch Drain() = 0;
};

}  // namespace kirivane
