#pragma once

#include <map>
#include <string>

namespace kirivane {

// Where a display mode puts one control of the main window (client pixels). A width or
// height of -1 leaves that size as it is.
struct ControlPlace {
  int X = 0;
  int Y = 0;
  int Width = -1;
  int Height = -1;
  bool Visible = true;
};

// The places of the controls that the layouts move, by control name, for display mode 0, 1
// or 2. christmas_day moves the chord pad down for the seasonal decoration of 25 December.
std::map<std::string, ControlPlace> ControlLayout(int mode, bool christmas_day);

}  // namespace kirivane
