#pragma once

#include <vector>

namespace kirivane {

// One screen's work area on the virtual desktop, in pixels.
struct ScreenArea {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// The screen as the window layout sees it, measured once at start-up by the window system
// layer. Sizes are in pixels; window positions are held in twips (pixels x TwipsX/TwipsY),
// so the factors must stay the same for the whole run for positions to round-trip.
struct ScreenMetrics {
  int TwipsX = 15;
  int TwipsY = 15;
  int CaptionHeight = 23;       // normal window caption
  int SmallCaptionHeight = 17;  // tool-window caption
  int FrameWidth = 3;           // fixed dialog frame, each side
  int FrameHeight = 3;
  int FullScreenWidth = 1024;  // work area
  int FullScreenHeight = 768;
  int ScreenWidth = 1024;  // whole screen
  int ScreenHeight = 768;
  // Every screen of the virtual desktop, the primary one first; empty when not measured.
  std::vector<ScreenArea> Areas;
};

// Where each mode family opens when the settings file has no position, in pixels.
struct DefaultWindowPositions {
  int Mode0Left = 0;
  int Mode0Top = 0;
  int Mode12Left = 0;
  int Mode12Top = 0;
};

// Centres the full window and the compact strip on the work area.
DefaultWindowPositions ComputeDefaultPositions(const ScreenMetrics& screen);

// What the operating-system version tests answer on this platform.
struct OsTraits {
  // Modern systems keep windows on screen themselves: no right and bottom edge corrections.
  bool MajorAbove4 = true;
  // Set where window regions are unreliable; then the window stays rectangular.
  bool MajorAbove5OrMinorSet = false;
  bool MajorAbove5 = true;
};

}  // namespace kirivane
