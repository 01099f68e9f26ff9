#include "player/display/mouse_play.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/fake_midi_out.h"
#include "fakes/fake_sounds.h"
#include "fakes/fake_surface.h"
#include "fakes/fake_window.h"
#include "player/layout/side_panels.h"

namespace kirivane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What the side panels and the form were asked for, in order.
struct FakePeers : SidePanelsView, testing::FakeWindowCommands {
  void ShowNotePicture(const std::string& path) override { calls.push_back("picture " + path); }
  void ShowScore(const ScoreNoteChoice& choice) override {
    calls.push_back("score " + std::to_string(choice.note));
  }
  void SetPadPictures(bool pressed) override { calls.push_back(pressed ? "c10 down" : "c10 up"); }
  void FormMouseDown(int button) override { calls.push_back("form " + std::to_string(button)); }
  // Events that arrive while a chord's keys are drawn: run once, at the given DoEvents call.
  void DoEvents() override {
    if (++events == arrive_at && arriving) arriving();
  }
  int arrive_at = 0;
  std::function<void()> arriving;
};

Bytes On(int note, int velocity) {
  return {0x90, static_cast<std::uint8_t>(note), static_cast<std::uint8_t>(velocity)};
}
Bytes Off(int note) {
  return {0x80, static_cast<std::uint8_t>(note), 64};
}

class MousePlayTest : public ::testing::Test {
 protected:
  MousePlayTest()
      : midi(state, out),
        display(state, surface),
        side_panels(state, midi, clock, sounds),
        mouse(state, midi, display, side_panels) {
    state.layout.DisplayMode = 0;
    display.RedrawKeyboard();
    NotePictureTable pictures;
    pictures.NotePictures[1][62] = "d062";  // the drum of note 62 (ShowNotePicture(61, 1))
    side_panels.SetPictures(pictures);
    side_panels.SetView(&peers);
    mouse.SetWindow(&peers);
  }
  void Bar() {
    state.layout.DisplayMode = state.layout.RequestedDisplayMode = 2;
    display.RedrawKeyboard();
  }
  // Centre column of a key of the large keyboard, low enough to hit white keys.
  static float XOf(int index) { return static_cast<float>(KeyX37(index) + 5); }
  void ClickAt(float x, float y) {
    mouse.Keyboard_MouseDown(kMouseLeft, 0, x, y);
    mouse.Keyboard_MouseUp(kMouseLeft, 0, x, y);
  }

  PlayerState state;
  testing::FakeMidiOut out;
  testing::FakeSurface surface;
  testing::FakeClock clock;
  testing::FakeSounds sounds;
  MidiMode midi;
  KeyboardDisplay display;
  FakePeers peers;
  SidePanels side_panels;
  MousePlay mouse;
};

TEST(MouseVelocity, RampOverTheTopOfTheKey) {
  EXPECT_EQ(MouseVelocity(25, 50, 121), 60);
  EXPECT_EQ(MouseVelocity(0, 50, 121), 1);  // the top row sounds softly, never silently
  EXPECT_EQ(MouseVelocity(0.4f, 50, 121), 1);
  EXPECT_EQ(MouseVelocity(50, 50, 121), 121);
  EXPECT_EQ(MouseVelocity(51, 50, 121), 121);
  EXPECT_EQ(MouseVelocity(110, 50, 121), 121);
  EXPECT_EQ(MouseVelocity(10, 0, 99), 99);
  EXPECT_EQ(MouseVelocity(0, 0, 99), 99);
  // y 50.4 rounds to 50, inside the ramp, yet the ramp stops at full velocity (not 128).
  EXPECT_EQ(MouseVelocity(50.4f, 50, 127), 127);
  EXPECT_EQ(MouseVelocity(50.5f, 50, 121), 121);
}

TEST_F(MousePlayTest, ClickPlaysTheKeysNoteWithTheRampVelocity) {
  state.midi.KeyVelocity = 121;
  state.display.MouseVel = 50;
  ClickAt(XOf(5), 25);
  ASSERT_EQ(out.ShortMessages().size(), 2u);
  EXPECT_EQ(out.ShortMessages()[0], On(60, 60));
  EXPECT_EQ(out.ShortMessages()[1], Off(60));
  out.Clear();
  ClickAt(XOf(5), 51);
  EXPECT_EQ(out.ShortMessages()[0], On(60, 121));
  out.Clear();
  ClickAt(XOf(5), 0);
  EXPECT_EQ(out.ShortMessages()[0], On(60, 1));
  EXPECT_EQ(state.display.MouseKey, -1);
}

TEST_F(MousePlayTest, NoteFollowsOctaveAndTransposition) {
  state.midi.OctaveShift = 1;
  state.midi.Transpose = -2;
  state.midi.KeyOutChannel = 3;
  ClickAt(XOf(0), 100);
  EXPECT_EQ(out.ShortMessages()[0], (Bytes{0x92, 60 + 12 - 5 - 2, 121}));
}

TEST_F(MousePlayTest, PressDrawsTheKeyAndShowsTheScore) {
  state.midi.PercussionSet = true;
  mouse.Keyboard_MouseDown(kMouseLeft, 0, XOf(7), 100);
  EXPECT_EQ(display.Keys().Keys37[7].DownState, kShownByUser);
  EXPECT_EQ(display.Keys().Keys37[7].PressSource, kKeySourceMouse);
  EXPECT_EQ(state.display.MouseKey, 7);
  const std::vector<std::string> expected = {"picture d062", "score 62", "c10 down"};
  EXPECT_EQ(peers.calls, expected);
  mouse.Keyboard_MouseUp(kMouseLeft, 0, XOf(7), 100);
  EXPECT_EQ(display.Keys().Keys37[7].DownState, kShownReleased);
  EXPECT_EQ(peers.calls.back(), "c10 up");
}

TEST_F(MousePlayTest, DraggingToTheNextKeyEndsOneNoteAndStartsTheOther) {
  mouse.Keyboard_MouseDown(kMouseLeft, 0, 65, 30);  // key 5
  out.Clear();
  mouse.Keyboard_MouseMove(kMouseLeft, 0, 75, 30);  // key 6
  ASSERT_EQ(out.ShortMessages().size(), 2u);
  EXPECT_EQ(out.ShortMessages()[0], Off(60));
  EXPECT_EQ(out.ShortMessages()[1], On(61, 72));  // Int(121 * 30 / 50)
  mouse.Keyboard_MouseMove(kMouseLeft, 0, 80, 40);
  mouse.Keyboard_MouseMove(kMouseLeft, 0, 86, 10);
  EXPECT_EQ(out.ShortMessages().size(), 2u);
  EXPECT_EQ(display.Keys().Keys37[5].DownState, kShownReleased);
  EXPECT_EQ(display.Keys().Keys37[6].DownState, kShownByUser);
  // Without the button held, moving only remembers the position.
  mouse.Keyboard_MouseMove(0, 0, 300, 100);
  EXPECT_EQ(out.ShortMessages().size(), 2u);
  EXPECT_EQ(state.display.LastMouseX, 300.0f);
}

TEST_F(MousePlayTest, DraggingOffTheKeyboardEndsTheNoteAndReleaseSendsNothingMore) {
  mouse.Keyboard_MouseDown(kMouseLeft, 0, XOf(9), 100);
  mouse.Keyboard_MouseMove(kMouseLeft, 0, XOf(9), -4);
  EXPECT_EQ(state.display.MouseKey, -1);
  EXPECT_EQ(out.ShortMessages().back(), Off(64));
  const auto sent = out.ShortMessages().size();
  mouse.Keyboard_MouseUp(kMouseLeft, 0, XOf(9), -4);
  EXPECT_EQ(out.ShortMessages().size(), sent);
  // Back on the keyboard, a new note starts.
  mouse.Keyboard_MouseDown(kMouseLeft, 0, XOf(9), 100);
  mouse.Keyboard_MouseMove(kMouseLeft, 0, XOf(9), -4);
  mouse.Keyboard_MouseMove(kMouseLeft, 0, XOf(10), 100);
  EXPECT_EQ(out.ShortMessages().back(), On(65, 121));
}

TEST_F(MousePlayTest, RightButtonOpensTheMenuAndPlaysNothing) {
  // A key held on the typing keyboard is not touched by a right click on it.
  display.DrawKeyDown(5, kKeySourceKeys);
  mouse.Keyboard_MouseDown(kMouseRight, 0, XOf(5), 100);
  mouse.Keyboard_MouseUp(kMouseRight, 0, XOf(5), 100);
  EXPECT_TRUE(out.ShortMessages().empty());
  EXPECT_EQ(peers.calls, std::vector<std::string>{"form 2"});
  EXPECT_EQ(display.Keys().Keys37[5].DownState, kShownByUser);
}

TEST_F(MousePlayTest, ReleaseAwayFromTheHeldKeyEndsTheHeldNote) {
  mouse.Keyboard_MouseDown(kMouseLeft, 0, XOf(5), 100);
  mouse.Keyboard_MouseUp(kMouseLeft, 0, XOf(12), 100);  // no move arrived in between
  EXPECT_EQ(out.ShortMessages().back(), Off(60));
  EXPECT_EQ(state.display.MouseKey, -1);
  EXPECT_EQ(display.Keys().Keys37[5].DownState, kShownReleased);
}

TEST_F(MousePlayTest, ReleaseEndsWhatThePressSoundedAfterAnOctaveOrChordChange) {
  mouse.Keyboard_MouseDown(kMouseLeft, 0, XOf(5), 100);
  state.midi.OctaveShift = 1;
  state.chords.ChordActive = -1;
  state.chords.CurrentChord = {0, 4, 7};
  mouse.Keyboard_MouseUp(kMouseLeft, 0, XOf(5), 100);
  const std::vector<Bytes> expected = {On(60, 121), Off(60)};
  EXPECT_EQ(out.ShortMessages(), expected);
  EXPECT_EQ(display.Keys().Keys37[5].DownState, kShownReleased);
  // A display mode change in between: the note ends, no key of the new view is touched.
  out.Clear();
  state.chords.ChordActive = 0;
  mouse.Keyboard_MouseDown(kMouseLeft, 0, XOf(5), 100);
  Bar();
  display.DrawKeyDown128(72, kKeySourceKeys);  // held on the typing keyboard
  mouse.Keyboard_MouseUp(kMouseLeft, 0, 45, 20);
  EXPECT_EQ(out.ShortMessages().back(), Off(72));
  EXPECT_TRUE(display.IsPressed128(72));
}

TEST_F(MousePlayTest, DoubleClickSoundsTheKeyTwice) {
  mouse.Keyboard_MouseMove(0, 0, XOf(5), 100);
  mouse.Keyboard_MouseDown(kMouseLeft, 0, XOf(5), 100);
  mouse.Keyboard_MouseUp(kMouseLeft, 0, XOf(5), 100);
  mouse.Keyboard_DblClick();
  mouse.Keyboard_MouseUp(kMouseLeft, 0, XOf(5), 100);
  const std::vector<Bytes> expected = {On(60, 121), Off(60), On(60, 121), Off(60)};
  EXPECT_EQ(out.ShortMessages(), expected);
}

TEST_F(MousePlayTest, ChordSoundsEveryNoteButDrawsOnlyKeysOnTheKeyboard) {
  state.chords.ChordActive = -1;
  state.chords.CurrentChord = {0, 4, 7};
  mouse.Keyboard_MouseDown(kMouseLeft, 0, XOf(34), 100);
  const std::vector<Bytes> on = {On(89, 121), On(93, 121), On(96, 121)};
  EXPECT_EQ(out.ShortMessages(), on);
  EXPECT_EQ(display.Keys().Keys37[34].DownState, kShownByUser);
  EXPECT_EQ(peers.events, 3);
  // Gliding with a chord releases the whole chord and shows no score note.
  peers.calls.clear();
  out.Clear();
  mouse.Keyboard_MouseMove(kMouseLeft, 0, XOf(33), 100);
  const std::vector<Bytes> glide = {Off(89),     Off(93),     Off(96),
                                    On(88, 121), On(92, 121), On(95, 121)};
  EXPECT_EQ(out.ShortMessages(), glide);
  EXPECT_TRUE(peers.calls.empty());
  EXPECT_EQ(display.Keys().Keys37[34].DownState, kShownReleased);
  EXPECT_EQ(display.Keys().Keys37[33].DownState, kShownByUser);
}

TEST_F(MousePlayTest, ButtonComingUpWhileAChordIsDrawnLeavesNothingSounding) {
  state.chords.ChordActive = -1;
  state.chords.CurrentChord = {0, 4, 7};
  auto release_during = [&](int call) {
    peers.events = 0;
    peers.arrive_at = call;
    peers.arriving = [&] { mouse.Keyboard_MouseUp(kMouseLeft, 0, XOf(33), 100); };
  };
  // Up during the glide's release: the next chord must not start.
  mouse.Keyboard_MouseDown(kMouseLeft, 0, XOf(34), 100);
  out.Clear();
  release_during(2);
  mouse.Keyboard_MouseMove(kMouseLeft, 0, XOf(33), 100);
  EXPECT_EQ(out.ShortMessages(), (std::vector<Bytes>{Off(89), Off(93), Off(96)}));
  EXPECT_EQ(state.display.MouseKey, -1);
  // Up while the press draws its keys: everything ends, nothing stays drawn pressed.
  out.Clear();
  release_during(1);
  mouse.Keyboard_MouseDown(kMouseLeft, 0, XOf(19), 100);
  EXPECT_EQ(out.ShortMessages(),
            (std::vector<Bytes>{On(74, 121), On(78, 121), On(81, 121), Off(74), Off(78), Off(81)}));
  for (int key : {19, 23, 26}) EXPECT_EQ(display.Keys().Keys37[key].DownState, kShownReleased);
  EXPECT_EQ(peers.calls.back(), "c10 up");
}

TEST_F(MousePlayTest, BarPlaysTheNoteUnderThePointerAtKeyVelocity) {
  Bar();
  state.midi.OctaveShift = 2;
  state.midi.Transpose = 5;
  state.midi.KeyVelocity = 100;
  mouse.Keyboard_MouseDown(kMouseLeft, 0, 5, 20);
  EXPECT_EQ(out.ShortMessages()[0], On(0, 100));
  EXPECT_TRUE(display.IsPressed128(0));
  mouse.Keyboard_MouseMove(kMouseLeft, 0, 5, 2);  // the black key above
  EXPECT_EQ(out.ShortMessages()[1], Off(0));
  EXPECT_EQ(out.ShortMessages()[2], On(1, 100));
  mouse.Keyboard_MouseUp(kMouseLeft, 0, 5, 2);
  EXPECT_FALSE(display.IsPressed128(1));
  EXPECT_TRUE(peers.calls.empty());  // no score view and no Command10 in the bar
}

TEST_F(MousePlayTest, BarChordSkipsNotesBeyondTheRange) {
  Bar();
  state.chords.ChordActive = -1;
  state.chords.CurrentChord = {0, 4, 7};
  mouse.Keyboard_MouseDown(kMouseLeft, 0, 597, 20);  // note 127
  EXPECT_EQ(out.ShortMessages(), std::vector<Bytes>{On(127, 121)});
  mouse.Keyboard_MouseUp(kMouseLeft, 0, 597, 20);
  EXPECT_EQ(out.ShortMessages().back(), Off(127));
  EXPECT_EQ(out.ShortMessages().size(), 2u);
}

}  // namespace
}  // namespace kirivane
