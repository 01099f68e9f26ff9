#include "common/keyboard/kb_paint.h"

#include <gtest/gtest.h>

#include "common/keyboard/kenban_cells.h"
#include "fakes/fake_surface.h"

namespace kirivane {
namespace {

using testing::FakeSurface;

bool SameCell(const Cell& a, const Cell& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

class KBPaintTest : public ::testing::Test {
 protected:
  KBPaintTest() : paint(surface) {}

  void Redraw() {
    paint.RedrawKeyboard(mode);
    surface.Forget();
  }
  const KeySlot& Slot(int index) const { return paint.Keys().Keys37[index]; }
  const KeySlot& Slot128(int note) const { return paint.Keys().Keys128[note]; }

  FakeSurface surface;
  KBPaint paint;
  KeyboardMode mode;
};

TEST_F(KBPaintTest, FullRedrawDrawsEveryKeyInIndexOrderAndRefreshes) {
  paint.DrawKeyDown(3, kKeySourceKeys, mode);
  surface.Forget();
  paint.RedrawKeyboard(mode);
  ASSERT_EQ(surface.copies.size(), 22u * 2 + 15);  // white keys: mask and sprite; black: one
  EXPECT_EQ(surface.refreshes, 1);
  // Index 0 (white, type 0), then index 1 (black) over it.
  EXPECT_TRUE(SameCell(surface.copies[0].cell, kLargeWhiteMasks[0]));
  EXPECT_EQ(surface.copies[0].op, RasterOp::And);
  EXPECT_EQ(surface.copies[0].sheet, Sheet::Mask);
  EXPECT_TRUE(SameCell(surface.copies[1].cell, kLargeWhiteCells[0][0]));
  EXPECT_EQ(surface.copies[1].op, RasterOp::Xor);
  EXPECT_TRUE(SameCell(surface.copies[2].cell, kLargeBlackCells[0]));
  EXPECT_EQ(surface.copies[2].op, RasterOp::Copy);
  EXPECT_EQ(surface.copies[2].x, 12);
  EXPECT_EQ(surface.copies.back().x, 420);
  EXPECT_EQ(Slot(3).DownState, kShownReleased);
  EXPECT_EQ(Slot(3).PressSource, 0);
}

TEST_F(KBPaintTest, KeyChangesCostAtMostTwoCopiesAndNoRefresh) {
  Redraw();
  paint.DrawKeyDown(7, kKeySourceKeys, mode);  // white D
  ASSERT_EQ(surface.copies.size(), 2u);
  EXPECT_TRUE(SameCell(surface.copies[0].cell, kLargeWhiteMasks[1]));
  EXPECT_TRUE(SameCell(surface.copies[1].cell, kLargeWhiteCells[1][1]));
  EXPECT_EQ(surface.copies[1].x, 80);
  paint.DrawKeyDown(8, kKeySourcePlayback, mode);  // black D#
  ASSERT_EQ(surface.copies.size(), 3u);
  EXPECT_TRUE(SameCell(surface.copies[2].cell, kLargeBlackCells[2]));
  paint.DrawKeyUp(8, kKeySourcePlayback, mode);
  paint.DrawKeyUp(7, kKeySourceKeys, mode);
  ASSERT_EQ(surface.copies.size(), 6u);
  EXPECT_TRUE(SameCell(surface.copies[3].cell, kLargeBlackCells[0]));
  EXPECT_TRUE(SameCell(surface.copies[5].cell, kLargeWhiteCells[1][0]));
  EXPECT_EQ(surface.refreshes, 0);
}

TEST_F(KBPaintTest, PressedKeyIsNotDrawnAgainAndKeepsItsSource) {
  Redraw();
  paint.DrawKeyDown(12, kKeySourceMouse, mode);
  surface.Forget();
  paint.DrawKeyDown(12, kKeySourceKeys, mode);
  paint.DrawKeyDown(12, kKeySourcePlayback, mode);
  EXPECT_TRUE(surface.copies.empty());
  EXPECT_EQ(Slot(12).DownState, kShownByUser);
  EXPECT_EQ(Slot(12).PressSource, kKeySourceMouse);
}

TEST_F(KBPaintTest, PlaybackLeavesAKeyHeldOnTheTypingKeyboard) {
  Redraw();
  paint.DrawKeyDown(9, kKeySourceKeys, mode);
  paint.DrawKeyDown(9, kKeySourcePlayback, mode);
  paint.DrawKeyUp(9, kKeySourcePlayback, mode);
  EXPECT_EQ(Slot(9).DownState, kShownByUser);
  paint.DrawKeyUp(9, kKeySourceKeys, mode);
  EXPECT_EQ(Slot(9).DownState, kShownReleased);
  EXPECT_EQ(Slot(9).PressSource, kKeySourceKeys);
  // Only a typing-key press is protected: playback ends a mouse press.
  paint.DrawKeyDown(9, kKeySourceMouse, mode);
  paint.DrawKeyUp(9, kKeySourcePlayback, mode);
  EXPECT_EQ(Slot(9).DownState, kShownReleased);
  EXPECT_EQ(Slot(9).PressSource, kKeySourcePlayback);
  // Releasing a released key draws nothing.
  surface.Forget();
  paint.DrawKeyUp(9, kKeySourceMouse, mode);
  EXPECT_TRUE(surface.copies.empty());
}

TEST_F(KBPaintTest, MidiInputKeysHaveTheirOwnLookAndKeepWhatIsHeld) {
  std::vector<std::string> labels(37, "Q");
  paint.SetLabels(labels);
  Redraw();
  paint.DrawKeyDown(7, kKeySourceMidiIn, mode);  // white D
  paint.DrawKeyDown(8, kKeySourceMidiIn, mode);  // black D#
  ASSERT_EQ(surface.copies.size(), 3u);
  EXPECT_TRUE(SameCell(surface.copies[1].cell, kLargeWhiteCells[1][kShownByMidiIn]));
  EXPECT_TRUE(SameCell(surface.copies[2].cell, kLargeBlackCells[kShownByMidiIn]));
  EXPECT_TRUE(surface.texts.empty()) << "the MIDI input prints no typing-key label";
  EXPECT_EQ(Slot(7).DownState, kShownByMidiIn);
  // Playback does not end a key held on the MIDI keyboard, nor the MIDI input one held on the
  // typing keyboard; each holder ends its own.
  paint.DrawKeyUp(7, kKeySourcePlayback, mode);
  EXPECT_EQ(Slot(7).DownState, kShownByMidiIn);
  paint.DrawKeyDown(9, kKeySourceKeys, mode);
  paint.DrawKeyUp(9, kKeySourceMidiIn, mode);
  EXPECT_EQ(Slot(9).DownState, kShownByUser);
  paint.DrawKeyUp(7, kKeySourceMidiIn, mode);
  EXPECT_EQ(Slot(7).DownState, kShownReleased);
  paint.DrawKeyDown(10, kKeySourceMouse, mode);
  paint.DrawKeyUp(10, kKeySourceMidiIn, mode);
  EXPECT_EQ(Slot(10).DownState, kShownReleased);
  // On the bar, the small cells of the same look.
  mode.DisplayMode = 2;
  mode.RequestedDisplayMode = 2;
  Redraw();
  paint.DrawKeyDown128(21, kKeySourceMidiIn, mode);  // A0, far below the 37 keys
  paint.DrawKeyDown128(22, kKeySourceMidiIn, mode);
  ASSERT_EQ(surface.copies.size(), 3u);
  EXPECT_TRUE(SameCell(surface.copies[1].cell, kSmallWhiteCells[1][kShownByMidiIn]));
  EXPECT_TRUE(SameCell(surface.copies[2].cell, kSmallBlackCells[kShownByMidiIn]));
  EXPECT_EQ(Slot128(21).DownState, kShownByMidiIn);
  paint.DrawKeyUp128(21, kKeySourcePlayback, mode);
  EXPECT_TRUE(paint.IsPressed128(21));
  paint.DrawKeyUp128(21, kKeySourceMidiIn, mode);
  EXPECT_FALSE(paint.IsPressed128(21));
}

TEST_F(KBPaintTest, GatedDrawingChangesNothing) {
  Redraw();
  mode.DrawingAllowed = false;
  paint.DrawKeyDown(4, kKeySourceKeys, mode);
  paint.DrawKeyDown128(60, kKeySourceKeys, mode);
  EXPECT_TRUE(surface.copies.empty());
  EXPECT_EQ(Slot(4).DownState, kShownReleased);
  EXPECT_EQ(Slot128(60).DownState, kShownReleased);
  mode.DrawingAllowed = true;
  paint.DrawKeyDown(4, kKeySourceKeys, mode);
  mode.DrawingAllowed = false;
  paint.DrawKeyUp(4, kKeySourceKeys, mode);
  EXPECT_EQ(Slot(4).DownState, kShownByUser);
}

TEST_F(KBPaintTest, IndexesOutsideTheKeyboardAreIgnored) {
  Redraw();
  for (int index : {-1, 37, 1000}) {
    paint.DrawKeyDown(index, kKeySourceKeys, mode);
    paint.DrawKeyUp(index, kKeySourceKeys, mode);
  }
  for (int note : {-1, 128, 129}) paint.DrawKeyDown128(note, kKeySourceKeys, mode);
  EXPECT_TRUE(surface.copies.empty());
}

TEST_F(KBPaintTest, LabelsSitAtTheirOffsets) {
  std::vector<std::string> labels(37);
  labels[0] = "A";    // white
  labels[2] = "BCD";  // white, cut to two characters
  labels[1] = "E";    // black
  labels[3] = "FG";   // black
  paint.SetLabels(labels);
  Redraw();
  paint.DrawKeyDown(0, kKeySourceKeys, mode);
  paint.DrawKeyDown(2, kKeySourceMouse, mode);
  paint.DrawKeyDown(1, kKeySourceKeys, mode);
  paint.DrawKeyDown(3, kKeySourcePlayback, mode);  // playback prints no label
  paint.DrawKeyUp(3, kKeySourcePlayback, mode);
  paint.DrawKeyUp(0, kKeySourcePlayback, mode);  // protected: nothing printed
  ASSERT_EQ(surface.texts.size(), 4u);
  EXPECT_EQ(surface.texts[0].x, 0 + 6);
  EXPECT_EQ(surface.texts[0].top, 98);
  EXPECT_EQ(surface.texts[1].x, 20 + 2);
  EXPECT_EQ(surface.texts[1].text, "BC");
  EXPECT_EQ(surface.texts[2].x, 12 + 5);
  EXPECT_EQ(surface.texts[2].top, 44);
  EXPECT_EQ(surface.texts[3].x, 32);  // released black, two characters
  EXPECT_EQ(surface.texts[3].top, 44);
  surface.Forget();
  paint.RedrawKeyboard(mode);
  ASSERT_EQ(surface.texts.size(), 4u);
  EXPECT_EQ(surface.texts[0].x, 5);
  EXPECT_EQ(surface.texts[1].x, 16);
  EXPECT_EQ(surface.texts[2].x, 21);
  EXPECT_EQ(surface.texts[3].x, 32);
}

TEST_F(KBPaintTest, KeyDrawingGoesToTheBarInModeTwo) {
  mode.DisplayMode = 2;
  mode.RequestedDisplayMode = 2;
  Redraw();
  paint.DrawKeyDown(5, kKeySourceKeys, mode);
  EXPECT_EQ(Slot128(60).DownState, kShownByUser);
  EXPECT_EQ(Slot(5).DownState, kShownReleased);
  ASSERT_EQ(surface.copies.size(), 2u);
  EXPECT_TRUE(SameCell(surface.copies[0].cell, kSmallWhiteMasks[0]));
  EXPECT_TRUE(SameCell(surface.copies[1].cell, kSmallWhiteCells[0][1]));
  EXPECT_EQ(surface.copies[1].x, KeyX128(60));
  mode.OctaveShift = -1;
  paint.DrawKeyDown(6, kKeySourcePlayback, mode);
  EXPECT_EQ(Slot128(49).DownState, kShownByPlayback);
  EXPECT_TRUE(SameCell(surface.copies[2].cell, kSmallBlackCells[2]));
  EXPECT_TRUE(paint.IsPressed128(49));
  EXPECT_FALSE(paint.IsPressed128(50));
  EXPECT_FALSE(paint.IsPressed128(128));
}

TEST_F(KBPaintTest, BarRedrawMarksTheHomeC) {
  mode.RequestedDisplayMode = 2;
  paint.RedrawKeyboard(mode);
  EXPECT_EQ(surface.copies.size(), 75u * 2 + 53);
  ASSERT_EQ(surface.circles.size(), 1u);
  EXPECT_EQ(surface.circles[0].x, KeyX128(60) + 3);
  EXPECT_EQ(surface.circles[0].y, 19);
  EXPECT_EQ(surface.circles[0].radius, 2);
  EXPECT_EQ(surface.circles[0].rgb, 0xFF4E4Eu);
  EXPECT_TRUE(surface.texts.empty());
  mode.OctaveShift = -2;
  surface.Forget();
  paint.RedrawKeyboard(mode);
  ASSERT_EQ(surface.circles.size(), 1u);
  EXPECT_EQ(surface.circles[0].x, KeyX128(36) + 3);
  // Releasing the home C draws the mark again; other notes do not.
  mode.DisplayMode = 2;
  paint.DrawKeyDown128(36, kKeySourceMouse, mode);
  paint.DrawKeyDown128(38, kKeySourceMouse, mode);
  surface.Forget();
  paint.DrawKeyUp128(38, kKeySourceMouse, mode);
  EXPECT_TRUE(surface.circles.empty());
  paint.DrawKeyUp128(36, kKeySourceMouse, mode);
  EXPECT_EQ(surface.circles.size(), 1u);
}

TEST_F(KBPaintTest, ClosingSkipsTheLargeKeyboardOnly) {
  mode.AppClosing = true;
  paint.RedrawKeyboard(mode);
  EXPECT_TRUE(surface.copies.empty());
  EXPECT_EQ(surface.refreshes, 0);
  mode.RequestedDisplayMode = 2;
  paint.RedrawKeyboard(mode);
  EXPECT_FALSE(surface.copies.empty());
}

TEST_F(KBPaintTest, MessagesReplaceTheKeyboard) {
  paint.ShowMessage(0, "abcd", "xy");
  EXPECT_EQ(surface.clears, 1);
  EXPECT_EQ(surface.refreshes, 1);
  ASSERT_EQ(surface.texts.size(), 2u);
  EXPECT_EQ(surface.texts[0].x, 220 - 14);
  EXPECT_EQ(surface.texts[0].top, 45);
  EXPECT_EQ(surface.texts[1].x, 220 - 7);
  EXPECT_EQ(surface.texts[1].top, 65);
  surface.Forget();
  paint.ShowMessage(2, "abcd", "xy");
  ASSERT_EQ(surface.texts.size(), 2u);
  EXPECT_EQ(surface.texts[0].x, 136);
  EXPECT_EQ(surface.texts[0].top, 5);
  EXPECT_EQ(surface.texts[1].x, 305);
  EXPECT_EQ(surface.texts[1].top, 5);
  EXPECT_EQ(paint.MeasureTextWidth("abc"), 21);
}

}  // namespace
}  // namespace kirivane
