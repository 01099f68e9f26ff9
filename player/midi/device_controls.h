#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/basic/clock.h"
#include "player/midi/instrument_banks.h"
#include "player/midi/midi_mode.h"
#include "player/state/view_slot.h"
#include "player/state/window_commands.h"

namespace kirivane {

// The instrument list's length: programs 0..127.
inline constexpr int kInstrumentCount = 128;

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
// Form_MouseMove: true when a picture button showed its hover picture (it then shows its own
// picture again).
bool EndButtonHover(AppState& app);
// Form_MouseMove: the instrument list gives the arrow keys back to the controller panel. True
// when it had them (the list then shrinks and the window takes the focus back).
bool ReturnArrowKeysToPanel(InputState& input);

class ChordSelection;
class KeyboardDisplay;
class SidePanels;

// What the MIDI panel shows. Every method has an empty body: a panel overrides what it has.
class DeviceView {
 public:
  virtual ~DeviceView() = default;
  // The device button (Command1): "ON" or "OFF".
  virtual void ShowDeviceSwitch(const std::string& /*caption*/) {}
  // The octave and transposition bars (HScroll1, VScroll1) and the transposition (Label10).
  virtual void ShowScroll(int /*octave*/, int /*transpose*/, const std::string& /*label*/) {}
  // The bank option buttons and the bank menu, as state.midi.Banks holds them.
  virtual void ShowBanks(const BankWidgets& /*banks*/) {}
  // The row selected in the instrument list (List1).
  virtual void ShowInstrumentRow(int /*row*/) {}
  // A picture button (Command100: 0 exit, 1 sound reset): picture and cursor (0 = leave).
  virtual void ShowButton(int /*index*/, int /*picture*/, int /*cursor*/) {}
  virtual void ShowResetMenu() {}
};

// The controls of the MIDI panel: the device list and its ON/OFF button, the instrument list
// with its banks, the octave and transposition bars, and the exit and sound reset buttons.
class DeviceControls {
 public:
  DeviceControls(PlayerState& state, MidiMode& midi, Clock& clock, KeyboardDisplay& display,
                 ChordSelection& chords, SidePanels& side_panels)
      : state_(state),
        midi_(midi),
        clock_(clock),
        display_(display),
        chords_(chords),
        side_panels_(side_panels) {}

  void SetView(DeviceView* view) { view_.Set(view); }
  void SetWindow(WindowCommands* window) { window_.Set(window); }

  // Combo1_Click: device list entry (0 the MIDI mapper) chosen; opens it when switched on.
  void SelectDevice(int entry);
  // Command1_Click: the device switched off or on.
  void ToggleDevice();
  // List1_Click: the selected instrument (bank and program) sent again.
  void ResendInstrument();
  // List1's selection changed to row (by the user or by SelectInstrument).
  void InstrumentRowChanged(int row);
  // Page Up and Page Down: selects the instrument in the list, which sends it.
  void SelectInstrument(int index);
  // OptBKS_Click, mnuMSB_Click: the program again with the bank of slot.
  void SelectBank(int slot);
  // HScroll1_Change and VScroll1_Change; return the value the bar shows afterwards (the octave
  // bar refuses 3 while transposed up).
  int ChangeOctave(int value);
  int ChangeTranspose(int value);
  // Command100_MouseDown, _MouseUp and _MouseMove (0 exit, 1 sound reset).
  void PressButton(int index, bool right_button);
  void ReleaseButton(int index, bool right_button);
  void HoverButton(int index);

 private:
  void Show(const DeviceControlsView& view);
  void ShowInstrumentChoice(const InstrumentChoice& choice);
  void ShowScroll(const ScrollOutcome& outcome);
  ListContext List() const;

  PlayerState& state_;
  MidiMode& midi_;
  Clock& clock_;
  KeyboardDisplay& display_;
  ChordSelection& chords_;
  SidePanels& side_panels_;
  ViewSlot<DeviceView> view_;
  ViewSlot<WindowCommands> window_;
};

}  // namespace kirivane
