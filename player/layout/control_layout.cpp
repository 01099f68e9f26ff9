#include "player/layout/control_layout.h"

namespace kirivane {

namespace {

using Places = std::map<std::string, ControlPlace>;

Places FullWindowPlaces(bool christmas_day) {
  return {
      {"Keyboard", {14, 370, 440, 120}},
      {"Shape1", {4, 362, 461, 137}},
      {"Check1", {5, 72, 66, 20}},
      {"Combo1", {8, 332, 149, 24}},
      {"Command1", {160, 332, 36, -1}},
      {"Label5", {8, 314, 149, 16}},
      {"List1", {314, 21, 151, 52}},
      {"Label8", {236, 22, 74, 16}},
      {"HScroll1", {312, 332, 125, 21}},
      {"Label2", {312, 314, 125, 16}},
      {"VScroll1", {446, 72, 17, 21}},
      {"Label10", {410, 74, 32, 17}},
      {"Label3", {340, 76, 68, 16}},
      {"Command100_0", {400, 525, 64, 32}},
      {"Command100_1", {11, 525, 64, 32}},
      {"ImgChordPad", {4, christmas_day ? 196 : 176, 89, 93}},
      {"Label1", {100, 200, 120, 16}},
      {"Lbl_Chord", {100, 218, 200, 18}},
      {"Image16", {412, 176, 50, 50}},
      {"stImage", {330, 176, 78, 50}},
      {"LblTitle", {100, 110, 270, 60}},
      {"ImgKao01", {177, 150, 150, 136}},
      {"LblNote", {644, 1, 25, 16, false}},
      {"ImgLyrcon", {4, 6, 20, 20, false}},
      {"Image12", {440, 0, 229, 120, false}},
  };
}

Places CompactPlaces(int mode) {
  const bool keyboard_strip = mode == 1;
  Places places = {
      {"Keyboard", keyboard_strip ? ControlPlace{0, 0, 440, 120} : ControlPlace{33, 4, 600, 25}},
      {"Shape1", keyboard_strip ? ControlPlace{440, 0, 2, 120} : ControlPlace{28, 0, 610, 33}},
      {"Check1", {645, keyboard_strip ? 11 : 12, 20, 20}},
      {"Combo1", {452, 12, 153, 21, keyboard_strip}},
      {"Command1", {605, 12, 36, -1, keyboard_strip}},
      {"Label5", {452, 0, 153, 12, keyboard_strip}},
      {"List1", {452, 48, 153, 28}},
      {"Label8", {452, 34, 56, 12, keyboard_strip}},
      {"HScroll1", {519, 89, 74, 17}},
      {"Label2", {519, 77, 74, 12}},
      {"VScroll1", {640, 52, 17, 17}},
      {"Label10", {608, 52, 30, 17}},
      {"Label3", {607, 37, 60, 12}},
      {"Command100_0", {600, 85, 40, 28}},
      {"Command100_1", {446, 85, 40, 28}},
      {"LblNote", {644, 1, 25, 16, !keyboard_strip}},
      {"ImgLyrcon", {4, 6, 20, 20, !keyboard_strip}},
      {"Image12", {440, 0, 229, 120, true}},
  };
  return places;
}

}  // namespace

std::map<std::string, ControlPlace> ControlLayout(int mode, bool christmas_day) {
  return mode == 0 ? FullWindowPlaces(christmas_day) : CompactPlaces(mode);
}

}  // namespace kirivane
