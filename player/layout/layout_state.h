#pragma once

#include <array>
#include <string>

#include "player/layout/screen_metrics.h"

namespace kirivane {

// Display modes, window positions, controller panel, side panels.
struct LayoutState {
  int ScoreMode = 1;  // 1 = score panel open
  int EdgeFixX = 0;   // flags of the screen-edge correction
  int EdgeFixY = 0;
  int DisplayMode = -1;           // mode applied now; -1 = none yet
  int RequestedDisplayMode = 0;   // 0 full window, 1 compact keyboard, 2 128-key bar
  int EnteringCompactMode = 0;    // -1 while the compact layout is applied coming from mode 0
  bool LayoutInProgress = false;  // while the window lays out its controls for a display mode
  int Mode0Left = 0;              // window positions in twips
  int Mode0Top = 0;
  int Mode12Left = 0;
  int Mode12Top = 0;
  int EffectOn = 1;                         // settings: window animation effects
  int RoundedWindow = 1;                    // decided by EffectOn
  int CcMode = 0;                           // 0 volume, 1 pitch bend, 2 modulation, 99 off
  std::array<int, 3> CcValue{};             // panel position per controller mode, 0..127
  std::array<int, 3> CcSent{-1, -1, -1};    // value last applied per mode; -1 = none yet
  std::array<int, 3> CcRest{64, 64, 0};     // rest value per mode
  int DragStartY = 0;                       // screen y where a lantern drag began; 0 = none
  int PanelReleased = 0;                    // -1 once the lantern was let go (bend returns)
  int PanelOpen = 0;                        // -1 while the record/playback panel is open
  int WheelBand = 8;                        // settings: controller panel step 1..127
  std::string ScoreFolder;                  // settings: folder of the score pictures
  ScreenMetrics Screen;                     // measured once at start-up
  DefaultWindowPositions DefaultPositions;  // pixels, from Screen
  OsTraits Os;
};

}  // namespace kirivane
