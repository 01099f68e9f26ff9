#include "player/midi/sysex_messages.h"

#include <string>

#include "common/basic/text_rules.h"

namespace kirivane {

std::vector<std::uint8_t> GmResetMessage() {
  return {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
}

std::vector<std::uint8_t> GsResetMessage() {
  return {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7};
}

std::vector<std::uint8_t> XgResetMessage() {
  return {0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7};
}

std::uint8_t RolandChecksum(const std::uint8_t* first, const std::uint8_t* last) {
  int sum = 0;
  for (const std::uint8_t* byte = first; byte != last; ++byte) sum += *byte;
  return static_cast<std::uint8_t>((128 - sum % 128) % 128);
}

std::vector<std::uint8_t> ScaleTuningMessage(std::string_view text) {
  const std::vector<std::string> items = SplitKeepEmpty(text, " ");
  std::vector<std::uint8_t> message{0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x11, 0x40};
  for (std::size_t i = 0; i < 12; ++i) {
    std::int64_t value = 64;
    if (i < items.size()) value = RoundHalfEven(LeadingNumber(items[i]) + 64.0);
    message.push_back(static_cast<std::uint8_t>(value & 0x7F));
  }
  message.push_back(RolandChecksum(message.data() + 5, message.data() + message.size()));
  message.push_back(0xF7);
  return message;
}

bool TuningKeyAccepted(int character) {
  return (character >= '0' && character <= '9') || character == '.' || character == 8;
}

}  // namespace kirivane
