// Qt key events as an X11 session delivers them, forwarded to the key handlers: the notes that
// come out, auto-repeat pairs that must not retrigger, and the right Shift that never plays.
#include <QKeyEvent>
#include <QTest>

#include "fakes/fake_input.h"
#include "fakes/fake_midi_hooks.h"
#include "fakes/fake_midi_out.h"
#include "fakes/test_paths.h"
#include "player/input/key_forwarding_qt.h"
#include "player/input/key_map_loader.h"

using namespace kirivane;

namespace {

QKeyEvent Event(QEvent::Type type, int key, quint32 keycode, quint32 keysym,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool repeat = false) {
  return QKeyEvent(type, key, modifiers, keycode, keysym, 0, QString(), repeat);
}

using Bytes = std::vector<std::vector<std::uint8_t>>;

}  // namespace

class KeyForwardingTest : public QObject {
  Q_OBJECT

 public:
  KeyForwardingTest()
      : midi_(state_, out_),
        chords_(state_, midi_, view_, label_),
        keys_(state_, midi_, view_, chords_, actions_) {
    state_.app.ProgramFolder = testing::ProgramDir();
    state_.layout.DisplayMode = 0;
    testing::FakeRandom random;
    testing::FakeKeyMapNotices notices;
    LoadKeyMap(state_, ProgramKeyMapPath(state_.app.ProgramFolder, kModKeyMapName), random,
               notices);
  }

 private slots:
  void init() { out_.Clear(); }

  void aHeldKeyWithX11AutoRepeatPlaysOnce() {
    // Z on the modkeys map: keycode 52, keysym z, key number 9.
    QVERIFY(!ForwardKeyPress(keys_, Event(QEvent::KeyPress, Qt::Key_Z, 52, 'z')));
    for (int i = 0; i < 3; ++i) {
      ForwardKeyRelease(keys_, Event(QEvent::KeyRelease, Qt::Key_Z, 52, 'z', {}, true));
      ForwardKeyPress(keys_, Event(QEvent::KeyPress, Qt::Key_Z, 52, 'z', {}, true));
    }
    ForwardKeyRelease(keys_, Event(QEvent::KeyRelease, Qt::Key_Z, 52, 'z'));
    QCOMPARE(out_.ShortMessages(), (Bytes{{0x90, 57, 121}, {0x80, 57, 64}}));
  }

  void theRightShiftIsSilentAndTheLeftOnePlays() {
    ForwardKeyPress(keys_, Event(QEvent::KeyPress, Qt::Key_Shift, 62, 0xffe2, Qt::ShiftModifier));
    ForwardKeyRelease(keys_, Event(QEvent::KeyRelease, Qt::Key_Shift, 62, 0xffe2));
    QVERIFY(out_.ShortMessages().empty());
    ForwardKeyPress(keys_, Event(QEvent::KeyPress, Qt::Key_Shift, 50, 0xffe1, Qt::ShiftModifier));
    ForwardKeyRelease(keys_, Event(QEvent::KeyRelease, Qt::Key_Shift, 50, 0xffe1));
    QCOMPARE(out_.ShortMessages(), (Bytes{{0x90, 55, 121}, {0x80, 55, 64}}));
  }

  void consumedKeysAreReported() {
    QVERIFY(ForwardKeyPress(keys_, Event(QEvent::KeyPress, Qt::Key_F10, 76, 0xffc7)));
    QVERIFY(ForwardKeyPress(keys_, Event(QEvent::KeyPress, Qt::Key_Space, 65, ' ')));
    QVERIFY(ForwardKeyRelease(keys_, Event(QEvent::KeyRelease, Qt::Key_Space, 65, ' ')));
    QVERIFY(!ForwardKeyPress(keys_, Event(QEvent::KeyPress, Qt::Key_unknown, 0, 0)));
    // Ctrl+F7 from no chord: slot 9.
    ForwardKeyPress(keys_, Event(QEvent::KeyPress, Qt::Key_F7, 73, 0xffc4, Qt::ControlModifier));
    QCOMPARE(state_.chords.ChordIndex, 9);
    // The keypad decimal point with NumLock on: the octave chord.
    ForwardKeyPress(keys_, Event(QEvent::KeyPress, Qt::Key_Period, 91, 0xffae, Qt::KeypadModifier));
    QCOMPARE(state_.chords.ChordIndex, 10);
  }

 private:
  PlayerState state_;
  testing::FakeMidiOut out_;
  testing::FakeKeyboardView view_;
  testing::FakeChordLabel label_;
  testing::FakeKeyEventActions actions_;
  MidiMode midi_;
  ChordSelection chords_;
  KeyEvents keys_;
};

QTEST_MAIN(KeyForwardingTest)
#include "key_forwarding_test.moc"
