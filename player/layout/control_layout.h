#pragma once

#include <array>
#include <cstddef>

namespace kirivane {

// The controls of the main window that the display modes place, by their design names.
enum class Control : std::size_t {
  Keyboard,      // the on-screen keyboard (keyboard panel)
  Shape1,        // the damper lamp about it
  LblNote,       // the note name of the 128-key bar
  Check1,        // the key monitor button (hook panel)
  Combo1,        // MIDI panel: device list
  Command1,      //   its ON/OFF button
  Label5,        //   device caption
  List1,         //   instrument list
  Label8,        //   instrument caption
  HScroll1,      //   octave bar
  Label2,        //   octave caption
  VScroll1,      //   transposition bar
  Label10,       //   transposition value
  Label3,        //   transposition caption
  Command100_0,  //   exit button
  Command100_1,  //   sound reset button
  ImgChordPad,   // chord panel: chord pad
  Label1,        //   chord caption
  Lbl_Chord,     //   chord name
  Image16,       // percussion panel: the percussion set button
  stImage,       //   the picture of the set with its two pads
  LblTitle,      // decoration: the title
  Label12_0,     //   version label, its shadow
  Label12_1,     //   version label
  Image12,       //   background of the compact modes' control strip
  ImgLyrcon,     //   music icon of the 128-key bar
  ImgKao01,      // the face beside error messages (the window)
  PicScore,      // the score panel
  kCount
};
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::kCount);

// Where a display mode puts one control of the main window (client pixels). A width or
// height of -1 leaves that size as it is. A control that is not shown keeps its place.
struct ControlPlace {
  int X = 0;
  int Y = 0;
  int Width = -1;
  int Height = -1;
  bool Visible = false;
};

// The places of every control in one display mode, looked up by control.
class ControlPlaces {
 public:
  const ControlPlace& operator[](Control control) const {
    return places_[static_cast<std::size_t>(control)];
  }
  ControlPlace& operator[](Control control) { return places_[static_cast<std::size_t>(control)]; }

 private:
  std::array<ControlPlace, kControlCount> places_{};
};

// The places of display mode 0, 1 or 2. christmas_day moves the chord pad down for the
// seasonal decoration of 25 December.
ControlPlaces ControlLayout(int mode, bool christmas_day);

}  // namespace kirivane
