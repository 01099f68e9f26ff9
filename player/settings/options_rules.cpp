#include "player/settings/options_rules.h"

#include <algorithm>
#include <charconv>

#include "common/basic/code_page.h"
#include "common/basic/text_rules.h"

namespace kirivane {

namespace {

constexpr int kVirtualKeyEnter = 13;
constexpr int kVirtualKeyF1 = 112;
constexpr int kLargestOffset = 63;
constexpr int kLargestSingleNumber = 64;

bool IsDigit(char32_t key) {
  return key >= '0' && key <= '9';
}

// A number written the short way: 7, -64, 7.5.
std::string NumberText(double value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value + 0.0).ptr;
  return std::string(buffer, end);
}

}  // namespace

NumberFieldRule RuleOf(NumberField field) {
  switch (field) {
    case NumberField::kDefVol:
      return {1, 127, 1, 127, false, 121, 255};
    case NumberField::kMouseVel:
      return {0, 63, 0, 63, false, std::nullopt, 258};
    case NumberField::kWheelBand:
      // A step up to 127 from the settings file is kept; typing stops at 32.
      return {1, 32, 1, 127, true, 8, 262};
    case NumberField::kMEndTime:
      return {0, 5000, 0, 5000, false, std::nullopt, 272};
  }
  return {};
}

KeyVerdict NumberFieldKey(char32_t key) {
  if (IsDigit(key) || key == kKeyBackspace) return KeyVerdict::kPass;
  if (key == kKeyEnter) return KeyVerdict::kSwallow;
  return KeyVerdict::kSwallowWithBeep;
}

std::optional<std::string> HeldWhileEditing(NumberField field, const std::string& text) {
  const NumberFieldRule rule = RuleOf(field);
  const double value = LeadingNumber(text);
  if (value < rule.edit_low) return std::to_string(rule.edit_low);
  if (value > rule.edit_high) return std::to_string(rule.edit_high);
  return std::nullopt;
}

int NumberFieldValue(NumberField field, const std::string& text) {
  const NumberFieldRule rule = RuleOf(field);
  const double number = LeadingNumber(text);
  const auto value = rule.ok_integer_part ? IntegerPart(number) : RoundHalfEven(number);
  if (value >= rule.ok_low && value <= rule.ok_high) return static_cast<int>(value);
  if (rule.ok_fallback) return *rule.ok_fallback;
  return value < rule.ok_low ? rule.ok_low : rule.ok_high;
}

KeyVerdict TextLimitKey(const std::string& text, char32_t key, std::size_t limit) {
  if (Cp932ByteLength(text) <= limit) return KeyVerdict::kPass;
  return key == kKeyBackspace ? KeyVerdict::kPassWithBeep : KeyVerdict::kSwallowWithBeep;
}

KeyVerdict ChordSourceKey(char32_t key) {
  if (IsDigit(key) || key == ',' || key == '-' || key == kKeyBackspace) return KeyVerdict::kPass;
  return KeyVerdict::kSwallow;
}

KeyVerdict ChordNameKey(const std::string& text, char32_t key) {
  if (key == kKeyBackspace) return KeyVerdict::kPass;
  if (key == kKeyEnter) return KeyVerdict::kSwallow;
  if (Cp932ByteLength(text) > kChordNameLimit) return KeyVerdict::kSwallowWithBeep;
  return KeyVerdict::kPass;
}

FocusStep FormKeyDown(int virtual_key, bool option_button_focused) {
  if (option_button_focused) return FocusStep::kNone;
  if (virtual_key == kVirtualKeyEnter) return FocusStep::kNext;
  if (virtual_key == kVirtualKeyF1) return FocusStep::kPrevious;
  return FocusStep::kNone;
}

std::string StoredChordSource(const std::string& source) {
  const auto elements = SplitKeepEmpty(source.empty() ? "0" : source, ",");
  if (elements.size() == 1) {
    const double value = LeadingNumber(elements[0]);
    return value >= -kLargestSingleNumber && value <= kLargestSingleNumber ? NumberText(value)
                                                                           : "0";
  }
  std::string stored;
  for (const auto& element : elements) {
    if (element.empty()) continue;
    const auto value = LeadingInteger(element);
    if (value < -kLargestOffset || value > kLargestOffset) continue;
    if (!stored.empty()) stored += ',';
    stored += std::to_string(value);
  }
  return stored;
}

ChannelChoice ChooseChannel(int index) {
  if (index == kPercussionChannelIndex) return {kPercussionChannelIndex + 1, true};
  return {index, false};
}

int ChannelOfIndex(int index) {
  const int channel = index + 1;
  return channel >= 1 && channel <= 16 && channel != 10 ? channel : 1;
}

ChannelBoxes ChannelBoxesOf(const std::string& list) {
  ChannelBoxes boxes{};
  for (const auto& element : SplitKeepEmpty(list, ",")) {
    const auto channel = LeadingInteger(element);
    if (channel >= 1 && channel <= 16) boxes[static_cast<std::size_t>(channel - 1)] = true;
  }
  return boxes;
}

std::string ChannelListOf(const ChannelBoxes& boxes) {
  std::string list;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (!boxes[i]) continue;
    if (!list.empty()) list += ',';
    list += std::to_string(i + 1);
  }
  return list;
}

std::string FolderFieldText(const std::string& folder) {
  if (!folder.empty() && folder.back() == '/') return folder;
  return folder + "/";
}

}  // namespace kirivane
