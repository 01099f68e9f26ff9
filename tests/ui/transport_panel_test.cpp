// The record/playback panel on a form, over the player on fake devices: its buttons record and
// play through the fake MIDI output, and its controls show what runs.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "fakes/fake_key_player.h"
#include "player/performance/performance_file.h"
#include "player/performance/transport_panel.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"

namespace kirivane {
namespace {

// The panel on a bare form in the full window, with the language table loaded; the engine is
// driven by hand on the fake clock.
struct PanelRig : testing::FakeKeyPlayer {
  PanelRig() {
    LoadLanguage(testing::ProgramDir(), 1, state.app);
    form.resize(682, 565);
    panel = new TransportPanel(player, &form);
    panel->SetCaptions();
    panel->Place(0);
    form.show();
  }
  template <typename T = QWidget>
  T* Control(const char* name) {
    return form.findChild<T*>(name);
  }
  void Click(const char* name, Qt::MouseButton button = Qt::LeftButton, QPoint at = {}) {
    QWidget* control = Control(name);
    QTest::mouseClick(control, button, {}, at.isNull() ? control->rect().center() : at);
  }
  bool Shown(const char* name) { return Control(name)->isVisible(); }

  QWidget form;
  TransportPanel* panel = nullptr;
};

}  // namespace

class TransportPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void PlaysFromTheStripWithTheSpeedHeardAndStops();
  void RecordsATakeWithItsGapsAndKeepsTheTempoInRange();
};

void TransportPanelTest::PlaysFromTheStripWithTheSpeedHeardAndStops() {
  PanelRig rig;
  QVERIFY(!rig.Shown("CmdStart"));  // the strip is closed
  rig.player.side_panels.TogglePlayPanel();
  QVERIFY(rig.Shown("CmdStart") && rig.Shown("CmdLoop") && rig.Shown("CmdOpen"));
  QVERIFY(!rig.Shown("MTLabel"));

  std::string lyr = "#FileFormatVer=2\r\n#ClockTime=1\r\n#Data=";
  for (int i = 0; i < 40; ++i) lyr += i % 2 ? "100:60:0:0," : "100:60:1:100,";
  lyr += "0:60:2:0,\r\n";
  QVERIFY(LoadPerformanceBytes(rig.state, lyr).replaced);
  rig.clock.now_ms = 5000;
  rig.out.messages.clear();
  rig.Click("CmdStart");
  QCOMPARE(rig.state.performance.Playing, -1);
  QVERIFY(rig.Shown("MTLabel") && !rig.Shown("CmdLoop") && !rig.Shown("CmdSave"));
  QVERIFY(!rig.Control("CmdStart")->isEnabled() && rig.Control("CmdStop")->isEnabled());

  // Label7 (left button) makes PlaySpeed 2.0, which doubles every gap, so the label says half
  // speed: the first note, 100 ms in, now comes at 200 ms and the next 200 ms after it.
  QCOMPARE(rig.player.engine.Advance(), std::optional<std::uint32_t>(5100));
  rig.Click("Label7");
  QCOMPARE(rig.state.performance.PlaySpeed, 2.0f);
  QCOMPARE(rig.Control<QLabel>("Label7")->text(), LangQ(rig.state.app, 157));
  QCOMPARE(rig.player.engine.Advance(), std::optional<std::uint32_t>(5200));
  rig.clock.now_ms = 5200;
  QCOMPARE(rig.player.engine.Advance(), std::optional<std::uint32_t>(5400));
  rig.clock.now_ms = 5400;
  rig.player.engine.Advance();
  QCOMPARE(rig.out.Hex(), (std::vector<std::string>{"90 3C 64", "80 3C 40"}));

  // The forward zone of the time display skips a twentieth of the performance.
  const int index = rig.state.performance.PlayIndex;
  rig.Click("MTLabel", Qt::LeftButton, QPoint(90, 10));
  QCOMPARE(rig.state.performance.PlayIndex, index + 2);

  rig.out.messages.clear();
  rig.Click("CmdStop");
  QCOMPARE(rig.state.performance.Playing, 0);
  QVERIFY(rig.Control("CmdStart")->isEnabled() && !rig.Control("CmdStop")->isEnabled());
  QVERIFY(!rig.Shown("MTLabel") && rig.Shown("CmdLoop"));
  const auto stop = rig.out.Hex();  // every note off, once
  QCOMPARE(std::count_if(stop.begin(), stop.end(), [](auto& m) { return m.rfind("80 ", 0) == 0; }),
           128L);

  // A running pass that ends by itself opens a closed strip again.
  rig.Click("CmdStart");
  rig.player.side_panels.TogglePlayPanel();
  QVERIFY(!rig.Shown("CmdStop"));
  rig.state.performance.PlayStop = -1;
  rig.player.engine.Advance();
  QCOMPARE(rig.state.performance.Playing, 0);
  QVERIFY(rig.Shown("CmdStart"));
}

void TransportPanelTest::RecordsATakeWithItsGapsAndKeepsTheTempoInRange() {
  PanelRig rig;
  rig.player.side_panels.TogglePlayPanel();
  auto& clock = rig.clock;
  clock.now_ms = 1000;
  QVERIFY(!rig.panel->SaveMenuItem()->isEnabled());
  rig.Click("CmdRec");
  QCOMPARE(rig.state.performance.Recording, -1);
  QVERIFY(!rig.Shown("Label7") && rig.Shown("MTLabel"));
  rig.player.side_panels.TogglePlayPanel();  // refused while recording
  QVERIFY(rig.Shown("CmdStop"));
  clock.now_ms = 1250;
  rig.midi.KeyNoteOn(24);
  clock.now_ms = 1370;
  rig.midi.KeyNoteOff(24);
  clock.now_ms = 1400;
  rig.Click("CmdStop");
  QCOMPARE(rig.state.performance.Recording, 0);
  const EventTable& take = rig.state.events;
  QCOMPARE(take.EventCount, 3);
  QCOMPARE(take.EvDelta[0], 250);
  QCOMPARE(take.EvDelta[1], 120);
  QCOMPARE(take.EvKind[2], static_cast<std::int16_t>(kEventEndMark));
  QVERIFY(rig.Shown("Label7"));
  QVERIFY(rig.panel->SaveMenuItem()->isEnabled());

  auto* tempo = rig.Control<QComboBox>("Combo3");
  QCOMPARE(tempo->currentText(), QString(" 60"));
  tempo->setEditText("400");
  QCOMPARE(tempo->currentText(), QString("360"));
  tempo->setEditText("0");
  QCOMPARE(tempo->currentText(), QString("1"));
  QCOMPARE(rig.player.transport.TempoBox(), 1.0);
}

}  // namespace kirivane

QTEST_MAIN(kirivane::TransportPanelTest)
#include "transport_panel_test.moc"
