#include "player/layout/control_layout.h"

namespace kirivane {

namespace {

// A control shown at x, y, with a width and height (-1: its own).
ControlPlace At(int x, int y, int width = -1, int height = -1) {
  return {x, y, width, height, true};
}

// A control hidden in the mode, keeping the place it would have.
ControlPlace Hidden(int x, int y, int width = -1, int height = -1) {
  return {x, y, width, height, false};
}

ControlPlaces FullWindowPlaces(bool christmas_day) {
  ControlPlaces p;
  p[Control::Keyboard] = At(14, 370, 440, 120);
  p[Control::Shape1] = At(4, 362, 461, 137);
  p[Control::LblNote] = Hidden(644, 1, 25, 16);
  p[Control::Check1] = At(5, 72, 66, 20);
  p[Control::Combo1] = At(8, 332, 149, 24);
  p[Control::Command1] = At(160, 332, 36);
  p[Control::Label5] = At(8, 314, 149, 16);
  p[Control::List1] = At(314, 21, 151, 52);
  p[Control::Label8] = At(236, 22, 74, 16);
  p[Control::HScroll1] = At(312, 332, 125, 21);
  p[Control::Label2] = At(312, 314, 125, 16);
  p[Control::VScroll1] = At(446, 72, 17, 21);
  p[Control::Label10] = At(410, 74, 32, 17);
  p[Control::Label3] = At(340, 76, 68, 16);
  p[Control::Command100_0] = At(400, 525, 64, 32);
  p[Control::Command100_1] = At(11, 525, 64, 32);
  p[Control::ImgChordPad] = At(4, christmas_day ? 196 : 176, 89, 93);
  p[Control::Label1] = At(100, 200, 120, 16);
  p[Control::Lbl_Chord] = At(100, 218, 200, 18);
  p[Control::Image16] = At(412, 176, 50, 50);
  p[Control::stImage] = At(330, 176, 78, 50);
  p[Control::LblTitle] = At(100, 110, 270, 60);
  p[Control::Label12_0] = At(265, 3, 200, 16);
  p[Control::Label12_1] = At(266, 4, 200, 16);
  p[Control::Image12] = Hidden(440, 0, 229, 120);
  p[Control::ImgLyrcon] = Hidden(4, 6, 20, 20);
  p[Control::ImgKao01] = At(177, 150, 150, 136);
  p[Control::PicScore] = At(472, 0, 210, 565);
  return p;
}

// The compact keyboard (1) and the 128-key bar (2) share the control strip on the right;
// the bar is too low for all but the hook button.
ControlPlaces CompactPlaces(int mode) {
  const bool strip = mode == 1;
  auto in_strip = [strip](int x, int y, int width, int height) {
    return strip ? At(x, y, width, height) : Hidden(x, y, width, height);
  };
  ControlPlaces p;
  p[Control::Keyboard] = strip ? At(0, 0, 440, 120) : At(33, 4, 600, 25);
  p[Control::Shape1] = strip ? At(440, 0, 2, 120) : At(28, 0, 610, 33);
  p[Control::LblNote] = strip ? Hidden(644, 1, 25, 16) : At(644, 1, 25, 16);
  p[Control::Check1] = At(645, strip ? 11 : 12, 20, 20);
  p[Control::Combo1] = in_strip(452, 12, 153, 21);
  p[Control::Command1] = in_strip(605, 12, 36, -1);
  p[Control::Label5] = in_strip(452, 0, 153, 12);
  p[Control::List1] = in_strip(452, 48, 153, 28);
  p[Control::Label8] = in_strip(452, 34, 56, 12);
  p[Control::HScroll1] = in_strip(519, 89, 74, 17);
  p[Control::Label2] = in_strip(519, 77, 74, 12);
  p[Control::VScroll1] = in_strip(640, 52, 17, 17);
  p[Control::Label10] = in_strip(608, 52, 30, 17);
  p[Control::Label3] = in_strip(607, 37, 60, 12);
  p[Control::Command100_0] = in_strip(600, 85, 40, 28);
  p[Control::Command100_1] = in_strip(446, 85, 40, 28);
  p[Control::ImgLyrcon] = strip ? Hidden(4, 6, 20, 20) : At(4, 6, 20, 20);
  p[Control::Image12] = At(440, 0, 229, 120);
  return p;
}

}  // namespace

ControlPlaces ControlLayout(int mode, bool christmas_day) {
  return mode == 0 ? FullWindowPlaces(christmas_day) : CompactPlaces(mode);
}

}  // namespace kirivane
