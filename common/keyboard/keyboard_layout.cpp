#include "common/keyboard/keyboard_layout.h"

namespace kirivane {
namespace {

constexpr std::array<std::uint8_t, kKeys37> kTypes37 = {0, 3, 1, 3, 2, 0, 3, 1, 3, 2, 0, 3, 1,
                                                        3, 1, 3, 2, 0, 3, 1, 3, 2, 0, 3, 1, 3,
                                                        1, 3, 2, 0, 3, 1, 3, 2, 0, 3, 2};
constexpr std::array<std::int16_t, kKeys37> kX37 = {
    0,   12,  20,  32,  40,  60,  72,  80,  92,  100, 120, 132, 140, 152, 160, 172, 180, 200, 212,
    220, 232, 240, 260, 272, 280, 292, 300, 312, 320, 340, 352, 360, 372, 380, 400, 412, 420};

// One octave of the 128-key bar, C to B.
constexpr std::array<std::uint8_t, 12> kOctaveTypes = {0, 3, 1, 3, 2, 0, 3, 1, 3, 1, 3, 2};
constexpr std::array<std::int16_t, 12> kOctaveX = {0, 5, 8, 13, 16, 24, 29, 32, 37, 40, 45, 48};

// White keys of the large keyboard, left to right.
constexpr std::array<int, 22> kWhiteIndex37 = {0,  2,  4,  5,  7,  9,  10, 12, 14, 16, 17,
                                               19, 21, 22, 24, 26, 28, 29, 31, 33, 34, 36};
// Steps of the white notes of an octave.
constexpr std::array<int, 7> kWhiteSteps = {0, 2, 4, 5, 7, 9, 11};
// Upper zone of the 128-key bar: the first column of each step within an octave.
constexpr std::array<int, 12> kUpperZoneStart = {0, 5, 10, 13, 18, 24, 29, 34, 37, 42, 45, 50};

constexpr int kHighestNote = 127;

constexpr std::array<const char*, 12> kNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                "F#", "G",  "G#", "A",  "A#", "B"};

}  // namespace

int KeyType37(int index) {
  return kTypes37.at(static_cast<std::size_t>(index));
}
int KeyX37(int index) {
  return kX37.at(static_cast<std::size_t>(index));
}

int KeyType128(int note) {
  if (note == kHighestNote) return kWhiteBlackLeft;  // the top G has no G# after it
  return kOctaveTypes.at(static_cast<std::size_t>(note % 12));
}

int KeyX128(int note) {
  return kOctaveX.at(static_cast<std::size_t>(note % 12)) + 56 * (note / 12);
}

bool IsBlackKey(int key_type) {
  return key_type == kBlackKey;
}

int HitTestKey37(int x, int y) {
  if (y < 0 || x < 0 || x >= kLargeSurfaceWidth) return -1;
  if (y > kLargeBlackHeight) return kWhiteIndex37[static_cast<std::size_t>(x / kLargeWhiteWidth)];
  for (int index = 0; index < kKeys37; ++index) {
    if (!IsBlackKey(kTypes37[index])) continue;
    if (x >= kX37[index] && x < kX37[index] + kLargeBlackWidth) return index;
  }
  // Outside every black key: the white key under the column.
  return kWhiteIndex37[static_cast<std::size_t>(x / kLargeWhiteWidth)];
}

int HitTestKey128(int x, int y) {
  if (x < 0 || x >= kSmallSurfaceWidth) return -1;
  if (y >= kSmallBlackHeight) {
    const int white = x / kSmallWhiteWidth;
    return 12 * (white / 7) + kWhiteSteps[static_cast<std::size_t>(white % 7)];
  }
  const int octave = x / kSmallOctaveWidth;
  const int column = x % kSmallOctaveWidth;
  int step = 0;
  while (step < 11 && column >= kUpperZoneStart[static_cast<std::size_t>(step + 1)]) ++step;
  const int note = 12 * octave + step;
  // The last octave ends with G: its G owns the columns a G# would have.
  return note > kHighestNote ? kHighestNote : note;
}

std::string NoteNameText(int note, int c3_to_60) {
  return std::string(kNames[static_cast<std::size_t>(note % 12)]) +
         std::to_string(note / 12 - 1 - c3_to_60);
}

int CharacterCount(const std::string& text) {
  int count = 0;
  for (unsigned char byte : text) {
    if ((byte & 0xC0) != 0x80) ++count;
  }
  return count;
}

std::string KeyLabelText(const std::string& label) {
  int characters = 0;
  for (std::size_t i = 0; i < label.size(); ++i) {
    const auto byte = static_cast<unsigned char>(label[i]);
    if ((byte & 0xC0) != 0x80 && ++characters > 2) return label.substr(0, i);
  }
  return label;
}

}  // namespace kirivane
