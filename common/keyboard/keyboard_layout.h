#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kirivane {

// Key sources of the on-screen keyboard: who pressed or released a drawn key.
inline constexpr int kKeySourceMouse = 0;
inline constexpr int kKeySourceKeys = 1;
inline constexpr int kKeySourcePlayback = 2;
inline constexpr int kKeySourceMidiIn = 3;  // a MIDI keyboard or other source on the MIDI input

// Key types: which sides of a white key a black key overlaps; 3 is a black key.
inline constexpr int kWhiteBlackRight = 0;  // C, F and the leftmost key
inline constexpr int kWhiteBlackBoth = 1;   // D, G, A
inline constexpr int kWhiteBlackLeft = 2;   // E, B and the rightmost key
inline constexpr int kBlackKey = 3;

// DownState values.
inline constexpr int kShownReleased = 0;
inline constexpr int kShownByUser = 1;
inline constexpr int kShownByPlayback = 2;
inline constexpr int kShownByMidiIn = 3;

// One drawn key and who shows it pressed.
struct KeySlot {
  std::uint8_t DownState = kShownReleased;
  std::uint8_t KeyType = 0;
  std::int16_t PressSource = 0;
  std::string Label;  // at most two characters, 37-key view only
  std::int16_t X = 0;
};

inline constexpr int kKeys37 = 37;
inline constexpr int kKeys128Slots = 129;  // slot 128 is never filled or drawn

// Geometry of the large keyboard (three octaves from G to G) and the 128-key bar.
inline constexpr int kLargeWhiteWidth = 20;
inline constexpr int kLargeWhiteHeight = 120;
inline constexpr int kLargeBlackWidth = 15;
inline constexpr int kLargeBlackHeight = 64;
inline constexpr int kLargeSurfaceWidth = 440;
inline constexpr int kSmallWhiteWidth = 8;
inline constexpr int kSmallWhiteHeight = 25;
inline constexpr int kSmallBlackWidth = 5;
inline constexpr int kSmallBlackHeight = 14;
inline constexpr int kSmallSurfaceWidth = 600;
inline constexpr int kSmallOctaveWidth = 56;

// Large-keyboard index of the C that the current octave's home note lies on.
inline constexpr int kHomeCIndex = 5;

int KeyType37(int index);  // 0..36
int KeyX37(int index);
int KeyType128(int note);  // 0..127
int KeyX128(int note);

bool IsBlackKey(int key_type);

// Mouse position to key: the 37-key index or MIDI note, -1 for no key.
int HitTestKey37(int x, int y);
int HitTestKey128(int x, int y);

// "C4" for note 60, or "C3" when c3_to_60 is 1.
std::string NoteNameText(int note, int c3_to_60);

// The first two characters (UTF-8 code points) of a key map label.
std::string KeyLabelText(const std::string& label);
// Number of UTF-8 code points.
int CharacterCount(const std::string& text);

}  // namespace kirivane
