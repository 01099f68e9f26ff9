// Qt key events with the native values an X11 session gives them become the virtual-key codes
// of key maps, read from the physical key and the layout; without native values Qt's key and
// keypad modifier decide.
#include <QKeyEvent>
#include <QTest>

#include "common/keymap/vk_from_qt_qt.h"

using kirivane::KeyLayout;
using kirivane::VirtualKey;

namespace {

// A layout nobody told the program about: keys at their US positions.
const KeyLayout kUnknownLayout{};

VirtualKey Translate(int key, Qt::KeyboardModifiers modifiers, quint32 keycode, quint32 keysym,
                     const QString& text = QString(), const KeyLayout& layout = kUnknownLayout) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers, keycode, keysym, 0, text);
  return kirivane::VkFromQt(event, layout);
}

}  // namespace

class VkTranslationTest : public QObject {
  Q_OBJECT

 private slots:
  void leftAndRightShiftShareTheCodeButNotTheSide() {
    QCOMPARE(Translate(Qt::Key_Shift, Qt::ShiftModifier, 50, 0xffe1), (VirtualKey{16, false}));
    QCOMPARE(Translate(Qt::Key_Shift, Qt::ShiftModifier, 62, 0xffe2), (VirtualKey{16, true}));
    // Only the keycode known: still the right side.
    QCOMPARE(Translate(Qt::Key_Shift, Qt::ShiftModifier, 62, 0), (VirtualKey{16, true}));
  }

  void keypadDigitsFollowNumLock() {
    QCOMPARE(Translate(Qt::Key_1, Qt::KeypadModifier, 87, 0xffb1, "1").code, 97);
    QCOMPARE(Translate(Qt::Key_End, Qt::KeypadModifier, 87, 0xff9c).code, 35);
    QCOMPARE(Translate(Qt::Key_0, Qt::KeypadModifier, 90, 0xffb0, "0").code, 96);
    QCOMPARE(Translate(Qt::Key_Insert, Qt::KeypadModifier, 90, 0xff9e).code, 45);
    // Keycode only: NumLock read from what Qt named the key.
    QCOMPARE(Translate(Qt::Key_7, Qt::KeypadModifier, 79, 0, "7").code, 103);
    QCOMPARE(Translate(Qt::Key_Home, Qt::KeypadModifier, 79, 0).code, 36);
    // Main-row digits are not keypad digits.
    QCOMPARE(Translate(Qt::Key_1, Qt::NoModifier, 10, '1', "1").code, 49);
  }

  void keypadOperatorsAndDecimalPoint() {
    QCOMPARE(Translate(Qt::Key_Plus, Qt::KeypadModifier, 86, 0xffab, "+").code, 107);
    QCOMPARE(Translate(Qt::Key_Minus, Qt::KeypadModifier, 82, 0xffad, "-").code, 109);
    QCOMPARE(Translate(Qt::Key_Asterisk, Qt::KeypadModifier, 63, 0xffaa, "*").code, 106);
    QCOMPARE(Translate(Qt::Key_Slash, Qt::KeypadModifier, 106, 0xffaf, "/").code, 111);
    QCOMPARE(Translate(Qt::Key_Period, Qt::KeypadModifier, 91, 0xffae, ".").code, 110);
    QCOMPARE(Translate(Qt::Key_Delete, Qt::KeypadModifier, 91, 0xff9f).code, 46);
    // The main-row minus and plus keys are not the keypad's.
    QCOMPARE(Translate(Qt::Key_Minus, Qt::NoModifier, 20, '-', "-").code, 189);
    QCOMPARE(Translate(Qt::Key_Plus, Qt::ShiftModifier, 21, '+', "+").code, 187);
  }

  void functionAndNavigationKeys() {
    QCOMPARE(Translate(Qt::Key_F1, Qt::NoModifier, 67, 0xffbe).code, 112);
    QCOMPARE(Translate(Qt::Key_F7, Qt::ControlModifier, 73, 0xffc4).code, 118);
    QCOMPARE(Translate(Qt::Key_F12, Qt::NoModifier, 96, 0xffc9).code, 123);
    QCOMPARE(Translate(Qt::Key_Escape, Qt::NoModifier, 9, 0xff1b).code, 27);
    QCOMPARE(Translate(Qt::Key_Space, Qt::NoModifier, 65, ' ', " ").code, 32);
    QCOMPARE(Translate(Qt::Key_PageUp, Qt::NoModifier, 112, 0xff55).code, 33);
    QCOMPARE(Translate(Qt::Key_PageDown, Qt::NoModifier, 117, 0xff56).code, 34);
    QCOMPARE(Translate(Qt::Key_Up, Qt::NoModifier, 111, 0xff52).code, 38);
    QCOMPARE(Translate(Qt::Key_Down, Qt::NoModifier, 116, 0xff54).code, 40);
    QCOMPARE(Translate(Qt::Key_Left, Qt::NoModifier, 113, 0xff51).code, 37);
    QCOMPARE(Translate(Qt::Key_Right, Qt::NoModifier, 114, 0xff53).code, 39);
  }

  void lettersDigitsAndPunctuationOfAUsLayout() {
    QCOMPARE(Translate(Qt::Key_Q, Qt::NoModifier, 24, 'q', "q").code, 81);
    QCOMPARE(Translate(Qt::Key_Q, Qt::ShiftModifier, 24, 'Q', "Q").code, 81);
    // Shifted symbols keep the code of their key.
    QCOMPARE(Translate(Qt::Key_Exclam, Qt::ShiftModifier, 10, '!', "!").code, 49);
    QCOMPARE(Translate(Qt::Key_Less, Qt::ShiftModifier, 59, '<', "<").code, 188);
    QCOMPARE(Translate(Qt::Key_Comma, Qt::NoModifier, 59, ',', ",").code, 188);
    QCOMPARE(Translate(Qt::Key_Period, Qt::NoModifier, 60, '.', ".").code, 190);
    QCOMPARE(Translate(Qt::Key_Slash, Qt::NoModifier, 61, '/', "/").code, 191);
    QCOMPARE(Translate(Qt::Key_Semicolon, Qt::NoModifier, 47, ';', ";").code, 186);
    QCOMPARE(Translate(Qt::Key_BracketRight, Qt::NoModifier, 35, ']', "]").code, 221);
    QCOMPARE(Translate(Qt::Key_Equal, Qt::NoModifier, 21, '=', "=").code, 187);
    // A letter the keysym tables do not know (a Cyrillic layout): the key's US position.
    QCOMPARE(Translate(0x0419, Qt::NoModifier, 24, 0x6ca, QString(QChar(0x0439))).code, 81);
  }

  void aKeyKeepsItsCodeWhateverShiftMakesOfItOnAGermanLayout() {
    KeyLayout german{};
    german[29] = 'z';
    german[52] = 'y';
    german[60] = '.';
    german[91] = 0xff9f;  // KP_Delete; with NumLock it types a comma (KP_Separator)
    QCOMPARE(Translate(Qt::Key_Period, Qt::NoModifier, 60, '.', ".", german).code, 190);
    QCOMPARE(Translate(Qt::Key_Colon, Qt::ShiftModifier, 60, ':', ":", german).code, 190);
    QCOMPARE(Translate(Qt::Key_Z, Qt::NoModifier, 29, 'z', "z", german).code, 'Z');
    QCOMPARE(Translate(Qt::Key_Y, Qt::ShiftModifier, 52, 'Y', "Y", german).code, 'Y');
    QCOMPARE(Translate(Qt::Key_Comma, Qt::KeypadModifier, 91, 0xffac, ",", german).code, 110);
    QCOMPARE(Translate(Qt::Key_Delete, Qt::KeypadModifier, 91, 0xff9f, "", german).code, 46);
  }

  void withoutNativeValuesQtsKeyDecides() {
    QCOMPARE(Translate(Qt::Key_A, Qt::NoModifier, 0, 0, "a").code, 65);
    QCOMPARE(Translate(Qt::Key_5, Qt::KeypadModifier, 0, 0, "5").code, 101);
    QCOMPARE(Translate(Qt::Key_5, Qt::NoModifier, 0, 0, "5").code, 53);
    QCOMPARE(Translate(Qt::Key_Period, Qt::KeypadModifier, 0, 0, ".").code, 110);
    QCOMPARE(Translate(Qt::Key_Period, Qt::NoModifier, 0, 0, ".").code, 190);
    QCOMPARE(Translate(Qt::Key_F7, Qt::NoModifier, 0, 0).code, 118);
    QCOMPARE(Translate(Qt::Key_Shift, Qt::ShiftModifier, 0, 0), (VirtualKey{16, false}));
    QCOMPARE(Translate(Qt::Key_unknown, Qt::NoModifier, 0, 0).code, 0);
  }

  void modifierMask() {
    QCOMPARE(kirivane::ShiftMaskFromQt(Qt::NoModifier), 0);
    QCOMPARE(kirivane::ShiftMaskFromQt(Qt::ShiftModifier), 1);
    QCOMPARE(kirivane::ShiftMaskFromQt(Qt::ControlModifier), 2);
    QCOMPARE(kirivane::ShiftMaskFromQt(Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier |
                                       Qt::KeypadModifier),
             7);
  }
};

QTEST_MAIN(VkTranslationTest)
#include "vk_translation_test.moc"
