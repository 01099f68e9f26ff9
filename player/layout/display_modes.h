#pragma once

#include <optional>
#include <string>

#include "player/layout/screen_metrics.h"
#include "player/settings/settings_file.h"
#include "player/state/player_state.h"

namespace kirivane {

// A size in pixels.
struct PixelSize {
  int Width = 0;
  int Height = 0;
};

// The client area of a display mode: 472 x 565 (682 wide with the score panel), 669 x 120,
// 669 x 33.
PixelSize ClientSize(int mode, int score_mode);
// The whole window (frame and caption included) in pixels, from the screen's metrics.
PixelSize WindowSize(int mode, int score_mode, const ScreenMetrics& screen);

enum class ModeTransition { kNone, kFull, kEnterCompact, kSwitchCompact };
enum class WindowShape { kUnchanged, kRounded, kRectangle };

// What the window must do to show the requested display mode.
struct DisplayModePlan {
  ModeTransition transition = ModeTransition::kNone;
  int mode = 0;
  PixelSize client;
  PixelSize window;
  WindowPosition position;      // twips
  bool tool_window = false;     // small caption in the compact modes
  bool move_strip = false;      // the control strip moves right (entering from mode 0)
  std::optional<bool> topmost;  // set or cleared; nothing = leave as it is
  WindowShape shape = WindowShape::kUnchanged;
  bool run_snap = false;  // snap to the screen edges after placing (older systems)
};

// Switches from DisplayMode to RequestedDisplayMode: stores the position of the mode family
// left behind (current, twips), picks the new place and size, sets ModeTitle,
// EnteringCompactMode and DisplayMode. A request for the mode shown changes nothing.
DisplayModePlan PlanDisplayMode(PlayerState& state, const WindowPosition& current);

// The caption: AppTitle & ModeTitle & TitleSuffix.
std::string WindowCaption(const AppState& app);

// Moves a window dropped near a screen edge onto it; right after a snap on an axis the next
// drop on that axis is left alone. position in twips, window size in pixels.
WindowPosition SnapToScreenEdges(LayoutState& layout, const WindowPosition& position,
                                 const PixelSize& window);

}  // namespace kirivane
