#include "player/midi/device_controls.h"

#include <algorithm>

#include "player/chords/chord_selection.h"
#include "player/display/keyboard_display.h"
#include "player/layout/control_layout.h"
#include "player/layout/side_panels.h"
#include "player/midi/sysex_messages.h"

namespace kirivane {

namespace {

constexpr int kMapperEntry = 12;
constexpr int kHookedKeyboardEntry = 284;
constexpr std::size_t kDeviceNameLength = 32;

// The first `count` characters of a UTF-8 text, never cutting a character in two.
std::string FirstCharacters(const std::string& text, std::size_t count) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) == 0x80) continue;
    if (characters == count) return text.substr(0, i);
    ++characters;
  }
  return text;
}

DeviceControlsView ViewOf(const MidiState& midi) {
  DeviceControlsView view;
  view.command1_caption = Command1Caption(midi);
  view.timer1_enabled = midi.Timer1Enabled;
  return view;
}

std::optional<InstrumentChoice> ClickList(MidiMode& midi, ListContext list) {
  return List1Click(midi, list.geometry, list.layout_in_progress);
}

std::string LangEntry(const PlayerState& state, std::size_t entry) {
  const auto& table = state.app.LangTable;
  return entry < table.size() ? table[entry] : std::string();
}

}  // namespace

std::vector<std::string> DeviceListEntries(const std::vector<std::string>& lang_table,
                                           const std::vector<std::string>& device_names) {
  std::vector<std::string> entries;
  entries.push_back(kMapperEntry < lang_table.size() ? lang_table[kMapperEntry] : std::string());
  for (std::size_t i = 0; i < device_names.size(); ++i) {
    entries.push_back(std::to_string(i + 1) + ":" +
                      FirstCharacters(device_names[i], kDeviceNameLength));
  }
  return entries;
}

int SavedDeviceEntry(int saved_index, int entry_count) {
  return saved_index >= 0 && saved_index < entry_count ? saved_index : 0;
}

const char* Command1Caption(const MidiState& midi) {
  return midi.DeviceSwitchOn ? "ON" : "OFF";
}

DeviceControlsView Combo1Click(MidiMode& midi, int list_index, ListContext list,
                               const std::function<void(int)>& wait_with_events) {
  MidiState& m = midi.State().midi;
  std::optional<InstrumentChoice> instrument;
  if (m.DeviceSwitchOn) {
    if (midi.DeviceOpen()) {
      midi.AllNotesOff();
      midi.CloseMidiOut();
      if (wait_with_events) wait_with_events(1);
    }
    midi.OpenMidiOut(list_index - 1);
    midi.SendLong(GsResetMessage());
    midi.SendMainVolume(m.MainVolume);
    if (m.SelectedProgram >= 0) instrument = ClickList(midi, list);
  }
  m.MidiDevice = list_index;
  DeviceControlsView view = ViewOf(m);
  view.instrument = instrument;
  return view;
}

DeviceControlsView Command1Click(MidiMode& midi, ListContext list) {
  MidiState& m = midi.State().midi;
  if (m.DeviceSwitchOn) {
    m.DeviceSwitchOn = false;
    if (midi.DeviceOpen()) midi.CloseMidiOut();
    m.Timer1Enabled = false;
    return ViewOf(m);
  }
  m.DeviceSwitchOn = true;
  if (midi.DeviceOpen()) midi.CloseMidiOut();
  const bool opened = midi.OpenMidiOut(m.MidiDevice - 1) == 0;
  std::optional<InstrumentChoice> instrument = ClickList(midi, list);
  midi.ResetSound();
  // A device that failed to open already turned the button off: its timer stays off too.
  m.Timer1Enabled = opened;
  DeviceControlsView view = ViewOf(m);
  view.instrument = instrument;
  return view;
}

std::string TransposeLabel(int transpose) {
  return transpose > 0 ? "+" + std::to_string(transpose) : std::to_string(transpose);
}

ScrollOutcome HScroll1Change(MidiMode& midi, int value) {
  PlayerState& state = midi.State();
  MidiState& m = state.midi;
  value = std::clamp(value, -3, 3);
  // Octave 3 and an upward transposition together would leave the note range.
  if (m.Transpose > 0 && value == 3) value = 2;
  m.OctaveShift = value;
  ScrollOutcome outcome;
  outcome.octave = m.OctaveShift;
  outcome.transpose = m.Transpose;
  outcome.label10 = TransposeLabel(m.Transpose);
  if (state.input.HookActive == -1 && state.input.DrawWhileHooked == 0) {
    outcome.keyboard_message = LangEntry(state, kHookedKeyboardEntry);
  } else {
    outcome.redraw = true;
  }
  return outcome;
}

ScrollOutcome VScroll1Change(MidiMode& midi, int value) {
  MidiState& m = midi.State().midi;
  value = std::clamp(value, -11, 11);
  if (value > 0 && m.OctaveShift == 3) HScroll1Change(midi, 2);
  m.Transpose = value;
  midi.AllNotesOff();
  ScrollOutcome outcome;
  outcome.octave = m.OctaveShift;
  outcome.transpose = m.Transpose;
  outcome.label10 = TransposeLabel(value);
  outcome.redraw = true;
  return outcome;
}

ButtonPress Command100MouseDown(MidiMode& midi, int index, bool right_button) {
  ButtonPress press;
  press.cursor = kCursorGrabbing;
  if (index == 1 && right_button) return press;
  const int root = 12 * index + 12;
  midi.KeyNoteOn(root);
  midi.KeyNoteOn(root + 4);
  midi.KeyNoteOn(root + 7);
  press.picture = index == 0 ? 114 : 111;
  return press;
}

ButtonRelease Command100MouseUp(MidiMode& midi, int index, bool right_button) {
  ButtonRelease release;
  if (index == 0) {
    release.action = ButtonAction::kExit;
    return release;
  }
  if (right_button) {
    release.action = ButtonAction::kShowResetMenu;
    return release;
  }
  PlayerState& state = midi.State();
  release.action = ButtonAction::kSoundReset;
  // Back to no transposition; the scroll bar's change silences the held notes.
  if (state.midi.Transpose != 0) release.scroll = VScroll1Change(midi, 0);
  release.clear_chord_caption = true;
  state.chords.ChordActive = 0;
  state.chords.ChordIndex = 0;
  state.midi.Modulation = 0;
  midi.ResetSound();
  release.redraw = true;
  release.cursor = kCursorOpenHand;
  const int root = 12 * index + 12;
  midi.KeyNoteOff(root);
  midi.KeyNoteOff(root + 4);
  midi.KeyNoteOff(root + 7);
  release.picture = 110;
  return release;
}

int Command100MouseMove(AppState& app, int index) {
  if (app.ButtonHover != 0) return 0;
  app.ButtonHover = -1;
  return index == 0 ? 113 : 110;
}

bool EndButtonHover(AppState& app) {
  if (app.ButtonHover != -1) return false;
  app.ButtonHover = 0;
  return true;
}

bool ReturnArrowKeysToPanel(InputState& input) {
  if (input.ControllerKeys != 0) return false;
  input.ControllerKeys = -1;
  return true;
}

// --- the MIDI panel's controller -----------------------------------------------------------

void DeviceControls::SelectDevice(int entry) {
  Show(Combo1Click(midi_, entry, List(), [this](int ms) { WaitWithEvents(clock_, *window_, ms); }));
  window_->ReturnFocus();
}

void DeviceControls::ToggleDevice() {
  Show(Command1Click(midi_, List()));
  window_->ReturnFocus();
}

void DeviceControls::Show(const DeviceControlsView& view) {
  view_->ShowDeviceSwitch(view.command1_caption);
  if (view.instrument) ShowInstrumentChoice(*view.instrument);
}

void DeviceControls::ResendInstrument() {
  const ListContext list = List();
  const InstrumentChoice choice = List1Click(midi_, list.geometry, list.layout_in_progress);
  if (choice.done) ShowInstrumentChoice(choice);
}

void DeviceControls::ShowInstrumentChoice(const InstrumentChoice& choice) {
  view_->ShowBanks(state_.midi.Banks);
  if (!choice.done) return;
  if (choice.show_note_picture) side_panels_.ShowNotePicture(choice.program, 0);
  if (choice.reset_score) side_panels_.ShowScoreNote(0);
}

void DeviceControls::InstrumentRowChanged(int row) {
  state_.midi.SelectedProgram = row;
  ResendInstrument();
}

void DeviceControls::SelectInstrument(int index) {
  if (index < 0 || index >= kInstrumentCount) return;
  if (state_.midi.SelectedProgram != index) view_->ShowInstrumentRow(index);
  InstrumentRowChanged(index);
}

void DeviceControls::SelectBank(int slot) {
  OptBKSClick(midi_, kBankNumbers[static_cast<std::size_t>(slot)]);
  view_->ShowBanks(state_.midi.Banks);
  window_->ReturnFocus();
}

int DeviceControls::ChangeOctave(int value) {
  ShowScroll(HScroll1Change(midi_, value));
  return state_.midi.OctaveShift;
}

int DeviceControls::ChangeTranspose(int value) {
  ShowScroll(VScroll1Change(midi_, value));
  return state_.midi.Transpose;
}

void DeviceControls::ShowScroll(const ScrollOutcome& outcome) {
  view_->ShowScroll(outcome.octave, outcome.transpose, outcome.label10);
  if (!outcome.keyboard_message.empty()) {
    display_.ShowKeyboardMessage(outcome.keyboard_message.c_str());
  } else if (outcome.redraw) {
    display_.RedrawOrShowDrawingOff();
  }
}

void DeviceControls::PressButton(int index, bool right_button) {
  const ButtonPress press = Command100MouseDown(midi_, index, right_button);
  view_->ShowButton(index, press.picture, press.cursor);
}

void DeviceControls::ReleaseButton(int index, bool right_button) {
  const ButtonRelease release = Command100MouseUp(midi_, index, right_button);
  view_->ShowButton(index, release.picture, release.cursor);
  switch (release.action) {
    case ButtonAction::kExit:
      window_->CloseProgram();
      return;
    case ButtonAction::kShowResetMenu:
      view_->ShowResetMenu();
      return;
    default:
      break;
  }
  if (release.scroll) ShowScroll(*release.scroll);
  if (release.clear_chord_caption) chords_.ForgetChord();
  if (release.redraw) display_.RedrawOrShowDrawingOff();
}

void DeviceControls::HoverButton(int index) {
  if (const int picture = Command100MouseMove(state_.app, index)) {
    view_->ShowButton(index, picture, 0);
  }
}

ListContext DeviceControls::List() const {
  const int mode = state_.layout.DisplayMode < 0 ? 0 : state_.layout.DisplayMode;
  const ControlPlace place = ControlLayout(mode, false)[Control::List1];
  return {{place.X, place.Y}, state_.layout.LayoutInProgress};
}

}  // namespace kirivane
