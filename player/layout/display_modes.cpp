#include "player/layout/display_modes.h"

#include <cmath>
#include <cstdlib>

#include "player/layout/window_reach.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"

namespace kirivane {

namespace {

constexpr int kSnapDistance = 25;
constexpr int kDockGap = 28;

// A place saved on a screen that is gone (or far off every screen) comes back onto the nearest
// screen; left and top in twips.
void KeepReachable(const LayoutState& layout, const PixelSize& window, int& left, int& top) {
  const ScreenMetrics& s = layout.Screen;
  const PixelPoint corner{left / s.TwipsX, top / s.TwipsY};
  const PixelPoint reached = ReachablePosition(corner, window.Width, window.Height, s.Areas);
  if (reached.X != corner.X) left = reached.X * s.TwipsX;
  if (reached.Y != corner.Y) top = reached.Y * s.TwipsY;
}

void PlaceFull(PlayerState& state, DisplayModePlan& plan) {
  LayoutState& layout = state.layout;
  const ScreenMetrics& s = layout.Screen;
  state.app.ModeTitle.clear();
  if (!layout.Os.MajorAbove4) {
    const int width = plan.window.Width * s.TwipsX;
    const int height = plan.window.Height * s.TwipsY;
    if (layout.Mode0Left >= s.ScreenWidth * s.TwipsX - width) {
      layout.Mode0Left = s.ScreenWidth * s.TwipsX - width;
    }
    if (layout.Mode0Top >= s.ScreenHeight * s.TwipsY - height) {
      layout.Mode0Top = s.ScreenHeight * s.TwipsY - height;
    }
    layout.EdgeFixX = 0;
    layout.EdgeFixY = 0;
    plan.run_snap = true;
  }
  if (layout.Mode0Left < 0) layout.Mode0Left = 0;
  if (layout.Mode0Top < 0) layout.Mode0Top = 0;
  KeepReachable(layout, plan.window, layout.Mode0Left, layout.Mode0Top);
  plan.position = {layout.Mode0Left, layout.Mode0Top};
  plan.topmost = false;
  if (layout.RoundedWindow == 1) plan.shape = WindowShape::kRounded;
  layout.DisplayMode = 0;
}

// Top of the 128-key bar: docked to the screen bottom when the compact keyboard stood there.
int CompactBarTop(const LayoutState& layout, const PixelSize& bar) {
  const ScreenMetrics& s = layout.Screen;
  const int keyboard_height = 2 * s.FrameHeight + s.SmallCaptionHeight + 120;
  const double bottom = static_cast<double>(layout.Mode12Top) / s.TwipsY + keyboard_height;
  if (std::abs(bottom - s.ScreenHeight) < kSnapDistance) {
    return (s.ScreenHeight - bar.Height - kDockGap) * s.TwipsY;
  }
  return layout.Mode12Top;
}

void PlaceCompact(PlayerState& state, DisplayModePlan& plan) {
  LayoutState& layout = state.layout;
  const ScreenMetrics& s = layout.Screen;
  const int mode = layout.RequestedDisplayMode;
  plan.tool_window = true;
  state.app.ModeTitle = LangText(state.app, mode == 1 ? kLangCompactTitle : kLangBarTitle);
  if (!layout.Os.MajorAbove4) {
    const int width = plan.window.Width * s.TwipsX;
    const int height = plan.window.Height * s.TwipsY;
    if (layout.Mode12Left > s.ScreenWidth * s.TwipsX - width) {
      layout.Mode12Left = s.ScreenWidth * s.TwipsX - width + s.FrameWidth * s.TwipsX;
    }
    if (layout.Mode12Top > s.ScreenHeight * s.TwipsY - height) {
      layout.Mode12Top = s.ScreenHeight * s.TwipsY - height + s.FrameHeight * s.TwipsY;
    }
  }
  if (layout.Mode12Left < 0) layout.Mode12Left = 0;
  if (layout.Mode12Top < 0) layout.Mode12Top = 0;
  KeepReachable(layout, plan.window, layout.Mode12Left, layout.Mode12Top);
  plan.position.Left = layout.Mode12Left;
  plan.position.Top = mode == 1 ? layout.Mode12Top : CompactBarTop(layout, plan.window);
  plan.move_strip = layout.EnteringCompactMode == -1;
  if (plan.move_strip) plan.topmost = true;
  if (layout.RoundedWindow == 1) plan.shape = WindowShape::kRectangle;
  layout.DisplayMode = mode;
}

}  // namespace

PixelSize ClientSize(int mode, int score_mode) {
  if (mode == 1) return {669, 120};
  if (mode == 2) return {669, 33};
  return {472 + 210 * (score_mode == 1 ? 1 : 0), 565};
}

PixelSize WindowSize(int mode, int score_mode, const ScreenMetrics& s) {
  const PixelSize client = ClientSize(mode, score_mode);
  const int caption = mode == 0 ? s.CaptionHeight : s.SmallCaptionHeight;
  return {client.Width + 2 * s.FrameWidth, client.Height + caption + 2 * s.FrameHeight};
}

DisplayModePlan PlanDisplayMode(PlayerState& state, const WindowPosition& current) {
  LayoutState& layout = state.layout;
  DisplayModePlan plan;
  const int from = layout.DisplayMode;
  const int to = layout.RequestedDisplayMode;
  plan.mode = from;
  if (from == to) return plan;
  if (from == 0) {
    layout.Mode0Left = current.Left;
    layout.Mode0Top = current.Top;
    plan.transition = ModeTransition::kEnterCompact;
  } else if (from == 1 || from == 2) {
    layout.Mode12Left = current.Left;
    layout.Mode12Top = current.Top;
    plan.transition = to == 0 ? ModeTransition::kFull : ModeTransition::kSwitchCompact;
  } else {
    plan.transition = to != 0 ? ModeTransition::kEnterCompact : ModeTransition::kFull;
  }
  plan.mode = to;
  plan.client = ClientSize(to, layout.ScoreMode);
  plan.window = WindowSize(to, layout.ScoreMode, layout.Screen);
  if (plan.transition == ModeTransition::kFull) {
    PlaceFull(state, plan);
  } else {
    layout.EnteringCompactMode = plan.transition == ModeTransition::kEnterCompact ? -1 : 0;
    PlaceCompact(state, plan);
  }
  state.app.ButtonHover = -1;
  return plan;
}

std::string WindowCaption(const AppState& app) {
  return app.AppTitle + app.ModeTitle + app.TitleSuffix;
}

WindowPosition SnapToScreenEdges(LayoutState& layout, const WindowPosition& position,
                                 const PixelSize& window) {
  const ScreenMetrics& s = layout.Screen;
  WindowPosition snapped = position;
  const int left = position.Left / s.TwipsX;
  const int top = position.Top / s.TwipsY;
  if (layout.EdgeFixX == -1) {
    layout.EdgeFixX = 0;
  } else if (std::abs(left) < kSnapDistance) {
    snapped.Left = 0;
    layout.EdgeFixX = -1;
  } else if (std::abs(s.ScreenWidth - window.Width - left + s.FrameWidth) < kSnapDistance) {
    snapped.Left = (s.ScreenWidth - window.Width + s.FrameWidth) * s.TwipsX;
    layout.EdgeFixX = -1;
  }
  if (layout.EdgeFixY == -1) {
    layout.EdgeFixY = 0;
  } else if (std::abs(top) < kSnapDistance) {
    snapped.Top = 0;
    layout.EdgeFixY = -1;
  } else if (std::abs(s.ScreenHeight - window.Height - top + s.FrameHeight) < kSnapDistance) {
    snapped.Top = (s.ScreenHeight - window.Height + s.FrameHeight) * s.TwipsY;
    layout.EdgeFixY = -1;
  }
  return snapped;
}

}  // namespace kirivane
