#include "fakes/fake_midi_out.h"

namespace kirivane::testing {

int FakeMidiOut::Open(int device_id) {
  opened_id = device_id;
  open = open_error == 0;
  return open_error;
}

void FakeMidiOut::SendShort(std::uint32_t value) {
  packed.push_back(value);
  messages.push_back({static_cast<std::uint8_t>(value & 0xFF),
                      static_cast<std::uint8_t>((value >> 8) & 0xFF),
                      static_cast<std::uint8_t>((value >> 16) & 0xFF)});
}

void FakeMidiOut::SendLong(const std::vector<std::uint8_t>& bytes) {
  messages.push_back(bytes);
}

std::string FakeMidiOut::ErrorText(int error_code) {
  return "fake error " + std::to_string(error_code);
}

std::vector<std::vector<std::uint8_t>> FakeMidiOut::ShortMessages() const {
  std::vector<std::vector<std::uint8_t>> out;
  for (auto value : packed) {
    out.push_back({static_cast<std::uint8_t>(value & 0xFF),
                   static_cast<std::uint8_t>((value >> 8) & 0xFF),
                   static_cast<std::uint8_t>((value >> 16) & 0xFF)});
  }
  return out;
}

std::vector<std::string> FakeMidiOut::Hex() const {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::vector<std::string> out;
  for (const auto& message : messages) {
    std::string line;
    for (auto byte : message) {
      if (!line.empty()) line += ' ';
      line += kDigits[byte >> 4];
      line += kDigits[byte & 0x0F];
    }
    out.push_back(line);
  }
  return out;
}

}  // namespace kirivane::testing
