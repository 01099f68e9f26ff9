#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/basic/sounds.h"
#include "player/performance/performance_messages.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"
#include "player/state/window_commands.h"

namespace kirivane {

class DeviceControls;
class KeyboardDisplay;
class MidiMode;
class PlaybackEngine;
class SidePanels;
class Transport;

// One entry of a dialog's list of file types: its description and its patterns ("*.lyr").
struct DialogFilter {
  std::string description;
  std::vector<std::string> patterns;
};

// What an open or save dialog shows.
struct FileDialogAsk {
  std::string title;
  std::vector<DialogFilter> filters;
  std::string start_folder;
};

// The path chosen in a dialog and the index (from 0) of the file type chosen with it.
struct ChosenFile {
  std::string path;
  int filter = 0;
};

// Save dialog file types, in the order the dialog lists them.
inline constexpr int kSaveFilterLyr = 0;
inline constexpr int kSaveFilterMidi = 1;

// The path a save writes: with the performance type chosen, ".lyr" is appended unless the name
// ends in ".lyr" (in any case); with the MIDI type, ".mid" unless it ends in ".mid" or ".midi".
std::string SavePathWithExtension(const std::string& path, int filter);
// The folder of a path with its trailing "/" ("" when it has none).
std::string FolderOf(std::string_view path);
// Where both dialogs start: the program folder while Shift is held, else the folder of the last
// file chosen, else the documents folder. Each with a trailing "/".
std::string DialogStartFolder(const std::string& last_file_path, const std::string& documents,
                              const std::string& program_folder, bool shift_held);
FileDialogAsk OpenDialogAsk(const AppState& app, const std::string& start_folder);
FileDialogAsk SaveDialogAsk(const AppState& app, const std::string& start_folder);

// What the file commands ask of the window: the dialogs, the Shift key, the documents folder,
// and the look of the window while a file is read or written. Every method has a default body:
// without a window no dialog is ever confirmed.
class FileCommandsView {
 public:
  virtual ~FileCommandsView() = default;
  virtual std::optional<ChosenFile> AskOpenPath(const FileDialogAsk& /*ask*/) { return {}; }
  // The dialog turns the name typed into the path written with SavePathWithExtension.
  virtual std::optional<ChosenFile> AskSavePath(const FileDialogAsk& /*ask*/) { return {}; }
  virtual bool ShiftHeld() { return false; }
  virtual std::string DocumentsFolder() { return {}; }
  // The window refuses input and shows the busy pointer while a file is read or written.
  virtual void SetBusy(bool /*busy*/) {}
  // EndShape over the window while a MIDI file is written.
  virtual void ShowExportCover(bool /*shown*/) {}
  // The save command is available (a performance exists).
  virtual void EnableSave() {}
};

// Language entries of the file commands.

// The controllers the file commands work with.
struct FileCommandPeers {
  MidiMode& midi;
  Transport& transport;
  PlaybackEngine& engine;
  DeviceControls& devices;
  SidePanels& side_panels;
  KeyboardDisplay& display;
  Sounds& sounds;
  PerformanceNotices& messages;
};

// Opening and saving performances: the dialogs' folders and extension rules, stopping what
// runs, dispatch by extension to the ".lyr" reader and writer or to MIDI import and export, and
// the file handed over at start or by a drop, which is opened and played at once.
class FileCommands {
 public:
  FileCommands(PlayerState& state, const FileCommandPeers& peers);

  void SetView(FileCommandsView* view) { view_.Set(view); }
  void SetWindow(WindowCommands* window) { window_.Set(window); }

  // mnuFileOpen and CmdOpen: the file chosen becomes the performance in memory (not played).
  void Open();
  // mnuFileSave and CmdSave: writes the performance in memory as ".lyr" or as a MIDI file.
  void Save();
  // WaitTimer's file branch: true when OpenFile waits (OpenPending) and nothing runs.
  bool PendingFileReady() const;
  // Opens OpenFile and plays it when it became the performance in memory.
  void OpenPendingFile();
  // Reads a ".lyr" or MIDI file into memory; false when the performance was not replaced.
  bool ReadFile(const std::string& path);

 private:
  void StopRunning();
  std::string StartFolder();
  void AfterLoad(int program_before);
  void WriteMidi(const std::string& path);

  PlayerState& state_;
  FileCommandPeers peers_;
  ViewSlot<FileCommandsView> view_;
  ViewSlot<WindowCommands> window_;
};

}  // namespace kirivane
