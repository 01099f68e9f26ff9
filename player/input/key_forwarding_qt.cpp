#include "player/input/key_forwarding_qt.h"

#include <QApplication>

#include "common/keymap/vk_from_qt_qt.h"

namespace kirivane {

namespace {

KeyFlags FlagsOf(const QKeyEvent& event, const VirtualKey& key) {
  return {.auto_repeat = event.isAutoRepeat(), .right_shift = key.right_shift};
}

}  // namespace

bool ForwardKeyPress(KeyEvents& keys, const QKeyEvent& event, const KeyLayout& layout) {
  const VirtualKey key = VkFromQt(event, layout);
  if (key.code == 0) return false;
  return keys.Form_KeyDown(key.code, ShiftMaskFromQt(event.modifiers()), FlagsOf(event, key)) == 0;
}

bool ForwardKeyRelease(KeyEvents& keys, const QKeyEvent& event, const KeyLayout& layout) {
  const VirtualKey key = VkFromQt(event, layout);
  if (key.code == 0) return false;
  return keys.Form_KeyUp(key.code, ShiftMaskFromQt(event.modifiers()), FlagsOf(event, key)) == 0;
}

void ForwardKeyReleaseToHeldKey(KeyEvents& keys, const QKeyEvent& event, const KeyLayout& layout) {
  const VirtualKey key = VkFromQt(event, layout);
  const KeyFlags flags = FlagsOf(event, key);
  if (key.code != 0 && !flags.auto_repeat && keys.Holds(key.code, flags)) {
    keys.Form_KeyUp(key.code, ShiftMaskFromQt(event.modifiers()), flags);
  }
}

void ForwardHookKey(KeyEvents& keys, const KeyLayout& layout, int keycode, bool down,
                    bool num_lock) {
  if (keycode < 0 || keycode > 255) return;
  const VirtualKey key = VkOfKey(keycode, layout[static_cast<std::size_t>(keycode)], num_lock);
  if (key.code == 0) return;
  KeyFlags flags;
  flags.right_shift = key.right_shift;
  if (QApplication::activePopupWidget() != nullptr && (down || !keys.Holds(key.code, flags))) {
    return;
  }
  const int shift = ShiftMaskFromQt(QGuiApplication::queryKeyboardModifiers());
  if (down) {
    keys.Form_KeyDown(key.code, shift, flags);
  } else {
    keys.Form_KeyUp(key.code, shift, flags);
  }
}

}  // namespace kirivane
