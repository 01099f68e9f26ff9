#pragma once

#include <string>
#include <vector>

#include "common/basic/random_source.h"
#include "fakes/fake_window.h"
#include "player/chords/chord_selection.h"
#include "player/input/key_hook.h"
#include "player/input/key_map_loader.h"

namespace kirivane::testing {

// Hands out the fractions it was given, in turn (the last one again when they run out).
class FakeRandom : public RandomSource {
 public:
  explicit FakeRandom(std::vector<double> fractions = {0.0}) : fractions_(std::move(fractions)) {}
  double NextFraction() override {
    const double value = fractions_[next_ < fractions_.size() ? next_ : fractions_.size() - 1];
    ++next_;
    return value;
  }
  std::size_t draws() const { return next_; }

 private:
  std::vector<double> fractions_;
  std::size_t next_ = 0;
};

// Keeps the check mark of the key map menu.
class FakeKeyMapView : public KeyMapView {
 public:
  void CheckKeyMapMenu(KeyMapMenuEntry entry) override { checked = entry; }
  KeyMapMenuEntry checked = KeyMapMenuEntry::kNone;
};

// What loading a key map showed: the missing file (information box), the broken default map
// (critical box) and the menu's check mark.
class FakeKeyMapNotices : public Messages, public FakeKeyMapView {
 public:
  void ShowError(const std::string& text, bool critical, const std::string& title) override {
    (critical ? broken : missing).push_back({text, title});
  }
  std::vector<ShownMessage> missing;
  std::vector<ShownMessage> broken;
};

class FakeChordView : public ChordView {
 public:
  void SetChordLabel(const std::string& value) override {
    text = value;
    ++changes;
  }
  std::string text;
  int changes = 0;
};

class FakeKeyHook : public KeyHook {
 public:
  bool SetHook() override {
    ++sets;
    return available;
  }
  void ResetHook() override { ++resets; }
  std::string Error() const override { return available ? "" : "no hook here"; }
  bool available = true;
  int sets = 0;
  int resets = 0;
};

}  // namespace kirivane::testing
