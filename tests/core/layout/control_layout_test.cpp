// The places of the window's controls keep their promises in every display mode: each control
// shown lies inside the client area, and controls lie on each other only where they are meant
// to.
#include "player/layout/control_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "player/layout/display_modes.h"

namespace kirivane {
namespace {

Control ControlAt(std::size_t index) {
  return static_cast<Control>(index);
}

bool Overlap(const ControlPlace& a, const ControlPlace& b) {
  if (a.Width < 0 || a.Height < 0 || b.Width < 0 || b.Height < 0) {
    return a.X == b.X && a.Y == b.Y;
  }
  return a.X < b.X + b.Width && b.X < a.X + a.Width && a.Y < b.Y + b.Height && b.Y < a.Y + a.Height;
}

// The pairs of controls shown in a layout that lie on each other, by index.
std::set<std::pair<std::size_t, std::size_t>> Overlaps(const ControlPlaces& places) {
  std::set<std::pair<std::size_t, std::size_t>> pairs;
  for (std::size_t i = 0; i < kControlCount; ++i) {
    for (std::size_t j = i + 1; j < kControlCount; ++j) {
      const ControlPlace& a = places[ControlAt(i)];
      const ControlPlace& b = places[ControlAt(j)];
      if (a.Visible && b.Visible && Overlap(a, b)) pairs.insert({i, j});
    }
  }
  return pairs;
}

std::pair<std::size_t, std::size_t> Pair(Control a, Control b) {
  return {static_cast<std::size_t>(a), static_cast<std::size_t>(b)};
}

TEST(ControlLayout, EveryControlShownLiesInsideTheClientArea) {
  for (int mode = 0; mode <= 2; ++mode) {
    for (bool christmas_day : {false, true}) {
      const ControlPlaces places = ControlLayout(mode, christmas_day);
      // The score panel widens the full window; everything else fits the narrow one.
      const PixelSize narrow = ClientSize(mode, 0);
      const PixelSize wide = ClientSize(mode, 1);
      for (std::size_t i = 0; i < kControlCount; ++i) {
        const Control control = ControlAt(i);
        const ControlPlace& p = places[control];
        if (!p.Visible) continue;
        // The strip's background keeps its height in the 128-key bar: the bar's edge cuts it.
        if (mode == 2 && control == Control::Image12) continue;
        const PixelSize area = control == Control::PicScore ? wide : narrow;
        SCOPED_TRACE("mode " + std::to_string(mode) + ", control " + std::to_string(i));
        EXPECT_GE(p.X, 0);
        EXPECT_GE(p.Y, 0);
        EXPECT_LE(p.X + std::max(p.Width, 0), area.Width);
        EXPECT_LE(p.Y + std::max(p.Height, 0), area.Height);
      }
    }
  }
}

TEST(ControlLayout, ControlsLieOnEachOtherOnlyWhereMeantTo) {
  const ControlPlaces full = ControlLayout(0, false);
  const ControlPlaces strip = ControlLayout(1, false);
  const ControlPlaces bar = ControlLayout(2, false);

  // The lamp about the keyboard; the version label on its shadow; the list's last pixel row on
  // the transposition bar; the face over the window while a message shows.
  std::set<std::pair<std::size_t, std::size_t>> meant{Pair(Control::Keyboard, Control::Shape1),
                                                      Pair(Control::List1, Control::VScroll1),
                                                      Pair(Control::Label12_0, Control::Label12_1)};
  for (Control c : {Control::LblTitle, Control::Label1, Control::Lbl_Chord}) {
    meant.insert(Pair(c, Control::ImgKao01));
  }
  EXPECT_EQ(Overlaps(full), meant);
  EXPECT_EQ(Overlaps(ControlLayout(0, true)), meant);

  // In the compact modes everything of the strip lies on its background.
  const auto on_background = [](const ControlPlaces& places) {
    std::set<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t i = 0; i < kControlCount; ++i) {
      const Control c = ControlAt(i);
      if (c != Control::Image12 && places[c].Visible &&
          Overlap(places[c], places[Control::Image12])) {
        pairs.insert(i < static_cast<std::size_t>(Control::Image12) ? Pair(c, Control::Image12)
                                                                    : Pair(Control::Image12, c));
      }
    }
    return pairs;
  };
  EXPECT_EQ(Overlaps(strip), on_background(strip));
  // The bar: the lamp about the keyboard, the note name on the top of the hook button.
  auto bar_meant = on_background(bar);
  bar_meant.insert(Pair(Control::Keyboard, Control::Shape1));
  bar_meant.insert(Pair(Control::LblNote, Control::Check1));
  EXPECT_EQ(Overlaps(bar), bar_meant);
  EXPECT_TRUE(bar_meant.contains(Pair(Control::Check1, Control::Image12)));
}

}  // namespace
}  // namespace kirivane
