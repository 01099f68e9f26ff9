#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "player/state/player_state.h"

namespace kirivane {

// What start-up does, decided from the command line and the keys held at start before any
// window exists. Fields named like PlayerState's hold the start values the switches, the file
// rule and Shift choose; every other global starts at its default member value.
struct StartupPlan {
  bool HandOff = false;      // another instance runs: give it HandOffToken and end
  std::string HandOffToken;  // first token of the command line, quotes removed

  // The one language table start-up loads: 1 (English) when Ctrl is held or "/E" is given,
  // else the desktop's language (LocaleLanguage).
  int EnglishUI = 0;

  int ShowVersion = 0;
  int TopmostSwitch = 2;
  int DrumStart = 0;
  std::string KeyMapFile;
  int KeyMapFromCommandLine = 0;
  int TitleSuffixEntry = -1;  // language entry ending the caption; -1 = no suffix
  int RequestedDisplayMode = 0;
  int HookActive = 0;
  std::string OpenFile;
  int OpenPending = 0;
  std::string ProgramFolder;
};

// The command line as the player reads it: the program arguments joined by single spaces, an
// argument that contains a space wrapped in double quotes. Empty arguments are left out.
std::string JoinCommandLine(const std::vector<std::string>& arguments);

// The first token: the first piece of the command line (split at space-quote when it starts
// with a quote, else at spaces), without its surrounding quotes.
std::string FirstToken(std::string_view command_line);

// True when the command line is a list of switches rather than a file. A switch list starts
// with "/"; a Linux path starts with "/" too, so a first piece holding another "/" or a "."
// (as "/home/user/song.lyr" does) is a file.
bool IsSwitchList(std::string_view command_line);

// locale_language is the desktop's language (LocaleLanguage). In a switch list, pieces that
// are paths (holding another "/" or a ".") are ignored like any piece that names no switch.
StartupPlan PlanStartup(std::string_view command_line, bool ctrl_held, bool shift_held,
                        int locale_language, bool other_instance_running,
                        const std::string& program_folder);

// The folder of the player's data (language files, key maps, chord list, help pages), which is
// the player's program folder: the folder of the program itself when it holds a language file
// (a build or an unpacked folder), else share/kirivane beside the program's bin folder when that
// holds one (an installed program), else the program's folder (where the missing file is then
// reported).
std::string ProgramDataFolder(const std::string& program_dir);

// Writes the plan's start values into a freshly constructed state whose language table is
// loaded already: AppTitle and TitleSuffix come from that table.
void ApplyStartupPlan(const StartupPlan& plan, PlayerState& state);

}  // namespace kirivane
