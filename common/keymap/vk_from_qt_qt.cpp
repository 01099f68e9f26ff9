#include "common/keymap/vk_from_qt_qt.h"

#include <array>

#include "common/keymap/vk_table.h"

namespace kirivane {

namespace {

struct QtKeyCode {
  int key;
  int code;
};

// Qt keys that name one key of a US layout whatever the modifiers.
constexpr std::array<QtKeyCode, 58> kQtKeys{{
    {Qt::Key_Backspace, vk::kBack},
    {Qt::Key_Tab, vk::kTab},
    {Qt::Key_Backtab, vk::kTab},
    {Qt::Key_Clear, vk::kClear},
    {Qt::Key_Return, vk::kReturn},
    {Qt::Key_Enter, vk::kReturn},
    {Qt::Key_Shift, vk::kShift},
    {Qt::Key_Control, vk::kControl},
    {Qt::Key_Alt, vk::kMenu},
    {Qt::Key_AltGr, vk::kMenu},
    {Qt::Key_Pause, vk::kPause},
    {Qt::Key_CapsLock, vk::kCapital},
    {Qt::Key_Escape, vk::kEscape},
    {Qt::Key_Space, vk::kSpace},
    {Qt::Key_PageUp, vk::kPrior},
    {Qt::Key_PageDown, vk::kNext},
    {Qt::Key_End, vk::kEnd},
    {Qt::Key_Home, vk::kHome},
    {Qt::Key_Left, vk::kLeft},
    {Qt::Key_Up, vk::kUp},
    {Qt::Key_Right, vk::kRight},
    {Qt::Key_Down, vk::kDown},
    {Qt::Key_Print, vk::kSnapshot},
    {Qt::Key_Insert, vk::kInsert},
    {Qt::Key_Delete, vk::kDelete},
    {Qt::Key_Meta, vk::kLWin},
    {Qt::Key_Menu, vk::kApps},
    {Qt::Key_NumLock, vk::kNumLock},
    {Qt::Key_ScrollLock, vk::kScroll},
    {Qt::Key_Semicolon, vk::kOem1},
    {Qt::Key_Colon, vk::kOem1},
    {Qt::Key_Equal, vk::kOemPlus},
    {Qt::Key_Comma, vk::kOemComma},
    {Qt::Key_Less, vk::kOemComma},
    {Qt::Key_Underscore, vk::kOemMinus},
    {Qt::Key_Period, vk::kOemPeriod},
    {Qt::Key_Greater, vk::kOemPeriod},
    {Qt::Key_Question, vk::kOem2},
    {Qt::Key_QuoteLeft, vk::kOem3},
    {Qt::Key_AsciiTilde, vk::kOem3},
    {Qt::Key_BracketLeft, vk::kOem4},
    {Qt::Key_BraceLeft, vk::kOem4},
    {Qt::Key_Backslash, vk::kOem5},
    {Qt::Key_Bar, vk::kOem5},
    {Qt::Key_BracketRight, vk::kOem6},
    {Qt::Key_BraceRight, vk::kOem6},
    {Qt::Key_Apostrophe, vk::kOem7},
    {Qt::Key_QuoteDbl, vk::kOem7},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Slash, vk::kOem2},
}};

// Keys whose code depends on whether they come from the keypad.
int KeypadOrMainCode(int key, bool keypad) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    return keypad ? vk::Numpad(key - Qt::Key_0) : '0' + (key - Qt::Key_0);
  }
  switch (key) {
    case Qt::Key_Asterisk:
      return keypad ? vk::kMultiply : '8';
    case Qt::Key_Plus:
      return keypad ? vk::kAdd : vk::kOemPlus;
    case Qt::Key_Minus:
      return keypad ? vk::kSubtract : vk::kOemMinus;
    case Qt::Key_Period:
      return keypad ? vk::kDecimal : vk::kOemPeriod;
    case Qt::Key_Comma:
      return keypad ? vk::kDecimal : vk::kOemComma;  // a decimal comma
    case Qt::Key_Slash:
      return keypad ? vk::kDivide : vk::kOem2;
    default:
      return 0;
  }
}

int CodeOfQtKey(int key, bool keypad) {
  if (const int code = KeypadOrMainCode(key, keypad)) return code;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vk::kF1 + (key - Qt::Key_F1);
  for (const auto& entry : kQtKeys) {
    if (entry.key == key) return entry.code;
  }
  return 0;
}

// Whether a keypad key arrives as a navigation key (NumLock off): Qt names the editing key.
bool KeypadNavigation(const QKeyEvent& event) {
  if (!event.modifiers().testFlag(Qt::KeypadModifier)) return false;
  const int key = event.key();
  return !(key >= Qt::Key_0 && key <= Qt::Key_9) && key != Qt::Key_Period && key != Qt::Key_Comma &&
         key != Qt::Key_Asterisk && key != Qt::Key_Plus && key != Qt::Key_Minus &&
         key != Qt::Key_Slash && key != Qt::Key_Enter;
}

}  // namespace

VirtualKey VkFromQt(const QKeyEvent& event, const KeyLayout& layout) {
  const quint32 keycode = event.nativeScanCode();
  if (keycode != 0) {
    const std::uint32_t unshifted = keycode < layout.size() ? layout[keycode] : 0;
    return VkOfKey(static_cast<int>(keycode), unshifted, !KeypadNavigation(event));
  }
  return {CodeOfQtKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier))};
}

int ShiftMaskFromQt(Qt::KeyboardModifiers modifiers) {
  int mask = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) mask |= kShiftMask;
  if (modifiers.testFlag(Qt::ControlModifier)) mask |= kCtrlMask;
  if (modifiers.testFlag(Qt::AltModifier)) mask |= kAltMask;
  return mask;
}

}  // namespace kirivane
