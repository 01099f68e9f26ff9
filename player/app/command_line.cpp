#include "player/app/command_line.h"

#include <filesystem>

#include "common/basic/text_rules.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"

namespace kirivane {

namespace {

// A text wrapped in quotes without them; a lone quote leaves nothing rather than reading past
// its end.
std::string WithoutFirstAndLast(std::string_view text) {
  if (text.size() < 2) return {};
  return std::string(text.substr(1, text.size() - 2));
}

bool HasPlayableExtension(std::string_view path) {
  return EndsWithNoCase(path, "LYR") || EndsWithNoCase(path, "MID") || EndsWithNoCase(path, "MIDI");
}

void ChooseKeyMap(StartupPlan& plan, const char* file_name) {
  plan.KeyMapFile = plan.ProgramFolder + "/" + file_name;
  plan.KeyMapFromCommandLine = -1;
}

// One upper-cased piece of a switch list; only its first two characters name the switch.
void ApplySwitch(const std::string& piece, StartupPlan& plan) {
  const std::string name = piece.substr(0, 2);
  if (name == "/_") {
    plan.ShowVersion = plan.ShowVersion == 0 ? -1 : 0;
  } else if (name == "/E") {
    plan.EnglishUI = 1;
  } else if (name == "/T") {
    // Only the first "/T" with a digit at its end counts; "/T" followed by no digit is ignored.
    const char last = piece.back();
    if (plan.TopmostSwitch == 2 && last >= '0' && last <= '9') plan.TopmostSwitch = last - '0';
  } else if (name == "/H") {
    plan.DrumStart = -1;
  } else if (name == "/S") {
    ChooseKeyMap(plan, "straight.keys");
    plan.DrumStart = -1;
  } else if (name == "/R") {
    ChooseKeyMap(plan, "rand.keys");
    plan.TitleSuffixEntry = kLangRandomKeysTitleSuffix;
  } else if (name == "/M") {
    ChooseKeyMap(plan, "modkeys.keys");
  } else if (name == "/P") {
    plan.RequestedDisplayMode = piece == "/P128" ? 2 : 1;
  } else if (name == "/K") {
    plan.HookActive = -1;
  }
}

// A Linux path starts with "/" like a switch does; a piece holding another "/" or a "." (as
// "/home/user/song.lyr" does) is a path, never a switch.
bool IsPathPiece(std::string_view piece) {
  return piece.find_first_of("/.", 1) != std::string_view::npos;
}

void ApplySwitchList(std::string_view command_line, StartupPlan& plan) {
  for (const std::string& piece : SplitKeepEmpty(command_line, " ")) {
    if (!piece.empty() && !IsPathPiece(piece)) ApplySwitch(ToUpperAscii(piece), plan);
  }
}

}  // namespace

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (argument.empty()) continue;
    if (!line.empty()) line += ' ';
    if (argument.find(' ') != std::string::npos) {
      line += '"' + argument + '"';
    } else {
      line += argument;
    }
  }
  return line;
}

std::string FirstToken(std::string_view command_line) {
  if (command_line.empty()) return {};
  const std::string_view separator = command_line.front() == '"' ? " \"" : " ";
  const std::string token = SplitKeepEmpty(command_line, separator).front();
  if (!token.empty() && token.front() == '"') return WithoutFirstAndLast(token);
  return token;
}

bool IsSwitchList(std::string_view command_line) {
  if (command_line.empty() || command_line.front() != '/') return false;
  return !IsPathPiece(command_line.substr(0, command_line.find(' ')));
}

StartupPlan PlanStartup(std::string_view command_line, bool ctrl_held, bool shift_held,
                        int locale_language, bool other_instance_running,
                        const std::string& program_folder) {
  StartupPlan plan;
  plan.ProgramFolder = program_folder;
  plan.EnglishUI = ctrl_held || locale_language > 0 ? 1 : 0;

  const std::string token = FirstToken(command_line);
  if (other_instance_running) {
    plan.HandOff = true;
    // Switches name no file: the running player is only brought to the front.
    plan.HandOffToken = IsSwitchList(command_line) ? "" : token;
    return plan;
  }

  if (token.empty()) {
    if (shift_held) plan.KeyMapFile = program_folder + "/modkeys.keys";
    return plan;
  }
  if (IsSwitchList(command_line)) {
    ApplySwitchList(command_line, plan);
  } else {
    plan.OpenFile =
        command_line.front() == '"' ? WithoutFirstAndLast(command_line) : std::string(command_line);
    plan.OpenPending = -1;
  }
  if (!HasPlayableExtension(plan.OpenFile)) plan.OpenFile.clear();
  return plan;
}

std::string ProgramDataFolder(const std::string& program_dir) {
  namespace fs = std::filesystem;
  const auto holds_language = [](const fs::path& folder) {
    std::error_code ignored;
    return fs::exists(folder / kEnglishLangFile, ignored) ||
           fs::exists(folder / kJapaneseLangFile, ignored);
  };
  if (holds_language(program_dir)) return program_dir;
  const fs::path installed = fs::path(program_dir).parent_path() / "share" / "kirivane";
  if (holds_language(installed)) return installed.lexically_normal().string();
  return program_dir;
}

void ApplyStartupPlan(const StartupPlan& plan, PlayerState& state) {
  AppState& app = state.app;
  app.ProgramFolder = plan.ProgramFolder;
  app.AppTitle = LangText(app, kLangAppTitle);
  app.ShowVersion = plan.ShowVersion;
  app.TopmostSwitch = plan.TopmostSwitch;
  app.TitleSuffix = plan.TitleSuffixEntry >= 0 ? LangText(app, plan.TitleSuffixEntry) : "";
  app.OpenFile = plan.OpenFile;
  app.OpenPending = plan.OpenPending;

  state.input.DrumStart = plan.DrumStart;
  state.input.KeyMapFile = plan.KeyMapFile;
  state.input.KeyMapFromCommandLine = plan.KeyMapFromCommandLine;
  state.input.HookActive = plan.HookActive;
  state.layout.RequestedDisplayMode = plan.RequestedDisplayMode;
}

}  // namespace kirivane
