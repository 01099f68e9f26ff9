#include "common/keymap/vk_table.h"

#include <array>

namespace kirivane {

namespace {

struct CodePair {
  std::uint32_t from;
  int code;
};

// Printable ASCII keysyms that are not letters or digits, with the key of a US layout that
// types them (shifted or not).
constexpr std::array<CodePair, 33> kUsSymbols{{
    {' ', vk::kSpace},    {'!', '1'},           {'"', vk::kOem7},
    {'#', '3'},           {'$', '4'},           {'%', '5'},
    {'&', '7'},           {'\'', vk::kOem7},    {'(', '9'},
    {')', '0'},           {'*', '8'},           {'+', vk::kOemPlus},
    {',', vk::kOemComma}, {'-', vk::kOemMinus}, {'.', vk::kOemPeriod},
    {'/', vk::kOem2},     {':', vk::kOem1},     {';', vk::kOem1},
    {'<', vk::kOemComma}, {'=', vk::kOemPlus},  {'>', vk::kOemPeriod},
    {'?', vk::kOem2},     {'@', '2'},           {'[', vk::kOem4},
    {'\\', vk::kOem5},    {']', vk::kOem6},     {'^', '6'},
    {'_', vk::kOemMinus}, {'`', vk::kOem3},     {'{', vk::kOem4},
    {'|', vk::kOem5},     {'}', vk::kOem6},     {'~', vk::kOem3},
}};

// Function, keypad, editing and modifier keysyms (0xFExx and 0xFFxx).
constexpr std::array<CodePair, 64> kSpecialKeysyms{{
    {0xff08, vk::kBack},      {0xff09, vk::kTab},       {0xfe20, vk::kTab},
    {0xff0d, vk::kReturn},    {0xff13, vk::kPause},     {0xff14, vk::kScroll},
    {0xff1b, vk::kEscape},    {0xff50, vk::kHome},      {0xff51, vk::kLeft},
    {0xff52, vk::kUp},        {0xff53, vk::kRight},     {0xff54, vk::kDown},
    {0xff55, vk::kPrior},     {0xff56, vk::kNext},      {0xff57, vk::kEnd},
    {0xff61, vk::kSnapshot},  {0xff63, vk::kInsert},    {0xff67, vk::kApps},
    {0xff7f, vk::kNumLock},   {0xff80, vk::kSpace},     {0xff8d, vk::kReturn},
    {0xff95, vk::kHome},      {0xff96, vk::kLeft},      {0xff97, vk::kUp},
    {0xff98, vk::kRight},     {0xff99, vk::kDown},      {0xff9a, vk::kPrior},
    {0xff9b, vk::kNext},      {0xff9c, vk::kEnd},       {0xff9d, vk::kClear},
    {0xff9e, vk::kInsert},    {0xff9f, vk::kDelete},    {0xffaa, vk::kMultiply},
    {0xffab, vk::kAdd},       {0xffac, vk::kSeparator}, {0xffad, vk::kSubtract},
    {0xffae, vk::kDecimal},   {0xffaf, vk::kDivide},    {0xffb0, vk::Numpad(0)},
    {0xffb1, vk::Numpad(1)},  {0xffb2, vk::Numpad(2)},  {0xffb3, vk::Numpad(3)},
    {0xffb4, vk::Numpad(4)},  {0xffb5, vk::Numpad(5)},  {0xffb6, vk::Numpad(6)},
    {0xffb7, vk::Numpad(7)},  {0xffb8, vk::Numpad(8)},  {0xffb9, vk::Numpad(9)},
    {0xffe1, vk::kShift},     {0xffe3, vk::kControl},   {0xffe4, vk::kControl},
    {0xffe5, vk::kCapital},   {0xffe7, vk::kMenu},      {0xffe8, vk::kMenu},
    {0xffe9, vk::kMenu},      {0xffea, vk::kMenu},      {0xfe03, vk::kMenu},
    {0xffeb, vk::kLWin},      {0xffec, vk::kRWin},      {0xffff, vk::kDelete},
    {0xffbd, vk::kSeparator}, {0xff0b, vk::kClear},     {0xff6b, vk::kPause},
}};

// The symbols a US layout types unshifted, and "+", which has a code of its own on every layout.
constexpr std::array<CodePair, 13> kUnshiftedSymbols{{
    {' ', vk::kSpace},
    {'\'', vk::kOem7},
    {'+', vk::kOemPlus},
    {',', vk::kOemComma},
    {'-', vk::kOemMinus},
    {'.', vk::kOemPeriod},
    {'/', vk::kOem2},
    {';', vk::kOem1},
    {'=', vk::kOemPlus},
    {'[', vk::kOem4},
    {'\\', vk::kOem5},
    {']', vk::kOem6},
    {'`', vk::kOem3},
}};

constexpr std::uint32_t kKeysymShiftR = 0xffe2;
constexpr std::uint32_t kFirstSpecialKeysym = 0xfe00;
constexpr std::uint32_t kLastSpecialKeysym = 0xffff;
constexpr std::uint32_t kKeysymF1 = 0xffbe;
constexpr std::uint32_t kKeysymF24 = 0xffd5;

constexpr int kXKeycodeShiftL = 50;
constexpr int kXKeycodeShiftR = 62;
constexpr int kXKeycodeDigit1 = 10;
constexpr int kXKeycodeDigit0 = 19;

// X keycodes 0..255 of a US pc105 keyboard (evdev + 8); keypad keys with NumLock on.
constexpr std::array<std::uint8_t, 256> BuildKeycodeTable() {
  std::array<std::uint8_t, 256> t{};
  t[9] = vk::kEscape;
  const char digits[] = "1234567890";
  for (int i = 0; i < 10; ++i) t[10 + i] = static_cast<std::uint8_t>(digits[i]);
  t[20] = vk::kOemMinus;
  t[21] = vk::kOemPlus;
  t[22] = vk::kBack;
  t[23] = vk::kTab;
  const char top[] = "QWERTYUIOP";
  for (int i = 0; i < 10; ++i) t[24 + i] = static_cast<std::uint8_t>(top[i]);
  t[34] = vk::kOem4;
  t[35] = vk::kOem6;
  t[36] = vk::kReturn;
  t[37] = vk::kControl;
  const char home[] = "ASDFGHJKL";
  for (int i = 0; i < 9; ++i) t[38 + i] = static_cast<std::uint8_t>(home[i]);
  t[47] = vk::kOem1;
  t[48] = vk::kOem7;
  t[49] = vk::kOem3;
  t[kXKeycodeShiftL] = vk::kShift;
  t[51] = vk::kOem5;
  const char bottom[] = "ZXCVBNM";
  for (int i = 0; i < 7; ++i) t[52 + i] = static_cast<std::uint8_t>(bottom[i]);
  t[59] = vk::kOemComma;
  t[60] = vk::kOemPeriod;
  t[61] = vk::kOem2;
  t[kXKeycodeShiftR] = vk::kShift;
  t[63] = vk::kMultiply;
  t[64] = vk::kMenu;
  t[65] = vk::kSpace;
  t[66] = vk::kCapital;
  for (int i = 0; i < 10; ++i) t[67 + i] = static_cast<std::uint8_t>(vk::F(1 + i));
  t[77] = vk::kNumLock;
  t[78] = vk::kScroll;
  t[79] = vk::Numpad(7);
  t[80] = vk::Numpad(8);
  t[81] = vk::Numpad(9);
  t[82] = vk::kSubtract;
  t[83] = vk::Numpad(4);
  t[84] = vk::Numpad(5);
  t[85] = vk::Numpad(6);
  t[86] = vk::kAdd;
  t[87] = vk::Numpad(1);
  t[88] = vk::Numpad(2);
  t[89] = vk::Numpad(3);
  t[90] = vk::Numpad(0);
  t[91] = vk::kDecimal;
  t[94] = vk::kOem102;
  t[95] = vk::F(11);
  t[96] = vk::F(12);
  t[104] = vk::kReturn;
  t[105] = vk::kControl;
  t[106] = vk::kDivide;
  t[107] = vk::kSnapshot;
  t[108] = vk::kMenu;
  t[110] = vk::kHome;
  t[111] = vk::kUp;
  t[112] = vk::kPrior;
  t[113] = vk::kLeft;
  t[114] = vk::kRight;
  t[115] = vk::kEnd;
  t[116] = vk::kDown;
  t[117] = vk::kNext;
  t[118] = vk::kInsert;
  t[119] = vk::kDelete;
  t[127] = vk::kPause;
  t[133] = vk::kLWin;
  t[134] = vk::kRWin;
  t[135] = vk::kApps;
  for (int i = 0; i < 12; ++i) t[191 + i] = static_cast<std::uint8_t>(vk::F(13 + i));
  return t;
}

constexpr auto kKeycodeTable = BuildKeycodeTable();

// The keypad keys without NumLock: the editing keys printed on them.
int KeypadWithoutNumLock(int keycode) {
  switch (keycode) {
    case 79:
      return vk::kHome;
    case 80:
      return vk::kUp;
    case 81:
      return vk::kPrior;
    case 83:
      return vk::kLeft;
    case 84:
      return vk::kClear;
    case 85:
      return vk::kRight;
    case 87:
      return vk::kEnd;
    case 88:
      return vk::kDown;
    case 89:
      return vk::kNext;
    case 90:
      return vk::kInsert;
    case 91:
      return vk::kDelete;
    default:
      return 0;
  }
}

bool IsKeypadKeycode(int keycode) {
  return keycode == 63 || (keycode >= 79 && keycode <= 91) || keycode == 104 || keycode == 106;
}

int CodeOfLetterOrSymbol(std::uint32_t keysym) {
  if (keysym >= 'a' && keysym <= 'z') return static_cast<int>(keysym - 'a' + 'A');
  if (keysym >= 'A' && keysym <= 'Z') return static_cast<int>(keysym);
  for (const auto& pair : kUnshiftedSymbols) {
    if (pair.from == keysym) return pair.code;
  }
  return 0;
}

}  // namespace

VirtualKey VkOfKey(int keycode, std::uint32_t unshifted_keysym, bool num_lock) {
  if (keycode < 0 || keycode > 255) return {};
  const bool right_shift = keycode == kXKeycodeShiftR;
  if (IsKeypadKeycode(keycode)) return VkOfXKeycode(keycode, num_lock);
  if (keycode >= kXKeycodeDigit1 && keycode <= kXKeycodeDigit0) {
    return VkOfXKeycode(keycode);
  }
  if (const int code = CodeOfLetterOrSymbol(unshifted_keysym)) return {code, right_shift};
  if (unshifted_keysym >= kFirstSpecialKeysym && unshifted_keysym <= kLastSpecialKeysym) {
    const VirtualKey key = VkOfKeysym(unshifted_keysym);
    if (key.code != 0) return {key.code, key.right_shift || right_shift};
  }
  return VkOfXKeycode(keycode, num_lock);
}

VirtualKey VkOfKeysym(std::uint32_t keysym) {
  if (keysym >= 'a' && keysym <= 'z') return {static_cast<int>(keysym - 'a' + 'A')};
  if ((keysym >= 'A' && keysym <= 'Z') || (keysym >= '0' && keysym <= '9')) {
    return {static_cast<int>(keysym)};
  }
  if (keysym == kKeysymShiftR) return {vk::kShift, true};
  if (keysym >= kKeysymF1 && keysym <= kKeysymF24) {
    return {static_cast<int>(vk::kF1 + (keysym - kKeysymF1))};
  }
  for (const auto& pair : kUsSymbols) {
    if (pair.from == keysym) return {pair.code};
  }
  for (const auto& pair : kSpecialKeysyms) {
    if (pair.from == keysym) return {pair.code};
  }
  return {};
}

VirtualKey VkOfXKeycode(int keycode, bool num_lock) {
  if (keycode < 0 || keycode > 255) return {};
  if (!num_lock) {
    if (const int code = KeypadWithoutNumLock(keycode)) return {code};
  }
  return {kKeycodeTable[static_cast<std::size_t>(keycode)], keycode == kXKeycodeShiftR};
}

}  // namespace kirivane
