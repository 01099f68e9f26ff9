#pragma once

#include <string>

#include "player/settings/ini_file.h"
#include "player/state/player_state.h"

namespace kirivane {

inline constexpr const char* kSettingsFileName = "kirivane.ini";

// A window position in twips.
struct WindowPosition {
  int Left = 0;
  int Top = 0;
};

// Fills the settings values of the state from the file (missing keys give their defaults,
// out-of-range values their fallbacks) and returns where the main window opens. Needs the
// screen metrics, default positions and program folder already in the state.
WindowPosition LoadSettings(PlayerState& state, const IniFile& file);

// Reads the keys a performance's playback and file conversion depend on: MidiCh, PlayCh,
// PlayVol, MainVol, MidiReadCh, MidiEndTime, MidiReadEx, MidiMergeTracks and Clock (part of
// LoadSettings).
void ReadPlaybackOptions(PlayerState& state, const IniFile& file);

// Writes every saved key into the file, keeping its other lines. window is the main window's
// position now (twips); it is stored for the mode family shown now.
void SaveSettings(PlayerState& state, const WindowPosition& window, IniFile& file);

// Where the settings file lives: the program folder when it can be written, else
// $XDG_CONFIG_HOME/kirivane (or ~/.config/kirivane). It is read from the same place.
std::string SettingsFilePath(const std::string& program_folder, bool program_folder_writable,
                             const std::string& xdg_config_home, const std::string& home);
// Whether a file can be created in the folder (tried with a probe file that is removed).
bool FolderWritable(const std::string& folder);

// The file at path; an empty file when it does not exist or cannot be read.
IniFile ReadSettingsFile(const std::string& path);
// Saves the state into the file at path: reads what is there, updates it, writes it back
// atomically (creating the folder when needed). False, with one line on stderr, when it could
// not be written; a read-only file is left as it is.
bool SaveSettingsFile(const std::string& path, PlayerState& state, const WindowPosition& window);

}  // namespace kirivane
