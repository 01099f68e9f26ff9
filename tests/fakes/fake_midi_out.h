#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "player/midi/midi_out.h"

namespace kirivane::testing {

// Records every message sent, as bytes, so tests compare exact output.
class FakeMidiOut : public MidiOut {
 public:
  std::vector<std::string> DeviceNames() override { return device_names; }
  int Open(int device_id) override;
  bool IsOpen() const override { return open; }
  void SendShort(std::uint32_t packed) override;
  void SendLong(const std::vector<std::uint8_t>& bytes) override;
  void Reset() override {
    ++resets;
    reset_at.push_back(messages.size());
  }
  void Close() override {
    open = false;
    ++closes;
  }
  std::string ErrorText(int error_code) override;

  // Short messages as 3 bytes each (status, data1, data2), in order.
  std::vector<std::vector<std::uint8_t>> ShortMessages() const;
  // Every message in order as upper-case hex bytes separated by spaces ("90 3C 79").
  std::vector<std::string> Hex() const;
  // Every message in order: short ones as three bytes, long ones as sent.
  std::vector<std::vector<std::uint8_t>> messages;
  std::vector<std::uint32_t> packed;
  std::vector<std::string> device_names{"Built-in synthesizer"};
  bool open = false;
  int opened_id = -2;
  int open_error = 0;  // returned by Open when non-zero
  int resets = 0;
  std::vector<std::size_t> reset_at;  // number of messages sent before each Reset
  int closes = 0;
  void Clear() {
    messages.clear();
    packed.clear();
  }
};

}  // namespace kirivane::testing
