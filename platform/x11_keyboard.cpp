#include "platform/x11_keyboard.h"

// Qt before Xlib: Xlib defines macros (Bool, Status) that Qt's headers use as names.
#include <QByteArray>
#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdint>

namespace kirivane {

namespace {

// Events as they arrive on the wire (xcb_generic_event_t): the type in byte 0 (bit 7 set when
// another client sent the event), the key's keycode in byte 1; an XKB event names its own kind
// in byte 1, and its state notification carries the effective group in byte 13.
constexpr std::uint8_t kSentEventBit = 0x80;
constexpr std::uint8_t kKeyRelease = 3;
constexpr std::uint8_t kMappingNotify = 34;
constexpr int kXkbKindByte = 1;
constexpr int kStateGroupByte = 13;

Display* DisplayOfApplication() {
  const auto* x11 =
      qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}

}  // namespace

X11Keyboard::X11Keyboard(KeyLayout& layout, AutoRepeat auto_repeat) : layout_(layout) {
  layout_.fill(0);
  Display* display = DisplayOfApplication();
  if (display == nullptr) return;
  display_ = display;
  int opcode = 0;
  int error = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  xkb_ = XkbQueryExtension(display, &opcode, &xkb_event_, &error, &major, &minor);
  if (xkb_ && auto_repeat == AutoRepeat::kAskServer) {
    Bool supported = False;
    detectable_ = XkbSetDetectableAutoRepeat(display, True, &supported) && supported;
  }
  ReadLayout();
  QCoreApplication::instance()->installNativeEventFilter(this);
}

X11Keyboard::~X11Keyboard() {
  if (display_ && QCoreApplication::instance()) {
    QCoreApplication::instance()->removeNativeEventFilter(this);
  }
}

bool X11Keyboard::nativeEventFilter(const QByteArray& event_type, void* message, qintptr*) {
  if (event_type != "xcb_generic_event_t") return false;
  const auto* bytes = static_cast<const std::uint8_t*>(message);
  const std::uint8_t type = bytes[0] & ~kSentEventBit;
  if (type == kKeyRelease && !detectable_ && (bytes[0] & kSentEventBit) == 0) {
    // Without detectable auto-repeat the server sends a release before every repeated press:
    // while the key is still down, that release is not passed on.
    return KeyIsDown(bytes[1]);
  }
  if (type == kMappingNotify) {
    ReadLayout();
  } else if (xkb_ && type == xkb_event_) {
    const int kind = bytes[kXkbKindByte];
    if (kind == XkbNewKeyboardNotify || kind == XkbMapNotify ||
        (kind == XkbStateNotify && bytes[kStateGroupByte] != group_)) {
      ReadLayout();
    }
  }
  return false;
}

// The unshifted level of every keycode in the current group, fresh from the server: Xlib's own
// copy of the keyboard is not refreshed, because the application's events never pass Xlib.
void X11Keyboard::ReadLayout() {
  auto* display = static_cast<Display*>(display_);
  layout_.fill(0);
  if (!xkb_) {
    int min_keycode = 0;
    int max_keycode = 0;
    XDisplayKeycodes(display, &min_keycode, &max_keycode);
    int per_keycode = 0;
    KeySym* syms = XGetKeyboardMapping(display, static_cast<KeyCode>(min_keycode),
                                       max_keycode - min_keycode + 1, &per_keycode);
    if (syms == nullptr) return;
    for (int keycode = min_keycode; keycode <= max_keycode && keycode < 256; ++keycode) {
      layout_[static_cast<std::size_t>(keycode)] =
          static_cast<std::uint32_t>(syms[(keycode - min_keycode) * per_keycode]);
    }
    XFree(syms);
    return;
  }
  XkbStateRec state{};
  if (XkbGetState(display, XkbUseCoreKbd, &state) == Success) group_ = state.group;
  XkbDescPtr keyboard = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
  if (keyboard == nullptr) return;
  for (int keycode = keyboard->min_key_code; keycode <= keyboard->max_key_code; ++keycode) {
    const int groups = XkbKeyNumGroups(keyboard, keycode);
    if (groups == 0) continue;
    const int group = group_ % groups;  // a group the key lacks wraps, as the server does
    layout_[static_cast<std::size_t>(keycode)] =
        static_cast<std::uint32_t>(XkbKeySymEntry(keyboard, keycode, 0, group));
  }
  XkbFreeKeyboard(keyboard, 0, True);
}

bool X11Keyboard::KeyIsDown(int keycode) const {
  char keys[32] = {};
  XQueryKeymap(static_cast<Display*>(display_), keys);
  return (keys[keycode / 8] & (1 << (keycode % 8))) != 0;
}

}  // namespace kirivane
