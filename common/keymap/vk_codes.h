#pragma once

namespace kirivane {

// Windows virtual-key codes: the key codes of key maps and of the key handlers.
namespace vk {
inline constexpr int kBack = 8;
inline constexpr int kTab = 9;
inline constexpr int kClear = 12;
inline constexpr int kReturn = 13;
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kMenu = 18;  // Alt
inline constexpr int kPause = 19;
inline constexpr int kCapital = 20;
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kPrior = 33;  // Page Up
inline constexpr int kNext = 34;   // Page Down
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kSnapshot = 44;
inline constexpr int kInsert = 45;
inline constexpr int kDelete = 46;
inline constexpr int k0 = 48;  // '0'..'9' are 48..57, 'A'..'Z' are 65..90
inline constexpr int kA = 65;
inline constexpr int kLWin = 91;
inline constexpr int kRWin = 92;
inline constexpr int kApps = 93;
inline constexpr int kNumpad0 = 96;  // keypad 0..9 are 96..105
inline constexpr int kMultiply = 106;
inline constexpr int kAdd = 107;
inline constexpr int kSeparator = 108;
inline constexpr int kSubtract = 109;
inline constexpr int kDecimal = 110;
inline constexpr int kDivide = 111;
inline constexpr int kF1 = 112;  // F1..F24 are 112..135
inline constexpr int kNumLock = 144;
inline constexpr int kScroll = 145;
inline constexpr int kOem1 = 186;       // ;:
inline constexpr int kOemPlus = 187;    // =+
inline constexpr int kOemComma = 188;   // ,<
inline constexpr int kOemMinus = 189;   // -_
inline constexpr int kOemPeriod = 190;  // .>
inline constexpr int kOem2 = 191;       // /?
inline constexpr int kOem3 = 192;       // `~
inline constexpr int kOem4 = 219;       // [{
inline constexpr int kOem5 = 220;       // \|
inline constexpr int kOem6 = 221;       // ]}
inline constexpr int kOem7 = 222;       // '"
inline constexpr int kOem102 = 226;     // the extra key beside the left Shift

constexpr int F(int n) {
  return kF1 + n - 1;
}
constexpr int Numpad(int digit) {
  return kNumpad0 + digit;
}
}  // namespace vk

// Modifier mask of the key handlers' Shift argument.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// A key as the key handlers see it: the virtual-key code, and whether it is the right Shift key
// (which shares code 16 with the left one but never plays).
struct VirtualKey {
  int code = 0;  // 0 = a key without a code
  bool right_shift = false;
  bool operator==(const VirtualKey&) const = default;
};

}  // namespace kirivane
