#include "player/midi/device_controls.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/fake_midi_hooks.h"
#include "fakes/fake_midi_out.h"

namespace kirivane {
namespace {

using ::testing::ElementsAre;
using testing::FakeEventSink;
using testing::FakeMidiNotices;
using testing::FakeMidiOut;
using testing::RecordedEvent;

class DeviceControlsTest : public ::testing::Test {
 protected:
  DeviceControlsTest() {
    state.layout.DisplayMode = 0;
    state.app.LangTable[12] = "MIDI Mapper";
    state.app.LangTable[284] = "(hidden while hooked)";
    midi.SetEventSink(&sink);
    midi.SetLampView(&notices);
    midi.SetMessages(&notices);
  }

  // The messages without the 128 note-offs (velocity 127) of silencing every note.
  static std::vector<std::string> WithoutSilencing(std::vector<std::string> lines) {
    const auto silencing = [](const std::string& l) {
      return l.rfind("80 ", 0) == 0 && l.ends_with(" 7F");
    };
    const auto count = std::count_if(lines.begin(), lines.end(), silencing);
    EXPECT_EQ(count, 128);
    lines.erase(std::remove_if(lines.begin(), lines.end(), silencing), lines.end());
    return lines;
  }

  PlayerState state;
  FakeMidiOut out;
  FakeEventSink sink;
  FakeMidiNotices notices;
  MidiMode midi{state, out};
  ListContext list{{100, 300}, false};
  int waits = 0;
  std::function<void(int)> wait = [this](int ms) { waits += ms; };
};

TEST(DeviceList, MapperFirstThenNumberedNamesCutTo32Characters) {
  std::vector<std::string> lang(361);
  lang[12] = "MIDI Mapper";
  const auto entries = DeviceListEntries(
      lang, {"Built-in synthesizer", std::string(40, 'x'), "\xE9\x9F\xB3" + std::string(35, 'y')});
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0], "MIDI Mapper");
  EXPECT_EQ(entries[1], "1:Built-in synthesizer");
  EXPECT_EQ(entries[2], "2:" + std::string(32, 'x'));
  EXPECT_EQ(entries[3], "3:\xE9\x9F\xB3" + std::string(31, 'y'));  // whole characters
  EXPECT_EQ(SavedDeviceEntry(3, 4), 3);
  EXPECT_EQ(SavedDeviceEntry(4, 4), 0);
  EXPECT_EQ(SavedDeviceEntry(-1, 4), 0);
}

TEST_F(DeviceControlsTest, ChoosingAnEntryOpensTheDeviceBeforeIt) {
  state.midi.SelectedProgram = 0;
  auto view = Combo1Click(midi, 0, list, wait);
  EXPECT_EQ(out.opened_id, kMidiMapper);
  EXPECT_EQ(waits, 0);
  EXPECT_THAT(out.Hex(),
              ElementsAre("B0 07 40", "B0 07 40", "B9 07 40", "F0 41 10 42 12 40 00 7F 00 41 F7",
                          "B0 07 40", "B0 00 00", "B0 20 00", "C0 00 00"));
  EXPECT_TRUE(view.instrument.has_value());
  EXPECT_EQ(view.command1_caption, "ON");
  EXPECT_TRUE(view.timer1_enabled);

  out.Clear();
  view = Combo1Click(midi, 2, list, wait);
  EXPECT_EQ(out.opened_id, 1);
  EXPECT_EQ(out.closes, 1);
  EXPECT_EQ(waits, 1);
  EXPECT_EQ(state.midi.MidiDevice, 2);
}

TEST_F(DeviceControlsTest, ChoosingWhileSwitchedOffOnlyRemembersTheEntry) {
  state.midi.DeviceSwitchOn = false;
  const auto view = Combo1Click(midi, 3, list, wait);
  EXPECT_EQ(view.command1_caption, "OFF");
  EXPECT_FALSE(view.instrument.has_value());
  EXPECT_TRUE(out.messages.empty());
  EXPECT_EQ(state.midi.MidiDevice, 3);
}

TEST_F(DeviceControlsTest, FailingDeviceTurnsTheButtonOffWithTheDriversText) {
  out.open_error = 2;
  const auto view = Combo1Click(midi, 1, list, wait);
  EXPECT_THAT(notices.errors, ElementsAre("fake error 2"));
  EXPECT_EQ(view.command1_caption, "OFF");
  EXPECT_FALSE(view.timer1_enabled);
}

TEST_F(DeviceControlsTest, SwitchingOffAndOnResendsProgramAndResetsControllers) {
  state.midi.MidiDevice = 2;
  state.midi.SelectedProgram = 5;
  Combo1Click(midi, 2, list, wait);
  auto view = Command1Click(midi, list);
  EXPECT_EQ(view.command1_caption, "OFF");
  EXPECT_FALSE(view.timer1_enabled);
  EXPECT_FALSE(midi.DeviceOpen());

  out.Clear();
  view = Command1Click(midi, list);
  EXPECT_EQ(view.command1_caption, "ON");
  EXPECT_TRUE(view.timer1_enabled);
  EXPECT_EQ(out.opened_id, 1);
  EXPECT_THAT(out.Hex(),
              ElementsAre("B0 07 40", "B0 07 40", "B9 07 40", "B0 00 00", "B0 20 00", "C0 05 00",
                          "B0 79 00", "B9 79 00", "C0 05 00", "C0 05 00", "B0 01 00"));

  // Switching on a device that fails leaves the button and its timer off.
  Command1Click(midi, list);
  out.open_error = 7;
  view = Command1Click(midi, list);
  EXPECT_EQ(view.command1_caption, "OFF");
  EXPECT_FALSE(view.timer1_enabled);
}

TEST_F(DeviceControlsTest, OctaveThreeAndUpwardTranspositionExcludeEachOther) {
  auto outcome = HScroll1Change(midi, 3);
  EXPECT_EQ(outcome.octave, 3);
  EXPECT_TRUE(outcome.redraw);
  outcome = VScroll1Change(midi, 1);
  EXPECT_EQ(outcome.octave, 2);
  EXPECT_EQ(state.midi.OctaveShift, 2);
  EXPECT_EQ(outcome.label10, "+1");
  EXPECT_EQ(state.midi.Transpose, 1);
  EXPECT_EQ(out.messages.size(), 128u);  // the change silences every note
  outcome = HScroll1Change(midi, 3);
  EXPECT_EQ(outcome.octave, 2);
  outcome = VScroll1Change(midi, -11);
  EXPECT_EQ(outcome.label10, "-11");
  EXPECT_EQ(VScroll1Change(midi, 0).label10, "0");
  EXPECT_EQ(HScroll1Change(midi, 3).octave, 3);
}

TEST_F(DeviceControlsTest, OctaveChangeWhileHookedHidesTheKeyboard) {
  state.input.HookActive = -1;
  state.input.DrawWhileHooked = 0;
  auto outcome = HScroll1Change(midi, -2);
  EXPECT_FALSE(outcome.redraw);
  EXPECT_EQ(outcome.keyboard_message, "(hidden while hooked)");
  state.input.DrawWhileHooked = -1;
  EXPECT_TRUE(HScroll1Change(midi, -2).redraw);
}

TEST_F(DeviceControlsTest, ResetButtonPlaysATriadAndResetsTheSound) {
  state.midi.Transpose = 3;
  state.midi.Modulation = 50;
  state.chords.ChordIndex = 4;
  state.chords.ChordActive = -1;
  const auto press = Command100MouseDown(midi, 1, false);
  EXPECT_EQ(press.cursor, kCursorGrabbing);
  EXPECT_EQ(press.picture, 111);
  EXPECT_THAT(out.Hex(), ElementsAre("90 3F 79", "90 43 79", "90 46 79"));  // C4 + 3

  out.Clear();
  const auto release = Command100MouseUp(midi, 1, false);
  EXPECT_EQ(release.action, ButtonAction::kSoundReset);
  ASSERT_TRUE(release.scroll.has_value());
  EXPECT_EQ(release.scroll->label10, "0");
  EXPECT_EQ(state.midi.Transpose, 0);
  EXPECT_EQ(state.chords.ChordIndex, 0);
  EXPECT_EQ(state.chords.ChordActive, 0);
  EXPECT_EQ(state.midi.Modulation, 0);
  EXPECT_TRUE(release.clear_chord_caption);
  EXPECT_EQ(release.cursor, kCursorOpenHand);
  EXPECT_EQ(release.picture, 110);
  EXPECT_EQ(out.resets, 1);
  EXPECT_THAT(WithoutSilencing(out.Hex()),
              ElementsAre("B0 79 00", "B9 79 00", "C0 00 00", "C0 00 00", "B0 01 00", "80 3C 40",
                          "80 40 40", "80 43 40"));
  EXPECT_EQ(sink.events.back(), (RecordedEvent{67, 0, 0}));
}

TEST_F(DeviceControlsTest, ResetButtonRightClickAndExitButton) {
  auto press = Command100MouseDown(midi, 1, true);
  EXPECT_EQ(press.picture, 0);
  EXPECT_TRUE(out.messages.empty());
  EXPECT_EQ(Command100MouseUp(midi, 1, true).action, ButtonAction::kShowResetMenu);
  EXPECT_TRUE(out.messages.empty());

  press = Command100MouseDown(midi, 0, false);
  EXPECT_EQ(press.picture, 114);
  EXPECT_THAT(out.Hex(), ElementsAre("90 30 79", "90 34 79", "90 37 79"));
  EXPECT_EQ(Command100MouseUp(midi, 0, false).action, ButtonAction::kExit);

  EXPECT_EQ(Command100MouseMove(state.app, 0), 113);
  EXPECT_EQ(Command100MouseMove(state.app, 1), 0);
  state.app.ButtonHover = 0;
  EXPECT_EQ(Command100MouseMove(state.app, 1), 110);
}

}  // namespace
}  // namespace kirivane
