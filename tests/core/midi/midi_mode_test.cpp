#include "player/midi/midi_mode.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_midi_hooks.h"
#include "fakes/fake_midi_out.h"

namespace kirivane {
namespace {

using ::testing::ElementsAre;
using testing::FakeControllerHook;
using testing::FakeEventSink;
using testing::FakeKeyboardView;
using testing::FakeMidiNotices;
using testing::FakeMidiOut;
using testing::KeyDrawing;
using testing::RecordedEvent;

class MidiModeTest : public ::testing::Test {
 protected:
  MidiModeTest() {
    midi.SetEventSink(&sink);
    midi.SetKeyboardView(&view);
    midi.SetLampView(&notices);
    midi.SetMessages(&notices);
    midi.SetControllerHook(&controller);
  }

  // Note-offs of every note 0..127 on a status byte, as the fake prints them.
  static std::vector<std::string> AllNoteOffs(const char* status_hex) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::vector<std::string> lines;
    for (int note = 0; note < 128; ++note) {
      lines.push_back(std::string(status_hex) + " " + kDigits[note >> 4] + kDigits[note & 15] +
                      " 7F");
    }
    return lines;
  }

  PlayerState state;
  FakeMidiOut out;
  FakeEventSink sink;
  FakeKeyboardView view;
  FakeMidiNotices notices;
  FakeControllerHook controller;
  MidiMode midi{state, out};
};

TEST_F(MidiModeTest, KeyValuesBecomeNotesOnTheKeyboardChannel) {
  midi.KeyNoteOn(7 + 12);  // lowest key, octave 0, no transposition
  state.midi.OctaveShift = 3;
  midi.KeyNoteOn(43 + 12);  // highest key at octave 3
  midi.KeyNoteOff(43 + 12);
  state.midi.OctaveShift = -1;
  state.midi.Transpose = -2;
  state.midi.KeyOutChannel = 3;
  state.midi.KeyVelocity = 100;
  midi.KeyNoteOn(20 + 12);  // 60 - 12 + 20 + 12 - 2 - 24 = 54
  midi.KeyNoteOnVelocity(20 + 12, 5);
  EXPECT_THAT(out.Hex(), ElementsAre("90 37 79", "90 7F 79", "80 7F 40", "92 36 64", "92 36 05"));
  EXPECT_THAT(sink.events, ElementsAre(RecordedEvent{55, 121, 1}, RecordedEvent{127, 121, 1},
                                       RecordedEvent{127, 0, 0}, RecordedEvent{54, 100, 1},
                                       RecordedEvent{54, 5, 1}));
}

TEST_F(MidiModeTest, NotesOutsideTheRangeKeepTheirLowSevenBits) {
  midi.SendNoteOn(128 + 5);
  midi.SendNoteOn(-1);
  midi.SendNoteOff(200);
  EXPECT_THAT(out.Hex(), ElementsAre("90 05 79", "90 7F 79", "80 48 40"));
  EXPECT_EQ(sink.events[1], (RecordedEvent{127, 121, 1}));
  EXPECT_EQ(sink.events[2], (RecordedEvent{72, 0, 0}));
}

TEST_F(MidiModeTest, PlaybackNotesAreTransposedDrawnAndNotRecorded) {
  state.midi.Transpose = 2;
  state.midi.PlayOutChannel = 2;
  state.midi.KeyOutChannel = 5;
  midi.PlayRecordedNote(60, 108);
  state.midi.OctaveShift = 1;
  midi.PlayRecordedNote(60, 0);
  EXPECT_THAT(out.Hex(), ElementsAre("91 3E 6C", "81 3E 40"));
  EXPECT_THAT(view.drawings, ElementsAre(KeyDrawing{7, kKeySourcePlayback, true},
                                         KeyDrawing{-5, kKeySourcePlayback, false}));
  EXPECT_TRUE(sink.events.empty());
}

TEST_F(MidiModeTest, DamperGoesToBothChannelsAndColoursTheLamp) {
  state.midi.PlayOutChannel = 2;
  midi.DamperOn();
  EXPECT_EQ(notices.lamp_border, 12332382);
  EXPECT_EQ(notices.lamp_fill, 16749229);
  midi.DamperOff();
  EXPECT_EQ(state.midi.DamperLampBorder, 16750926);
  EXPECT_EQ(state.midi.DamperLampFill, 16768401);
  state.midi.PlayOutChannel = 1;
  state.app.XmasSpecial = -1;
  midi.DamperOn();
  EXPECT_EQ(state.midi.DamperLampBorder, 19755);
  EXPECT_EQ(state.midi.DamperLampFill, 4229478);
  state.midi.PercussionSet = true;
  midi.DamperOff();
  EXPECT_EQ(notices.lamp_border, 3718655);
  EXPECT_EQ(notices.lamp_fill, 10155263);
  EXPECT_THAT(out.Hex(),
              ElementsAre("B0 40 7F", "B1 40 7F", "B0 40 00", "B1 40 00", "B0 40 7F", "B0 40 00"));
  EXPECT_THAT(sink.events, ElementsAre(RecordedEvent{0, 0, 4}, RecordedEvent{0, 0, 3},
                                       RecordedEvent{0, 0, 4}, RecordedEvent{0, 0, 3}));
}

TEST_F(MidiModeTest, AllNotesOffOutsideTheBarModeSilencesEveryNote) {
  state.layout.DisplayMode = 0;
  midi.AllNotesOff();
  EXPECT_EQ(out.Hex(), AllNoteOffs("80"));

  out.Clear();
  state.midi.PlayChannel = 2;
  state.midi.PercussionSet = true;
  midi.AllNotesOff();
  const auto lines = out.Hex();
  ASSERT_EQ(lines.size(), 3u * 128u);
  EXPECT_EQ(lines[0], "80 00 7F");
  EXPECT_EQ(lines[1], "81 00 7F");
  EXPECT_EQ(lines[2], "89 00 7F");
  EXPECT_EQ(lines[383], "89 7F 7F");
}

TEST_F(MidiModeTest, AllNotesOffInTheBarModeSilencesOnlyPressedKeys) {
  state.layout.DisplayMode = 2;
  view.pressed128[60] = true;
  view.pressed128[127] = true;
  state.midi.PlayDamper = -1;
  midi.AllNotesOff();
  EXPECT_THAT(out.Hex(), ElementsAre("80 3C 7F", "89 3C 7F", "80 7F 7F", "89 7F 7F", "B0 40 00"));
  EXPECT_THAT(sink.events, ElementsAre(RecordedEvent{0, 0, 3}));
}

TEST_F(MidiModeTest, VolumeModulationAndProgramMessages) {
  state.midi.PlayChannel = 4;
  state.midi.Modulation = 33;
  midi.SendMainVolume(100);
  midi.SendModulation();
  state.midi.PlayChannel = 1;
  state.midi.PercussionSet = true;
  midi.SendMainVolume(5);
  midi.SendBankProgram(8, 19, 16);
  EXPECT_THAT(out.Hex(), ElementsAre("B0 07 64", "B3 07 64", "B0 01 21", "B3 01 21", "B0 07 05",
                                     "B9 07 05", "BF 00 08", "BF 20 00", "CF 13 00"));
}

TEST_F(MidiModeTest, OpeningSetsTheVolumeEverywhereOrReportsTheDriversError) {
  EXPECT_EQ(midi.OpenMidiOut(kMidiMapper), 0);
  EXPECT_EQ(out.opened_id, -1);
  EXPECT_TRUE(state.midi.Timer1Enabled);
  EXPECT_THAT(out.Hex(), ElementsAre("B0 07 40", "B0 07 40", "B9 07 40"));

  out.open_error = 4;
  EXPECT_EQ(midi.OpenMidiOut(1), 4);
  EXPECT_THAT(notices.errors, ElementsAre("fake error 4"));
  EXPECT_FALSE(state.midi.DeviceSwitchOn);
  EXPECT_FALSE(state.midi.Timer1Enabled);
  EXPECT_FALSE(midi.DeviceOpen());
}

TEST_F(MidiModeTest, ClosingSilencesResetsControllersAndCloses) {
  midi.OpenMidiOut(0);
  out.Clear();
  state.midi.PlayChannel = 2;
  midi.CloseMidiOut();
  const auto lines = out.Hex();
  ASSERT_EQ(lines.size(), 256u + 3u);
  EXPECT_THAT(std::vector<std::string>(lines.end() - 3, lines.end()),
              ElementsAre("B0 79 00", "B1 79 00", "B9 79 00"));
  EXPECT_EQ(out.closes, 1);
  EXPECT_FALSE(midi.DeviceOpen());
}

TEST_F(MidiModeTest, ResetSoundResendsProgramResetsAndRestoresThePanel) {
  state.midi.SelectedProgram = 40;
  state.midi.Modulation = 9;
  state.midi.PlayOutChannel = 1;
  state.layout.CcMode = 1;
  state.layout.CcValue[1] = 100;
  midi.ResetSound();
  EXPECT_THAT(out.Hex(), ElementsAre("B0 79 00", "B9 79 00", "C0 28 00", "C0 28 00", "B0 01 09"));
  EXPECT_THAT(out.reset_at, ElementsAre(4u));
  EXPECT_THAT(controller.applied, ElementsAre(64));
  EXPECT_EQ(state.layout.CcValue[1], 64);

  out.Clear();
  state.midi.SelectedProgram = -1;
  state.midi.PlayChannel = 3;
  state.midi.PlayOutChannel = 3;
  state.layout.CcMode = 2;
  midi.ResetSound();
  EXPECT_THAT(out.Hex(), ElementsAre("B0 79 00", "B2 79 00", "B9 79 00", "C0 00 00", "C2 00 00",
                                     "B0 01 09", "B2 01 09"));
  EXPECT_THAT(controller.applied, ElementsAre(64, 9));
}

}  // namespace
}  // namespace kirivane
