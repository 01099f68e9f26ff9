#include "player/display/keyboard_display.h"

#include <gtest/gtest.h>

#include "fakes/fake_surface.h"

namespace kirivane {
namespace {

struct FakeNoteLabel : NoteNameView {
  void SetNoteName(const std::string& text) override { caption = text; }
  std::string caption = "unchanged";
};

class KeyboardDisplayTest : public ::testing::Test {
 protected:
  KeyboardDisplayTest() : display(state, surface) {
    state.layout.DisplayMode = 0;
    state.app.LangTable[280] = "Loading ";
    state.app.LangTable[281] = " %";
    state.app.LangTable[284] = "Drawing is off";
    state.app.LangTable[285] = "Please wait";
    state.app.LangTable[286] = "Wait";
    display.SetView(&label);
  }

  PlayerState state;
  testing::FakeSurface surface;
  KeyboardDisplay display;
  FakeNoteLabel label;
};

TEST_F(KeyboardDisplayTest, ProgressLineGivesTheWholePercent) {
  display.ShowKeyboardMessage(1, 3, "Reading");
  ASSERT_EQ(surface.texts.size(), 2u);
  EXPECT_EQ(surface.texts[0].text, "Reading");
  EXPECT_EQ(surface.texts[1].text, "Loading 33 %");
  surface.Forget();
  display.ShowKeyboardMessage(2, 3, "Reading");
  EXPECT_EQ(surface.texts[1].text, "Loading 66 %");
  surface.Forget();
  // Large counts do not overflow.
  display.ShowKeyboardMessage(3'000'000'000LL, 4'000'000'000LL, "Reading");
  EXPECT_EQ(surface.texts[1].text, "Loading 75 %");
}

TEST_F(KeyboardDisplayTest, WithoutTotalTheSecondLineWaits) {
  display.ShowKeyboardMessage(0, 0, "Saving");
  EXPECT_EQ(surface.texts[1].text, "Please wait");
  EXPECT_EQ(surface.texts[1].top, 65);
  surface.Forget();
  state.layout.DisplayMode = 2;
  display.ShowKeyboardMessage("Saving");
  EXPECT_EQ(surface.texts[1].text, "Wait");
  EXPECT_EQ(surface.texts[1].x, 305);
}

TEST_F(KeyboardDisplayTest, HookWithoutDrawingShowsTheNoticeInsteadOfTheKeys) {
  state.input.HookActive = -1;
  state.input.DrawWhileHooked = 0;
  display.RedrawOrShowDrawingOff();
  EXPECT_TRUE(surface.copies.empty());
  ASSERT_FALSE(surface.texts.empty());
  EXPECT_EQ(surface.texts[0].text, "Drawing is off");
  display.DrawKeyDown(5, kKeySourceKeys);
  EXPECT_EQ(display.Keys().Keys37[5].DownState, kShownReleased);
  state.input.DrawWhileHooked = -1;
  surface.Forget();
  display.RedrawOrShowDrawingOff();
  EXPECT_EQ(surface.copies.size(), 59u);
  display.DrawKeyDown(5, kKeySourceKeys);
  EXPECT_EQ(display.Keys().Keys37[5].DownState, kShownByUser);
}

TEST_F(KeyboardDisplayTest, ModeTwoDrawsTheBarAtTheOctave) {
  state.layout.DisplayMode = 2;
  state.layout.RequestedDisplayMode = 2;
  state.midi.OctaveShift = 1;
  display.RedrawKeyboard();
  ASSERT_EQ(surface.circles.size(), 1u);
  EXPECT_EQ(surface.circles[0].x, KeyX128(72) + 3);
  display.DrawKeyDown(5, kKeySourceKeys);
  EXPECT_TRUE(display.IsPressed128(72));
  display.DrawKeyUp(5, kKeySourcePlayback);  // typing key protected
  EXPECT_TRUE(display.IsPressed128(72));
  display.DrawKeyUp(5, kKeySourceKeys);
  EXPECT_FALSE(display.IsPressed128(72));
}

TEST_F(KeyboardDisplayTest, LabelsOfTheKeyMapShowFromTheNextRedraw) {
  state.input.KeyLabels[5] = "Q";
  display.DrawKeyDown(5, kKeySourceKeys);
  EXPECT_TRUE(surface.texts.empty());
  display.RedrawKeyboard();
  ASSERT_EQ(surface.texts.size(), 1u);
  EXPECT_EQ(surface.texts[0].text, "Q");
  EXPECT_EQ(surface.texts[0].x, KeyX37(5) + 5);
}

TEST_F(KeyboardDisplayTest, NoteNameOnlyWhileStopped) {
  display.ShowNoteName(60);
  EXPECT_EQ(label.caption, "C4");
  state.display.C3To60 = 1;
  display.ShowNoteName(61);
  EXPECT_EQ(label.caption, "C#3");
  display.ShowNoteName(-1);
  EXPECT_EQ(label.caption, "C#3");
  state.performance.Recording = -1;  // the label shows the take instead
  display.ShowNoteName(62);
  EXPECT_EQ(label.caption, "C#3");
  state.performance.Recording = 0;
  state.performance.Playing = -1;
  display.ShowNoteName(62);
  EXPECT_EQ(label.caption, "C#3");
}

}  // namespace
}  // namespace kirivane
