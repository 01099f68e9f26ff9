#include "player/performance/file_commands.h"

#include <algorithm>
#include <cctype>

#include "player/display/keyboard_display.h"
#include "player/layout/side_panels.h"
#include "player/midi/device_controls.h"
#include "player/midi/instrument_banks.h"
#include "player/performance/performance_file.h"
#include "player/performance/performance_file_type.h"
#include "player/performance/playback_engine.h"
#include "player/performance/transport.h"
#include "player/smf/midi_reader.h"
#include "player/smf/midi_writer.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"

namespace kirivane {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  return std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

std::string SavePathWithExtension(const std::string& path, int filter) {
  if (filter == kSaveFilterLyr && !EndsWithNoCase(path, ".lyr")) return path + ".lyr";
  if (filter == kSaveFilterMidi && !EndsWithNoCase(path, ".mid") &&
      !EndsWithNoCase(path, ".midi")) {
    return path + ".mid";
  }
  return path;
}

std::string FolderOf(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string DialogStartFolder(const std::string& last_file_path, const std::string& documents,
                              const std::string& program_folder, bool shift_held) {
  if (shift_held) return WithSlash(program_folder);
  return WithSlash(last_file_path.empty() ? documents : last_file_path);
}

FileDialogAsk OpenDialogAsk(const AppState& app, const std::string& start_folder) {
  return {LangText(app, kLangOpenDialogTitle),
          {{LangText(app, kLangAnyPerformanceFilter), {"*.lyr", "*.mid", "*.midi"}},
           {LangText(app, kLangPerformanceFilter), {"*.lyr"}},
           {LangText(app, kLangMidiFilter), {"*.mid", "*.midi"}}},
          start_folder};
}

FileDialogAsk SaveDialogAsk(const AppState& app, const std::string& start_folder) {
  return {LangText(app, kLangSaveDialogTitle),
          {{LangText(app, kLangPerformanceFilter), {"*.lyr"}},
           {LangText(app, kLangMidiFilter), {"*.mid", "*.midi"}}},
          start_folder};
}

FileCommands::FileCommands(PlayerState& state, const FileCommandPeers& peers)
    : state_(state), peers_(peers) {}

std::string FileCommands::StartFolder() {
  return DialogStartFolder(state_.performance.LastFilePath, view_->DocumentsFolder(),
                           state_.app.ProgramFolder, view_->ShiftHeld());
}

// Whatever runs stops; a pass that is still winding down ends now, so that nothing it does
// afterwards touches the performance that replaces it.
void FileCommands::StopRunning() {
  peers_.transport.Stop();
  window_->DoEvents();
  if (peers_.engine.Active()) peers_.engine.Advance();
}

void FileCommands::Open() {
  const auto chosen = view_->AskOpenPath(OpenDialogAsk(state_.app, StartFolder()));
  if (!chosen || chosen->path.empty()) return;
  const auto& perf = state_.performance;
  if (perf.Playing == -1 || perf.Recording == -1) StopRunning();
  window_->DoEvents();
  state_.performance.LastFilePath = FolderOf(chosen->path);
  view_->SetBusy(true);
  ReadFile(chosen->path);
  view_->SetBusy(false);
}

bool FileCommands::ReadFile(const std::string& path) {
  const int program_before = state_.midi.SelectedProgram;
  bool replaced = false;
  switch (PerformanceFileTypeOf(path)) {
    case PerformanceFileType::kLyr: {
      const PerformanceLoad load = LoadPerformanceFile(state_, path);
      if (load.error) {
        if (load.error->text_entry == kLangUnsupportedVersion) peers_.sounds.Play(kSoundError);
        peers_.messages.ShowMessage(*load.error);
      }
      replaced = load.replaced;
      if (replaced && load.bank) state_.midi.BankMSB = *load.bank;
      peers_.midi.SendModulation();
      break;
    }
    case PerformanceFileType::kMidi: {
      const MidiFileRead read = ReadMidiFile(state_, path);
      if (read.error) peers_.messages.ShowMessage(*read.error);
      replaced = read.result == 0;
      state_.midi.BankMSB = 0;
      break;
    }
    case PerformanceFileType::kOther:
      break;
  }
  AfterLoad(program_before);
  if (!replaced) return false;
  view_->EnableSave();
  if (state_.layout.PanelOpen == 0) peers_.side_panels.TogglePlayPanel();
  state_.performance.PlayIndex = 0;
  return true;
}

// The instrument the file names is selected in the list (which sends it), then the bank.
void FileCommands::AfterLoad(int program_before) {
  const int program = state_.midi.SelectedProgram;
  const int bank = state_.midi.BankMSB;
  if (program != program_before && program >= 0) {
    state_.midi.SelectedProgram = program_before;
    peers_.devices.SelectInstrument(program);
  }
  peers_.devices.SelectBank(std::max(0, BankSlot(bank)));
}

void FileCommands::Save() {
  if (state_.events.EventCount <= 1) {
    peers_.sounds.Play(kSoundError);
    PerformanceMessage message;
    message.text_entry = kLangNothingToSave;
    message.title_entry = kLangFileErrorTitle;
    message.detail = "there is no performance to save";
    peers_.messages.ShowMessage(message);
    return;
  }
  StopRunning();
  const auto chosen = view_->AskSavePath(SaveDialogAsk(state_.app, StartFolder()));
  if (!chosen || chosen->path.empty()) return;
  state_.performance.LastFilePath = FolderOf(chosen->path);
  switch (PerformanceFileTypeOf(chosen->path)) {
    case PerformanceFileType::kLyr:
      if (auto error = SavePerformanceFile(state_, chosen->path, state_.midi.BankMSB)) {
        peers_.messages.ShowMessage(*error);
      }
      break;
    case PerformanceFileType::kMidi:
      WriteMidi(chosen->path);
      break;
    case PerformanceFileType::kOther:
      break;
  }
}

void FileCommands::WriteMidi(const std::string& path) {
  view_->ShowExportCover(true);
  view_->SetBusy(true);
  const auto error = WriteMidiFile(state_, path, state_.midi.BankMSB);
  if (!error) peers_.sounds.Play(kSoundAccent);
  view_->SetBusy(false);
  view_->ShowExportCover(false);
  peers_.display.RedrawOrShowDrawingOff();
  if (error) peers_.messages.ShowMessage(*error);
}

bool FileCommands::PendingFileReady() const {
  return state_.app.AppClosing != -1 && state_.performance.Playing == 0 &&
         !state_.app.OpenFile.empty() && state_.app.OpenPending == -1;
}

void FileCommands::OpenPendingFile() {
  view_->SetBusy(true);
  const bool replaced = ReadFile(state_.app.OpenFile);
  view_->SetBusy(false);
  state_.app.OpenFile.clear();
  state_.app.OpenPending = 0;
  if (!replaced) return;  // a file that could not be read never plays what was there before
  peers_.transport.StopRunning();
  peers_.transport.StartPlayback(peers_.transport.TempoBox());
}

}  // namespace kirivane
