#pragma once

#include <array>
#include <string>
#include <vector>

#include "player/midi/midi_hooks.h"
#include "player/state/messages.h"

namespace kirivane::testing {

// One RecordEvent call.
struct RecordedEvent {
  int data = 0;
  int velocity = 0;
  int kind = 0;
  bool operator==(const RecordedEvent&) const = default;
};

// Keeps every event the MIDI layer hands to the recorder.
class FakeEventSink : public EventSink {
 public:
  void RecordEvent(int data, int velocity, int kind) override {
    events.push_back({data, velocity, kind});
  }
  std::vector<RecordedEvent> events;
};

// One key drawing call of the keyboard view.
struct KeyDrawing {
  int index = 0;
  int source = 0;
  bool down = false;
  bool operator==(const KeyDrawing&) const = default;
};

// Records key drawings; tests mark notes of the 128-key view pressed by hand.
class FakeKeyboardView : public KeyboardView {
 public:
  void DrawKeyDown(int index, int source) override { drawings.push_back({index, source, true}); }
  void DrawKeyUp(int index, int source) override { drawings.push_back({index, source, false}); }
  bool IsPressed128(int note) const override {
    return note >= 0 && note < 128 && pressed128[static_cast<std::size_t>(note)];
  }
  void RedrawKeyboard() override { ++redraws; }
  void ShowKeyboardMessage(const char* utf8_text) override { messages.emplace_back(utf8_text); }
  void Refresh() override { ++refreshes; }
  void ShowNoteName(int note) override { names.push_back(note); }

  std::vector<KeyDrawing> drawings;
  std::array<bool, 128> pressed128{};
  int redraws = 0;
  std::vector<std::string> messages;
  int refreshes = 0;
  std::vector<int> names;
};

// Keeps the damper lamp's colours.
class FakeLampView : public LampView {
 public:
  void SetDamperLamp(int border_rgb, int fill_rgb) override {
    lamp_border = border_rgb;
    lamp_fill = fill_rgb;
    ++lamp_changes;
  }
  int lamp_border = -1;
  int lamp_fill = -1;
  int lamp_changes = 0;
};

// The lamp and the device errors the MIDI layer shows.
class FakeMidiNotices : public FakeLampView, public Messages {
 public:
  void ShowError(const std::string& text, bool, const std::string&) override {
    errors.push_back(text);
  }
  std::vector<std::string> errors;
};

// Records the values the controller panel is asked to apply.
class FakeControllerHook : public ControllerHook {
 public:
  void ApplyCcValue(int value) override { applied.push_back(value); }
  int CcRest(int mode) const override { return rest[static_cast<std::size_t>(mode)]; }
  std::vector<int> applied;
  std::array<int, 3> rest{64, 64, 0};
};

}  // namespace kirivane::testing
