// Qt key events as an X11 session delivers them, forwarded to the key handlers: the notes that
// come out, auto-repeat pairs that must not retrigger, and the right Shift that never plays.
#include <QKeyEvent>
#include <QTest>

#include "fakes/fake_key_player.h"
#include "player/input/key_forwarding_qt.h"

using namespace kirivane;

namespace {

QKeyEvent Event(QEvent::Type type, int key, quint32 keycode, quint32 keysym,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool repeat = false) {
  return QKeyEvent(type, key, modifiers, keycode, keysym, 0, QString(), repeat);
}

using Bytes = std::vector<std::vector<std::uint8_t>>;

// A layout nobody told the program about: keys at their US positions.
const KeyLayout kUnknownLayout{};

bool ForwardKeyPress(KeyEvents& keys, const QKeyEvent& event) {
  return kirivane::ForwardKeyPress(keys, event, kUnknownLayout);
}

bool ForwardKeyRelease(KeyEvents& keys, const QKeyEvent& event) {
  return kirivane::ForwardKeyRelease(keys, event, kUnknownLayout);
}

}  // namespace

class KeyForwardingTest : public QObject {
  Q_OBJECT

 public:
  KeyForwardingTest() { player_.LoadBuiltInMap(kModKeyMapName); }

 private slots:
  void init() { player_.out.Clear(); }

  void aHeldKeyWithX11AutoRepeatPlaysOnce() {
    // Z on the modkeys map: keycode 52, keysym z, key number 9.
    QVERIFY(!ForwardKeyPress(player_.keys, Event(QEvent::KeyPress, Qt::Key_Z, 52, 'z')));
    for (int i = 0; i < 3; ++i) {
      ForwardKeyRelease(player_.keys, Event(QEvent::KeyRelease, Qt::Key_Z, 52, 'z', {}, true));
      ForwardKeyPress(player_.keys, Event(QEvent::KeyPress, Qt::Key_Z, 52, 'z', {}, true));
    }
    ForwardKeyRelease(player_.keys, Event(QEvent::KeyRelease, Qt::Key_Z, 52, 'z'));
    QCOMPARE(player_.out.ShortMessages(), (Bytes{{0x90, 57, 121}, {0x80, 57, 64}}));
  }

  void theRightShiftIsSilentAndTheLeftOnePlays() {
    ForwardKeyPress(player_.keys,
                    Event(QEvent::KeyPress, Qt::Key_Shift, 62, 0xffe2, Qt::ShiftModifier));
    ForwardKeyRelease(player_.keys, Event(QEvent::KeyRelease, Qt::Key_Shift, 62, 0xffe2));
    QVERIFY(player_.out.ShortMessages().empty());
    ForwardKeyPress(player_.keys,
                    Event(QEvent::KeyPress, Qt::Key_Shift, 50, 0xffe1, Qt::ShiftModifier));
    ForwardKeyRelease(player_.keys, Event(QEvent::KeyRelease, Qt::Key_Shift, 50, 0xffe1));
    QCOMPARE(player_.out.ShortMessages(), (Bytes{{0x90, 55, 121}, {0x80, 55, 64}}));
  }

  void consumedKeysAreReported() {
    QVERIFY(ForwardKeyPress(player_.keys, Event(QEvent::KeyPress, Qt::Key_F10, 76, 0xffc7)));
    QVERIFY(ForwardKeyPress(player_.keys, Event(QEvent::KeyPress, Qt::Key_Space, 65, ' ')));
    QVERIFY(ForwardKeyRelease(player_.keys, Event(QEvent::KeyRelease, Qt::Key_Space, 65, ' ')));
    QVERIFY(!ForwardKeyPress(player_.keys, Event(QEvent::KeyPress, Qt::Key_unknown, 0, 0)));
    // Ctrl+F7 from no chord: slot 9.
    ForwardKeyPress(player_.keys,
                    Event(QEvent::KeyPress, Qt::Key_F7, 73, 0xffc4, Qt::ControlModifier));
    QCOMPARE(player_.state.chords.ChordIndex, 9);
    // The keypad decimal point with NumLock on: the octave chord.
    ForwardKeyPress(player_.keys,
                    Event(QEvent::KeyPress, Qt::Key_Period, 91, 0xffae, Qt::KeypadModifier));
    QCOMPARE(player_.state.chords.ChordIndex, 10);
  }

 private:
  testing::FakeKeyPlayer player_;
};

QTEST_MAIN(KeyForwardingTest)
#include "key_forwarding_test.moc"
