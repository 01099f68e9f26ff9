#pragma once

#include <string>
#include <vector>

#include "common/basic/random_source.h"
#include "player/chords/chord_selection.h"
#include "player/input/input_window.h"
#include "player/input/key_event_actions.h"
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

struct ShownMessage {
  std::string text;
  std::string title;
  bool operator==(const ShownMessage&) const = default;
};

class FakeKeyMapNotices : public KeyMapNotices {
 public:
  void ShowKeyMapMissing(const std::string& text, const std::string& title) override {
    missing.push_back({text, title});
  }
  void ShowDefaultKeyMapBroken(const std::string& text, const std::string& title) override {
    broken.push_back({text, title});
  }
  void CheckKeyMapMenu(KeyMapMenuEntry entry) override { checked = entry; }

  std::vector<ShownMessage> missing;
  std::vector<ShownMessage> broken;
  KeyMapMenuEntry checked = KeyMapMenuEntry::kNone;
};

class FakeChordLabel : public ChordLabelView {
 public:
  void SetChordLabel(const std::string& value) override {
    text = value;
    ++changes;
  }
  std::string text;
  int changes = 0;
};

// Logs every call by name (with its argument where there is one), so tests compare the order.
class FakeKeyEventActions : public KeyEventActions {
 public:
  void RefreshKeyboard() override { ++refreshes; }
  void ShowNoteName(int note) override { Log("ShowNoteName", note); }
  void PanelPicturesDown() override { Log("PanelPicturesDown"); }
  void PanelPicturesUp() override { Log("PanelPicturesUp"); }
  void ShowScoreNote(int note) override { Log("ShowScoreNote", note); }
  void ShowNotePicture(int note) override { Log("ShowNotePicture", note); }
  void RestoreIfMinimized() override { Log("RestoreIfMinimized"); }
  void ApplyDisplayMode() override { Log("ApplyDisplayMode"); }
  void ResendInstrument() override { Log("ResendInstrument"); }
  void OpenHelp() override { Log("OpenHelp"); }
  void ShowAbout() override { Log("ShowAbout"); }
  void ApplyCcValue(int value) override { Log("ApplyCcValue", value); }
  void SwitchCcMode(int step) override { Log("SwitchCcMode", step); }
  bool StartEnabled() override { return start_enabled; }
  bool StopEnabled() override { return stop_enabled; }
  void TogglePlayPanel() override { Log("TogglePlayPanel"); }
  void StartPlayback() override { Log("StartPlayback"); }
  void StopPlayback() override { Log("StopPlayback"); }
  void StartRecording() override { Log("StartRecording"); }
  bool PerformanceInMemory() override { return performance_in_memory; }
  void ShowRecordPicture(int resource) override { Log("ShowRecordPicture", resource); }
  void ToggleMetronome() override { Log("ToggleMetronome"); }
  int SetOctaveScroll(int value) override {
    Log("SetOctaveScroll", value);
    return value;
  }
  int SetTransposeScroll(int value) override {
    Log("SetTransposeScroll", value);
    return value;
  }
  void SelectInstrument(int index) override { Log("SelectInstrument", index); }

  bool Called(const std::string& entry) const {
    for (const auto& call : calls) {
      if (call == entry) return true;
    }
    return false;
  }

  std::vector<std::string> calls;
  int refreshes = 0;
  bool start_enabled = true;
  bool stop_enabled = false;
  bool performance_in_memory = false;

 private:
  void Log(const std::string& name) { calls.push_back(name); }
  void Log(const std::string& name, int value) {
    calls.push_back(name + " " + std::to_string(value));
  }
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

// Keeps what the window was asked to show; logs sounds, lamps and cursors in order.
class FakeInputWindow : public InputWindow {
 public:
  void SetHookButton(const std::string& caption, int back_colour) override {
    hook_caption = caption;
    hook_colour = back_colour;
  }
  void SetHookButtonCaption(const std::string& caption) override { hook_caption = caption; }
  void SetKeyPreview(bool on) override { key_preview = on; }
  void RebuildCaption() override { ++captions; }
  void FocusMainForm() override { ++focus; }
  void ShowInformation(const std::string& text, const std::string& title) override {
    messages.push_back({text, title});
  }
  void PlaySound(int wave_resource) override { sounds.push_back(wave_resource); }
  void SetPercussionButtonNoDrop(bool value) override { no_drop = value; }
  void ShowPercussionPicture(bool shown) override { percussion_picture = shown; }
  void ClearMusicIcon() override { ++music_icon_clears; }
  void SetDamperLamp(int border_rgb, int fill_rgb) override {
    lamp_border = border_rgb;
    lamp_fill = fill_rgb;
  }
  void SetPadCursor(int cursor_resource) override { cursors.push_back(cursor_resource); }

  std::string hook_caption;
  int hook_colour = 0;
  bool key_preview = true;
  int captions = 0;
  int focus = 0;
  std::vector<ShownMessage> messages;
  std::vector<int> sounds;
  bool no_drop = false;
  bool percussion_picture = false;
  int music_icon_clears = 0;
  int lamp_border = 0;
  int lamp_fill = 0;
  std::vector<int> cursors;
};

}  // namespace kirivane::testing
