#pragma once

#include <string>
#include <vector>

namespace kirivane {

// Start-up and window-lifecycle state of the player. Default values are the start values.
struct AppState {
  int EnglishUI = 0;  // 1 = English language file, 0 = Japanese
  std::vector<std::string> LangTable = std::vector<std::string>(361);
  std::string AppTitle;
  std::string VersionText = " (v4.0.2)";
  int ShowVersion = 0;    // -1 = show VersionText in the version labels
  int XmasSpecial = 0;    // -1 between 1 and 25 December
  int ButtonHover = 0;    // -1 while a picture button shows its hover picture
  int Ending = 0;         // -1 once the program is ending
  int AppClosing = 0;     // -1 once the main window has begun to close
  int TopmostSwitch = 2;  // 0 or 1 from "/T"; 2 = leave the window unchanged
  std::string TitleSuffix;
  std::string ModeTitle;
  std::string OpenFile;       // performance or MIDI file to open after start
  int OpenPending = 0;        // -1 when OpenFile is to be opened and played
  std::string ProgramFolder;  // folder of the executable, without trailing separator
};

}  // namespace kirivane
