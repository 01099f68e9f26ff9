#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "player/midi/instrument_banks.h"
#include "player/midi/midi_mode.h"

namespace kirivane {

// Entries of the device list: entry 0 the MIDI mapper (language entry 12), then one entry
// "i:name" per device (device i - 1), the name cut to 32 characters.
std::vector<std::string> DeviceListEntries(const std::vector<std::string>& lang_table,
                                           const std::vector<std::string>& device_names);

// The list entry to select at start for a saved index: the mapper when the saved device is gone.
int SavedDeviceEntry(int saved_index, int entry_count);

// Caption of the device button Command1: "ON" or "OFF".
const char* Command1Caption(const MidiState& midi);

// What the window shows after a device control.
struct DeviceControlsView {
  std::string command1_caption;
  bool timer1_enabled = false;
  // Set when the instrument list's click ran: show state.midi.Banks and follow its requests.
  std::optional<InstrumentChoice> instrument;
};

// What the window passes along for the instrument list's click.
struct ListContext {
  ListGeometry geometry;
  bool layout_in_progress = false;
};

// A choice in the device list. wait_with_events(ms) waits while the window keeps working.
DeviceControlsView Combo1Click(MidiMode& midi, int list_index, ListContext list,
                               const std::function<void(int)>& wait_with_events);

// The device ON/OFF button.
DeviceControlsView Command1Click(MidiMode& midi, ListContext list);

// Octave and transposition scroll bars: the values the bars and Label10 show afterwards.
struct ScrollOutcome {
  int octave = 0;
  int transpose = 0;
  std::string label10;
  bool redraw = false;           // RedrawKeyboard
  std::string keyboard_message;  // when not empty, ShowKeyboardMessage instead of drawing
};

// Label10's text for a transposition: "+3", "0", "-2".
std::string TransposeLabel(int transpose);
ScrollOutcome HScroll1Change(MidiMode& midi, int value);
ScrollOutcome VScroll1Change(MidiMode& midi, int value);

// The exit (index 0) and reset (index 1) picture buttons.
inline constexpr int kCursorOpenHand = 101;
inline constexpr int kCursorGrabbing = 102;

struct ButtonPress {
  int cursor = 0;
  int picture = 0;  // 0 = leave the picture
};
ButtonPress Command100MouseDown(MidiMode& midi, int index, bool right_button);

enum class ButtonAction { kNone, kExit, kShowResetMenu, kSoundReset };

struct ButtonRelease {
  ButtonAction action = ButtonAction::kNone;
  int cursor = 0;   // 0 = leave the cursor
  int picture = 0;  // 0 = leave the picture
  // After a sound reset: the scroll bars and label when the transposition went back to 0, a
  // cleared chord caption and a redraw.
  std::optional<ScrollOutcome> scroll;
  bool clear_chord_caption = false;
  bool redraw = false;
};
ButtonRelease Command100MouseUp(MidiMode& midi, int index, bool right_button);

// Hover picture to show, or 0 when a button already shows its hover picture.
int Command100MouseMove(AppState& app, int index);

}  // namespace kirivane
