// Mouse play through the real picture box: a click on the drawn keyboard sounds the key under
// the pointer and shows it pressed on the image, and the release clears it.
#include <QtTest>

#include "common/keyboard/keyboard_widget.h"
#include "fakes/fake_key_player.h"

namespace kirivane {
namespace {

// The score panel's view and the form, as far as mouse play reaches them.
struct QuietPeers : SidePanelsView, testing::FakeWindowCommands {
  void ShowScore(const ScoreNoteChoice& choice) override { score_notes.push_back(choice.note); }
  void FormMouseDown(int button) override { form_buttons.push_back(button); }
  void DoEvents() override { QCoreApplication::processEvents(); }
  std::vector<int> score_notes;
  std::vector<int> form_buttons;
};

// The player on fake devices drawing on the picture box's surface, the box handing its mouse
// events to mouse play, as the window wires them, in display mode 0.
struct MousePlayRig {
  MousePlayRig() : keyboard(surface) {
    state.layout.DisplayMode = 0;
    keyboard.SetMouseHandler(&player.mouse);
    player.SetWindow(&peers, nullptr);
    player.side_panels.SetView(&peers);
  }
  PlayerState state;
  testing::FakeDevices fakes;
  QImageSurface surface;
  Player player{state, fakes.devices, surface};
  Keyboard keyboard;
  QuietPeers peers;
  testing::FakeMidiOut& out = fakes.out;
  KeyboardDisplay& display = player.display;
};

QRgb ColourAt(Keyboard& keyboard, int x, int y) {
  return keyboard.KeyboardSurface().Image().pixel(x, y) | 0xFF000000u;
}

}  // namespace

class KeyboardMousePlayTest : public QObject {
  Q_OBJECT

 private slots:
  void clickSoundsAndLightsTheKey();
  void chordLightsEveryKeyOfTheChord();
  void rightButtonGoesToTheForm();
};

void KeyboardMousePlayTest::clickSoundsAndLightsTheKey() {
  MousePlayRig rig;
  auto [state, out, keyboard, display, peers] =
      std::tie(rig.state, rig.out, rig.keyboard, rig.display, rig.peers);
  keyboard.show();
  QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
  display.RedrawKeyboard();

  QTest::mousePress(&keyboard, Qt::LeftButton, Qt::NoModifier, QPoint(130, 100));  // key 10
  QCOMPARE(out.ShortMessages().size(), std::size_t{1});
  QCOMPARE(out.ShortMessages()[0], (std::vector<std::uint8_t>{0x90, 65, 121}));
  QCOMPARE(ColourAt(keyboard, 130, 90), qRgb(231, 234, 248));
  QCOMPARE(peers.score_notes, std::vector<int>{65});  // the note that sounded
  QTest::mouseRelease(&keyboard, Qt::LeftButton, Qt::NoModifier, QPoint(130, 100));
  QCOMPARE(out.ShortMessages()[1], (std::vector<std::uint8_t>{0x80, 65, 64}));
  QCOMPARE(ColourAt(keyboard, 130, 90), qRgb(255, 255, 255));
  QCOMPARE(state.display.MouseKey, -1);
}

void KeyboardMousePlayTest::chordLightsEveryKeyOfTheChord() {
  MousePlayRig rig;
  auto [state, out, keyboard, display, peers] =
      std::tie(rig.state, rig.out, rig.keyboard, rig.display, rig.peers);
  state.chords.ChordActive = -1;
  state.chords.CurrentChord = {0, 4, 7};
  display.RedrawKeyboard();
  QTest::mousePress(&keyboard, Qt::LeftButton, Qt::NoModifier, QPoint(65, 100));  // C, key 5
  QCOMPARE(out.ShortMessages().size(), std::size_t{3});
  for (int x : {65, 105, 145}) QCOMPARE(ColourAt(keyboard, x, 90), qRgb(231, 234, 248));  // C E G
  QCOMPARE(ColourAt(keyboard, 85, 90), qRgb(255, 255, 255));
  QTest::mouseRelease(&keyboard, Qt::LeftButton, Qt::NoModifier, QPoint(65, 100));
  for (int x : {65, 105, 145}) QCOMPARE(ColourAt(keyboard, x, 90), qRgb(255, 255, 255));
}

void KeyboardMousePlayTest::rightButtonGoesToTheForm() {
  MousePlayRig rig;
  auto [state, out, keyboard, display, peers] =
      std::tie(rig.state, rig.out, rig.keyboard, rig.display, rig.peers);
  QTest::mousePress(&keyboard, Qt::RightButton, Qt::NoModifier, QPoint(65, 100));
  QTest::mouseRelease(&keyboard, Qt::RightButton, Qt::NoModifier, QPoint(65, 100));
  QVERIFY(out.ShortMessages().empty());
  QCOMPARE(peers.form_buttons, std::vector<int>{kMouseRight});
}

}  // namespace kirivane

QTEST_MAIN(kirivane::KeyboardMousePlayTest)
#include "keyboard_mouse_play_test.moc"
