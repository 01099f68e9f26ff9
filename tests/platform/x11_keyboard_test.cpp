// The keyboard of a real X server (the test display, keys pressed through XTEST): a held key
// reaches a window as one press and one release, whether the server sends held keys as presses
// only or the releases are checked against the keys that are down; the layout follows a
// setxkbmap.
#include "platform/x11_keyboard.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>
#include <cstdlib>
#include <string>

namespace kirivane {
namespace {

bool Shell(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

void ProcessEventsFor(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Counts the key events a window receives; a release Qt marks as repeated does not count.
class KeyCounter : public QObject {
 public:
  int presses = 0;
  int releases = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) ++presses;
    if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
      ++releases;
    }
    return false;
  }
};

class X11KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') GTEST_SKIP() << "needs an X display";
    if (!Shell("command -v xdotool")) GTEST_SKIP() << "needs xdotool";
    qputenv("QT_QPA_PLATFORM", "xcb");
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }

  // Holds the key with X keycode 52 for 1.5 s on a focused window: the events it received.
  void HoldKey(KeyCounter& counter) {
    QWindow window;
    window.resize(200, 100);
    window.show();
    window.installEventFilter(&counter);
    ProcessEventsFor(300);
    window.requestActivate();
    ProcessEventsFor(300);
    ASSERT_TRUE(Shell("xdotool keydown 52 sleep 1.5 keyup 52 &"));
    ProcessEventsFor(2500);
  }

  int argc_ = 1;
  char name_[16] = "platform_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

TEST_F(X11KeyboardTest, AHeldKeyIsReleasedOnceWithOrWithoutTheServersHelp) {
  for (const auto mode :
       {X11Keyboard::AutoRepeat::kAskServer, X11Keyboard::AutoRepeat::kConfirmReleases}) {
    KeyLayout layout{};
    X11Keyboard keyboard(layout, mode);
    EXPECT_EQ(keyboard.DetectableAutoRepeat(), mode == X11Keyboard::AutoRepeat::kAskServer);
    KeyCounter counter;
    HoldKey(counter);
    EXPECT_GT(counter.presses, 1) << "the server did not repeat the held key";
    EXPECT_EQ(counter.releases, 1);
  }
}

TEST_F(X11KeyboardTest, TheLayoutFollowsTheServer) {
  if (!Shell("setxkbmap us")) GTEST_SKIP() << "needs setxkbmap";
  KeyLayout layout{};
  X11Keyboard keyboard(layout);
  EXPECT_EQ(layout[52], std::uint32_t{'z'});
  EXPECT_EQ(layout[60], std::uint32_t{'.'});
  ASSERT_TRUE(Shell("setxkbmap de"));
  ProcessEventsFor(500);
  EXPECT_EQ(layout[52], std::uint32_t{'y'});
  EXPECT_EQ(layout[20], std::uint32_t{0xdf});  // ß
  Shell("setxkbmap us");
  ProcessEventsFor(500);
  EXPECT_EQ(layout[52], std::uint32_t{'z'});
}

}  // namespace
}  // namespace kirivane
