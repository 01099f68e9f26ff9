#include "common/keymap/vk_table.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kirivane {
namespace {

TEST(VkTable, KeycodesOfAUsKeyboardGiveTheSameCodesAsTheirKeysyms) {
  // X keycode and the keysym a US layout gives it unshifted.
  const std::vector<std::pair<int, std::uint32_t>> us_keys{
      {9, 0xff1b},   {10, '1'},     {19, '0'},     {20, '-'},     {21, '='},     {22, 0xff08},
      {23, 0xff09},  {24, 'q'},     {33, 'p'},     {34, '['},     {35, ']'},     {36, 0xff0d},
      {37, 0xffe3},  {38, 'a'},     {46, 'l'},     {47, ';'},     {48, '\''},    {49, '`'},
      {50, 0xffe1},  {51, '\\'},    {52, 'z'},     {58, 'm'},     {59, ','},     {60, '.'},
      {61, '/'},     {62, 0xffe2},  {63, 0xffaa},  {64, 0xffe9},  {65, ' '},     {67, 0xffbe},
      {76, 0xffc7},  {79, 0xffb7},  {82, 0xffad},  {86, 0xffab},  {87, 0xffb1},  {90, 0xffb0},
      {91, 0xffae},  {95, 0xffc8},  {96, 0xffc9},  {104, 0xff8d}, {106, 0xffaf}, {110, 0xff50},
      {111, 0xff52}, {112, 0xff55}, {113, 0xff51}, {114, 0xff53}, {115, 0xff57}, {116, 0xff54},
      {117, 0xff56}, {118, 0xff63}, {119, 0xffff}};
  for (const auto& [keycode, keysym] : us_keys) {
    EXPECT_EQ(VkOfXKeycode(keycode), VkOfKeysym(keysym)) << "keycode " << keycode;
    EXPECT_NE(VkOfXKeycode(keycode).code, 0) << "keycode " << keycode;
  }
}

TEST(VkTable, TellsTheShiftKeysApartAndFollowsNumLockOnTheKeypad) {
  EXPECT_EQ(VkOfXKeycode(50), (VirtualKey{16, false}));
  EXPECT_EQ(VkOfXKeycode(62), (VirtualKey{16, true}));
  EXPECT_EQ(VkOfXKeycode(87, true).code, 97);
  EXPECT_EQ(VkOfXKeycode(87, false).code, 35);  // End, as Windows gives it without NumLock
  EXPECT_EQ(VkOfXKeycode(91, false).code, 46);
  EXPECT_EQ(VkOfXKeycode(86, false).code, 107);  // operators do not depend on NumLock
  EXPECT_EQ(VkOfKeysym(0xff9c).code, 35);        // KP_End
  EXPECT_EQ(VkOfKeysym(0xffae).code, 110);       // KP_Decimal
}

TEST(VkTable, ShiftedSymbolsAndCapitalsKeepTheirKeysCode) {
  EXPECT_EQ(VkOfKeysym('Q').code, 81);
  EXPECT_EQ(VkOfKeysym('!').code, '1');
  EXPECT_EQ(VkOfKeysym(')').code, '0');
  EXPECT_EQ(VkOfKeysym('{').code, 219);
  EXPECT_EQ(VkOfKeysym('"').code, 222);
  EXPECT_EQ(VkOfKeysym(0xffd5).code, 135);  // F24
}

// X keycode, what the layout's unshifted level types there, and the code the key must carry.
struct LayoutKey {
  int keycode;
  std::uint32_t unshifted;
  int code;
};

TEST(VkTable, APhysicalKeyHasOneCodeInUsGermanAndFrenchLayouts) {
  const std::vector<LayoutKey> us{
      {24, 'q', 'Q'}, {10, '1', '1'},  {20, '-', 189},    {21, '=', 187},   {34, '[', 219},
      {47, ';', 186}, {48, '\'', 222}, {49, '`', 192},    {51, '\\', 220},  {60, '.', 190},
      {61, '/', 191}, {65, ' ', 32},   {67, 0xffbe, 112}, {66, 0xffe5, 20}, {91, 0xff9f, 110},
  };
  // Letters by what they type (Y and Z trade places), the digit row by position, "+" and "."
  // by their symbol; umlauts, dead keys, "#" and "<" keep their US position; the keypad
  // decimal key is the decimal key although it types a comma.
  const std::vector<LayoutKey> de{
      {29, 'z', 'Z'},    {52, 'y', 'Y'},    {10, '1', '1'},  {20, 0xdf, 189}, {21, 0xfe51, 187},
      {34, 0xfc, 219},   {35, '+', 187},    {47, 0xf6, 186}, {48, 0xe4, 222}, {49, 0xfe52, 192},
      {51, '#', 220},    {59, ',', 188},    {60, '.', 190},  {61, '-', 189},  {94, '<', 226},
      {91, 0xff9f, 110}, {108, 0xfe03, 18},
  };
  // AZERTY: the digit row types no digits unshifted and still gives 1..0.
  const std::vector<LayoutKey> fr{
      {24, 'a', 'A'}, {25, 'z', 'Z'},  {38, 'q', 'Q'},  {47, 'm', 'M'},  {52, 'w', 'W'},
      {10, '&', '1'}, {11, 0xe9, '2'}, {19, 0xe0, '0'}, {20, ')', 189},  {58, ',', 188},
      {59, ';', 186}, {60, ':', 190},  {61, '!', 191},  {48, 0xf9, 222}, {49, 0xb2, 192},
  };
  const std::vector<std::pair<const char*, const std::vector<LayoutKey>*>> layouts{
      {"us", &us}, {"de", &de}, {"fr", &fr}};
  for (const auto& [name, keys] : layouts) {
    for (const auto& key : *keys) {
      EXPECT_EQ(VkOfKey(key.keycode, key.unshifted).code, key.code)
          << name << " keycode " << key.keycode;
    }
  }
  // Keypad keys keep their codes, NumLock deciding; the Shift keys keep their sides; an
  // unknown layout reads every key at its US position.
  EXPECT_EQ(VkOfKey(87, 0xff9c, true).code, 97);
  EXPECT_EQ(VkOfKey(87, 0xff9c, false).code, 35);
  EXPECT_EQ(VkOfKey(62, 0xffe2), (VirtualKey{16, true}));
  EXPECT_EQ(VkOfKey(50, 0xffe1), (VirtualKey{16, false}));
  EXPECT_EQ(VkOfKey(62, 0), (VirtualKey{16, true}));
  EXPECT_EQ(VkOfKey(52, 0).code, 'Z');
  EXPECT_EQ(VkOfKey(256, 'a').code, 0);
}

TEST(VkTable, UnknownKeysHaveNoCode) {
  EXPECT_EQ(VkOfKeysym(0).code, 0);
  EXPECT_EQ(VkOfKeysym(0x6ca).code, 0);  // a Cyrillic letter
  EXPECT_EQ(VkOfXKeycode(0).code, 0);
  EXPECT_EQ(VkOfXKeycode(-1).code, 0);
  EXPECT_EQ(VkOfXKeycode(256).code, 0);
  EXPECT_EQ(VkOfXKeycode(255).code, 0);
}

}  // namespace
}  // namespace kirivane
