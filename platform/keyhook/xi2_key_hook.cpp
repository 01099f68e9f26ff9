#include "platform/keyhook/xi2_key_hook.h"

// Qt before Xlib: Xlib defines macros (Bool, Status) that Qt's headers use as names.
#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace kirivane {

namespace {

Display* AsDisplay(void* display) {
  return static_cast<Display*>(display);
}

// NumLock decides whether the keypad plays digits or navigation keys.
bool NumLockOn(Display* display) {
  unsigned int state = 0;
  Window root = DefaultRootWindow(display);
  Window child = 0;
  int x = 0;
  int y = 0;
  XQueryPointer(display, root, &root, &child, &x, &y, &x, &y, &state);
  return (state & Mod2Mask) != 0;
}

}  // namespace

Xi2KeyHook::Xi2KeyHook() = default;

Xi2KeyHook::Xi2KeyHook(KeyHandler handler) : handler_(std::move(handler)) {}

Xi2KeyHook::~Xi2KeyHook() {
  ResetHook();
}

bool Xi2KeyHook::SetHook() {
  ResetHook();
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    error_ = "No X server to watch the keyboard on (DISPLAY is not set or cannot be opened).";
    return false;
  }
  int event = 0;
  int error = 0;
  int major = 2;
  int minor = 0;
  if (!XQueryExtension(display, "XInputExtension", &xi_opcode_, &event, &error) ||
      XIQueryVersion(display, &major, &minor) != Success) {
    XCloseDisplay(display);
    error_ = "The X server has no XInput 2 extension, so keys cannot be watched.";
    return false;
  }
  unsigned char mask_bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(mask_bits, XI_RawKeyPress);
  XISetMask(mask_bits, XI_RawKeyRelease);
  XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof(mask_bits)), mask_bits};
  XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
  XFlush(display);
  display_ = display;
  notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadEvents(); });
  error_.clear();
  return true;
}

void Xi2KeyHook::ResetHook() {
  notifier_.reset();
  if (display_) XCloseDisplay(AsDisplay(display_));
  display_ = nullptr;
}

void Xi2KeyHook::ReadEvents() {
  Display* display = AsDisplay(display_);
  while (display_ && XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    XGenericEventCookie* cookie = &event.xcookie;
    if (cookie->type != GenericEvent || cookie->extension != xi_opcode_) continue;
    if (!XGetEventData(display, cookie)) continue;
    const int type = cookie->evtype;
    const int keycode = static_cast<const XIRawEvent*>(cookie->data)->detail;
    XFreeEventData(display, cookie);
    if (type != XI_RawKeyPress && type != XI_RawKeyRelease) continue;
    if (handler_) handler_(keycode, type == XI_RawKeyPress, NumLockOn(display));
  }
}

}  // namespace kirivane
