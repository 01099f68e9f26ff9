#include "player/layout/controller_lantern.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/keyboard/keyboard_mouse.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_midi_out.h"
#include "fakes/fake_sounds.h"
#include "player/layout/side_panels.h"

namespace kirivane {
namespace {

using Hex = std::vector<std::string>;

class FakeLanternView : public ControllerLanternView {
 public:
  void DrawLanternLength(int mode, int value) override { length[mode] = value; }
  void SetLanternToolTip(int mode, const std::string& text) override { tooltip[mode] = text; }
  void SetBendLabel(const std::string& caption, int colour) override {
    label = caption;
    label_colour = colour;
  }
  void StartReturnTimer(int interval_ms) override { timer_ms = interval_ms; }
  void StopReturnTimer() override { timer_ms = 0; }
  bool LanternOnScreen() const override { return on_screen; }

  std::map<int, int> length;
  std::map<int, std::string> tooltip;
  std::string label;
  int label_colour = 0;
  int timer_ms = 0;  // 0 = stopped
  bool on_screen = true;
};

class FakeOptionsButton : public SidePanelsView {
 public:
  void ShowOptionsButton(bool shown) override { options_shown = shown; }
  bool options_shown = true;
};

class ControllerLanternTest : public ::testing::Test {
 protected:
  ControllerLanternTest() {
    state.layout.DisplayMode = 0;
    state.layout.EffectOn = 0;
    state.app.LangTable[151] = "Pitch bend";
    state.app.LangTable[154] = ":";
    lantern.SetSidePanels(&side);
    side.SetView(&options);
    lantern.SetView(&view);
  }
  // A drag on the lantern from screen y 500 by the given pixels, then the release.
  void Drag(int pixels) {
    lantern.Lantern_MouseDown(kMouseLeft, 500);
    lantern.Lantern_MouseMove(kMouseLeft, 500 + pixels);
    lantern.Lantern_MouseUp(kMouseLeft);
  }
  Hex Sent() {
    Hex hex = out.Hex();
    out.Clear();
    return hex;
  }

  PlayerState state;
  testing::FakeMidiOut out;
  testing::FakeClock clock;
  MidiMode midi{state, out};
  FakeLanternView view;
  FakeOptionsButton options;
  testing::FakeSounds sounds;
  SidePanels side{state, midi, clock, sounds};
  ControllerLantern lantern{state, midi, clock};
};

TEST_F(ControllerLanternTest, ValuesFromDragWheelAndBendFollowTheRules) {
  // Volume: a 30-pixel drag from 64 sends 94; the next 100 pixels stop at 127.
  state.midi.MainVolume = 64;
  lantern.ShowControllerPanel();
  EXPECT_EQ(state.layout.CcValue[0], 64);
  Drag(30);
  EXPECT_EQ(Sent(), (Hex{"B0 07 5E"}));
  EXPECT_EQ(state.layout.CcValue[0], 94);
  EXPECT_EQ(view.length[0], 94);
  EXPECT_FALSE(options.options_shown);  // the long lantern covers the options button
  Drag(100);
  EXPECT_EQ(Sent(), (Hex{"B0 07 7F"}));
  EXPECT_EQ(state.midi.MainVolume, 127);

  // Wheel, WheelBand 8: away from the user shortens, towards lengthens; both ends clamp, and
  // a repeated end value sends nothing. Half notches add up.
  state.layout.CcValue[0] = 5;
  lantern.MouseWheel(120);
  lantern.MouseWheel(120);
  EXPECT_EQ(Sent(), (Hex{"B0 07 00"}));
  EXPECT_EQ(state.layout.CcValue[0], 0);
  EXPECT_TRUE(options.options_shown);
  state.layout.CcValue[0] = 123;
  lantern.MouseWheel(-60);
  EXPECT_EQ(Sent(), Hex{});
  lantern.MouseWheel(-60);
  EXPECT_EQ(Sent(), (Hex{"B0 07 7F"}));
  EXPECT_EQ(state.layout.CcValue[0], 127);

  // Pitch bend at rest: word 8127 (data 3F 3F) on the key and the playback channel.
  state.midi.PlayOutChannel = 3;
  lantern.SwitchCcMode(-1);
  EXPECT_EQ(Sent(), (Hex{"99 3A 6C"}));  // the change of mode sounds, the animation sends nothing
  lantern.ApplyCcValue(64);
  EXPECT_EQ(Sent(), (Hex{"E0 3F 3F", "E2 3F 3F"}));
  EXPECT_EQ(view.tooltip[1], "0");
  EXPECT_EQ(view.label_colour, kButtonTextColour);
  lantern.ApplyCcValue(-5);  // clamped to 0: fully up
  EXPECT_EQ(Sent(), (Hex{"E0 7F 7F", "E2 7F 7F"}));
  EXPECT_EQ(view.label, "Pitch bend(+8191) :");
  EXPECT_EQ(view.tooltip[1], "+8191");
  lantern.ApplyCcValue(127);
  EXPECT_EQ(Sent(), (Hex{"E0 00 00", "E2 00 00"}));
  EXPECT_EQ(view.tooltip[1], "-8192");
  EXPECT_EQ(view.label_colour, 0x0000FF);  // red

  // Off: wheel, drag and values do nothing at all.
  lantern.SwitchCcMode(-1);  // to modulation: the bend is centred before the change
  EXPECT_EQ(Sent(), (Hex{"E0 3F 3F", "E2 3F 3F", "99 23 6C"}));
  lantern.SwitchCcMode(-1);
  ASSERT_EQ(state.layout.CcMode, kCcOff);
  Sent();
  lantern.MouseWheel(120);
  Drag(40);
  lantern.ApplyCcValue(10);
  lantern.Lantern_DblClick();
  EXPECT_EQ(Sent(), Hex{});
}

TEST_F(ControllerLanternTest, AReleasedBendSpringsBackOneTickLater) {
  state.layout.CcMode = kCcBend;
  state.layout.EffectOn = 1;
  lantern.ShowControllerPanel();
  EXPECT_EQ(view.length[1], 64);
  Sent();
  Drag(-20);                             // value 44: bend up
  EXPECT_EQ(Sent(), (Hex{"E0 53 53"}));  // 16383 - 129 * 44
  EXPECT_EQ(view.timer_ms, 100);
  lantern.PitchReturnTick();
  EXPECT_EQ(Sent(), (Hex{"E0 3F 3F"}));
  EXPECT_EQ(state.layout.CcValue[1], 64);
  EXPECT_NE(view.timer_ms, 0);
  lantern.PitchReturnTick();  // already at rest: the timer stops
  EXPECT_EQ(Sent(), Hex{});
  EXPECT_EQ(view.timer_ms, 0);
  EXPECT_EQ(state.layout.PanelReleased, 0);

  // Double clicks: the lantern returns to rest; the string gives full modulation in mode 2.
  lantern.ApplyCcValue(20);
  lantern.Lantern_DblClick();
  EXPECT_EQ(state.layout.CcValue[1], 64);
  lantern.SwitchCcMode(0);
  Sent();
  lantern.String_DblClick();
  EXPECT_EQ(Sent(), (Hex{"B0 01 7F"}));
  EXPECT_EQ(state.midi.Modulation, 127);
}

TEST_F(ControllerLanternTest, GrowthIsAnimatedOnlyWhereItCanBeSeen) {
  state.layout.EffectOn = 1;
  state.layout.CcMode = kCcVolume;
  state.midi.MainVolume = 100;
  view.on_screen = false;  // the window is not shown yet
  const auto start = clock.now_ms;
  lantern.ShowControllerPanel();
  EXPECT_EQ(clock.now_ms, start);
  EXPECT_EQ(view.length[0], 100);
  view.on_screen = true;
  lantern.ShowControllerPanel();
  EXPECT_EQ(clock.now_ms, start + 101);  // a millisecond a step, 0..100
  EXPECT_EQ(view.length[0], 100);
}

}  // namespace
}  // namespace kirivane
