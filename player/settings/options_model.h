#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "player/chords/chord_selection.h"
#include "player/midi/midi_hooks.h"
#include "player/settings/options_rules.h"
#include "player/settings/settings_file.h"
#include "player/state/player_state.h"

namespace kirivane {

// The options dialog's controls as values, named after the controls. Nothing reaches
// PlayerState before OK. (The dialog itself is the ChordSlotReceiver of the chord select
// dialog: a chosen chord goes into TxtCSource(i) and TxtCTitle(i).)
struct OptionsFields {
  std::string Text1;  // performance title
  std::string Text2;  // performance author
  int CmbMidiCh = 0;  // selected index of the channel lists ("1".."16")
  int CmbPlayCh = 0;
  std::string txtDefVol;
  std::string txtMouseVel;
  std::string txtWheelBand;
  std::string txtMEndTime;
  bool ChkEffect = false;            // checked: window effects off
  bool ChkNoKBPaint = false;         // checked: no keyboard drawing while the hook is on
  bool ChkNoKBPaintVisible = false;  // hidden until revealed
  ChannelBoxes chkMidiRC{};          // read channels 1..16
  std::string TxtIconPath;           // score folder
  std::array<std::string, kUserChordSlots> TxtCSource;  // slot i = chord i + 1
  std::array<std::string, kUserChordSlots> TxtCTitle;

  bool operator==(const OptionsFields&) const = default;
};

// A message box: text and title.
struct OptionsMessage {
  std::string text;
  std::string title;
  bool operator==(const OptionsMessage&) const = default;
};

// The dialog as loaded from the state.
OptionsFields LoadOptionsFields(const PlayerState& state);

// Double click on Image2: shows the hidden check box. True when it was hidden (then the error
// sound plays).
bool RevealNoKbPaint(OptionsFields& fields);
// Double click on LblChords(slot): the slot's built-in chord (then the tick sound plays).
void RestoreBuiltInChordSlot(OptionsFields& fields, int slot);
// Click on LblIconPath: the program folder with a trailing "/" (read as the image subfolder).
void UseProgramFolder(OptionsFields& fields, const std::string& program_folder);

// The channel lists' refusal of channel 10 (error icon).
OptionsMessage ChannelTenMessage(const AppState& app);

// CmdDef: a Yes/No/Cancel question. Yes also restores the nine built-in chords; No resets
// every other field; Cancel changes nothing. The fields only: OK applies them.
enum class DefaultsAnswer { kYes, kNo, kCancel };
OptionsMessage DefaultsQuestion(const AppState& app);
void ApplyDefaults(OptionsFields& fields, DefaultsAnswer answer, const PlayerState& state);

// What OK changes outside PlayerState besides the keyboard and the chord: the main window's
// pictures and the messages. Empty bodies, so a view overrides what it shows.
class OptionsEffects {
 public:
  virtual ~OptionsEffects() = default;
  // Tool tips of the title and author pictures (Image7, Image8).
  virtual void SetPerformanceToolTips(const std::string& /*title*/, const std::string& /*author*/) {
  }
  // ImgMusicIcon: shown while window effects are on.
  virtual void SetMusicIconVisible(bool /*visible*/) {}
  // An information box.
  virtual void ShowInformation(const OptionsMessage& /*message*/) {}
};

// Writes the settings file after OK.
class SettingsSaver {
 public:
  virtual ~SettingsSaver() = default;
  virtual bool SaveSettings(PlayerState& state) = 0;
};

// Saves through SaveSettingsFile (written to a temporary file renamed over the old one), with
// the main window's position now.
class SettingsFileSaver : public SettingsSaver {
 public:
  SettingsFileSaver(std::string path, std::function<WindowPosition()> window_position)
      : path_(std::move(path)), window_position_(std::move(window_position)) {}
  bool SaveSettings(PlayerState& state) override;

 private:
  std::string path_;
  std::function<WindowPosition()> window_position_;
};

// The controllers OK calls.
struct OptionsControllers {
  KeyboardView& keyboard;
  ChordSelection& chords;
  OptionsEffects& effects;
  SettingsSaver* settings = nullptr;  // nothing: the file is written at the end only
};

struct OptionsOkResult {
  bool close = false;           // false: no read channel ticked, nothing applied
  bool settings_saved = false;  // the settings file was written
};

// OK: checks the read channels (none ticked keeps the dialog open with a message), then
// applies every field in order: read channels, chord slots, title and author, channels,
// velocities, effects, wheel step, keyboard drawing, the chord selected now, export tail and
// score folder (a changed folder is announced); then writes the settings file.
OptionsOkResult ApplyOptions(const OptionsFields& fields, PlayerState& state,
                             OptionsControllers& controllers);

// Language entries of the dialog's captions, by control name and index (-1 = no index).
struct ControlCaption {
  const char* control;
  int index;
  int entry;
};
std::vector<ControlCaption> OptionsCaptions();
inline constexpr int kOptionsHelpToolTipEntry = 316;  // Image2

}  // namespace kirivane
