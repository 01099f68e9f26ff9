#include "player/layout/display_modes.h"

#include <gtest/gtest.h>

#include "player/layout/control_layout.h"
#include "player/layout/window_reach.h"

namespace kirivane {
namespace {

PlayerState StateOnScreen(int width, int height) {
  PlayerState state;
  state.app.AppTitle = "Kirivane";
  state.app.LangTable[9] = " - compact";
  state.app.LangTable[10] = " - 128";
  ScreenMetrics& s = state.layout.Screen;
  s.ScreenWidth = s.FullScreenWidth = width;
  s.ScreenHeight = s.FullScreenHeight = height;
  return state;
}

DisplayModePlan Request(PlayerState& state, int mode, WindowPosition current) {
  state.layout.RequestedDisplayMode = mode;
  return PlanDisplayMode(state, current);
}

TEST(DisplayModes, ClientSizesOfTheThreeModes) {
  EXPECT_EQ(ClientSize(0, 1).Width, 682);
  EXPECT_EQ(ClientSize(0, 0).Width, 472);
  EXPECT_EQ(ClientSize(0, 0).Height, 565);
  EXPECT_EQ(ClientSize(1, 1).Width, 669);
  EXPECT_EQ(ClientSize(1, 1).Height, 120);
  EXPECT_EQ(ClientSize(2, 0).Height, 33);
  ScreenMetrics s;  // caption 23, small caption 17, frame 3
  EXPECT_EQ(WindowSize(0, 0, s).Width, 478);
  EXPECT_EQ(WindowSize(0, 0, s).Height, 565 + 23 + 6);
  EXPECT_EQ(WindowSize(2, 0, s).Height, 33 + 17 + 6);
}

TEST(DisplayModes, DefaultPositionsCentreTheWindows) {
  ScreenMetrics s;
  s.FullScreenWidth = 1280;
  s.FullScreenHeight = 1001;
  DefaultWindowPositions d = ComputeDefaultPositions(s);
  EXPECT_EQ(d.Mode0Left, (1280 - 6 - 472) / 2);
  EXPECT_EQ(d.Mode0Top, (1001 - 594) / 2);
  EXPECT_EQ(d.Mode12Left, (1280 + 6 - 669) / 2);
  EXPECT_EQ(d.Mode12Top, (1001 - 120 + 29) / 2);
  s.FullScreenWidth = 301;  // narrower than the window: rounded down, not toward zero
  EXPECT_EQ(ComputeDefaultPositions(s).Mode0Left, -89);
}

TEST(DisplayModes, FirstLayoutAndTheModeFamiliesRememberTheirPlaces) {
  PlayerState state = StateOnScreen(1280, 1024);
  state.layout.Mode0Left = 100 * 15;
  state.layout.Mode0Top = 50 * 15;
  state.layout.Mode12Left = 300 * 15;
  state.layout.Mode12Top = 400 * 15;
  DisplayModePlan first = Request(state, 0, {0, 0});
  EXPECT_EQ(first.transition, ModeTransition::kFull);
  EXPECT_EQ(first.position.Left, 1500);
  EXPECT_EQ(first.client.Width, 682);
  EXPECT_EQ(first.topmost, false);
  EXPECT_EQ(first.shape, WindowShape::kRounded);
  EXPECT_EQ(state.layout.DisplayMode, 0);
  EXPECT_EQ(WindowCaption(state.app), "Kirivane");

  // F3: the full window's place is kept, the strip opens at its own place, topmost.
  DisplayModePlan compact = Request(state, 1, {120 * 15, 60 * 15});
  EXPECT_EQ(compact.transition, ModeTransition::kEnterCompact);
  EXPECT_EQ(state.layout.Mode0Left, 1800);
  EXPECT_EQ(compact.position.Left, 4500);
  EXPECT_EQ(compact.position.Top, 6000);
  EXPECT_TRUE(compact.tool_window);
  EXPECT_TRUE(compact.move_strip);
  EXPECT_EQ(compact.topmost, true);
  EXPECT_EQ(compact.shape, WindowShape::kRectangle);
  EXPECT_EQ(WindowCaption(state.app), "Kirivane - compact");

  // F3 again: nothing.
  EXPECT_EQ(Request(state, 1, {0, 0}).transition, ModeTransition::kNone);

  // F2: same family, left edge kept, strip not moved again, topmost left alone.
  DisplayModePlan bar = Request(state, 2, {310 * 15, 410 * 15});
  EXPECT_EQ(bar.transition, ModeTransition::kSwitchCompact);
  EXPECT_EQ(bar.position.Left, 310 * 15);
  EXPECT_EQ(bar.position.Top, 410 * 15);
  EXPECT_FALSE(bar.move_strip);
  EXPECT_FALSE(bar.topmost.has_value());
  EXPECT_EQ(bar.client.Height, 33);

  // F4: back to the full window's old place, not topmost.
  DisplayModePlan full = Request(state, 0, {311 * 15, 411 * 15});
  EXPECT_EQ(full.transition, ModeTransition::kFull);
  EXPECT_EQ(full.position.Left, 1800);
  EXPECT_EQ(full.position.Top, 900);
  EXPECT_EQ(full.topmost, false);
  EXPECT_EQ(state.layout.Mode12Left, 311 * 15);
  EXPECT_EQ(state.app.ButtonHover, -1);
}

TEST(DisplayModes, BarDocksToTheScreenBottomWhenTheStripStoodThere) {
  PlayerState state = StateOnScreen(1920, 1080);
  const ScreenMetrics& s = state.layout.Screen;
  const int strip_height = 2 * s.FrameHeight + s.SmallCaptionHeight + 120;
  state.layout.DisplayMode = 1;
  DisplayModePlan bar = Request(state, 2, {0, (1070 - strip_height) * 15});
  const int bar_height = 33 + 2 * s.FrameHeight + s.SmallCaptionHeight;
  EXPECT_EQ(bar.position.Top, (1080 - bar_height - 28) * 15);

  state.layout.DisplayMode = 1;
  bar = Request(state, 2, {0, (1000 - strip_height) * 15});
  EXPECT_EQ(bar.position.Top, (1000 - strip_height) * 15);
}

TEST(DisplayModes, NegativePositionsComeBackOnScreen) {
  PlayerState state = StateOnScreen(1024, 768);
  state.layout.Mode12Left = -300;
  state.layout.Mode12Top = -15;
  DisplayModePlan plan = Request(state, 1, {0, 0});
  EXPECT_EQ(plan.position.Left, 0);
  EXPECT_EQ(plan.position.Top, 0);
}

TEST(DisplayModes, PlacesOffEveryScreenComeBackOntoTheNearestScreen) {
  PlayerState state = StateOnScreen(1280, 1024);
  state.layout.Screen.Areas = {{0, 0, 1280, 1024}};
  state.layout.Mode0Left = 5000 * 15;  // saved on a monitor that is gone
  state.layout.Mode12Left = 5000 * 15;
  state.layout.Mode12Top = 3000 * 15;
  DisplayModePlan full = Request(state, 0, {0, 0});
  EXPECT_EQ(full.position.Left, (1280 - full.window.Width) * 15);
  EXPECT_EQ(full.position.Top, 0);
  DisplayModePlan bar = Request(state, 2, {full.position.Left, 0});
  EXPECT_EQ(bar.position.Left, (1280 - bar.window.Width) * 15);
  EXPECT_EQ(bar.position.Top, (1024 - bar.window.Height) * 15);

  const std::vector<ScreenArea> two{{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}};
  auto reach = [&](int x, int y) { return ReachablePosition({x, y}, 688, 594, two); };
  EXPECT_EQ(reach(2000, 300).X, 2000);  // on the second monitor: left alone
  EXPECT_EQ(reach(3150, 300).X, 3150);  // 50 px still show: it can be grabbed
  EXPECT_EQ(reach(3190, 300).X, 3200 - 688);
  EXPECT_EQ(reach(2500, 1070).Y, 1080 - 594);  // below the second monitor: onto it
  EXPECT_EQ(reach(-3000, 5000).X, 0);          // far off to the lower left: the primary
  EXPECT_EQ(reach(-3000, 5000).Y, 1024 - 594);
  EXPECT_EQ(ReachablePosition({1250, 10}, 30, 30, two).X, 1250);  // small and wholly shown
  EXPECT_EQ(ReachablePosition({9000, 10}, 30, 30, {}).X, 9000);   // no screens known
}

TEST(DisplayModes, NoRoundedWindowMeansTheShapeIsLeftAlone) {
  PlayerState state = StateOnScreen(1024, 768);
  state.layout.RoundedWindow = 0;
  EXPECT_EQ(Request(state, 0, {0, 0}).shape, WindowShape::kUnchanged);
  EXPECT_EQ(Request(state, 2, {0, 0}).shape, WindowShape::kUnchanged);
}

TEST(SnapToScreenEdges, NearEdgesSnapAndTheNextDropStaysWhereItIs) {
  PlayerState state = StateOnScreen(1024, 768);
  LayoutState& layout = state.layout;
  const PixelSize window{478, 594};
  WindowPosition p = SnapToScreenEdges(layout, {10 * 15, 300 * 15}, window);
  EXPECT_EQ(p.Left, 0);
  EXPECT_EQ(p.Top, 300 * 15);
  EXPECT_EQ(layout.EdgeFixX, -1);
  p = SnapToScreenEdges(layout, {10 * 15, 300 * 15}, window);
  EXPECT_EQ(p.Left, 10 * 15);
  EXPECT_EQ(layout.EdgeFixX, 0);
  // Right and bottom edges (the frame may hang over the edge).
  p = SnapToScreenEdges(layout, {(1024 - 478 - 20) * 15, (768 - 594 + 10) * 15}, window);
  EXPECT_EQ(p.Left, (1024 - 478 + 3) * 15);
  EXPECT_EQ(p.Top, (768 - 594 + 3) * 15);
  p = SnapToScreenEdges(layout, {200 * 15, -24 * 15}, window);
  EXPECT_EQ(p.Left, 200 * 15);
  EXPECT_EQ(p.Top, -24 * 15);  // right after a vertical snap
  p = SnapToScreenEdges(layout, {200 * 15, -24 * 15}, window);
  EXPECT_EQ(p.Top, 0);
}

}  // namespace
}  // namespace kirivane
