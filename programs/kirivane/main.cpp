#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/basic/random_source.h"
#include "platform/held_keys.h"
#include "platform/keyhook/xi2_key_hook.h"
#include "platform/midi/quiet_libraries.h"
#include "platform/midi/rtmidi_input.h"
#include "platform/midi/system_midi_out.h"
#include "platform/sound/sound_player.h"
#include "platform/system_clock.h"
#include "platform/x11_keyboard.h"
#include "player/app/command_line.h"
#include "player/app/form1_window.h"
#include "player/app/player.h"
#include "player/layout/screen_metrics_qt.h"
#include "player/settings/settings_file.h"
#include "player/state/language_table.h"
#include "player/state/player_state.h"

namespace {

std::vector<std::string> ProgramArguments() {
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  std::vector<std::string> result;
  for (const QString& argument : arguments) result.push_back(argument.toStdString());
  return result;
}

// The chosen language, else the other one (with a line on stderr). Without any language file
// the player has no texts at all, so it cannot go on.
bool LoadLanguageOrReport(const std::string& folder, int language, kirivane::AppState& app) {
  const int loaded = kirivane::LoadStartLanguage(folder, language, app);
  if (loaded == language) return true;
  const std::string chosen = kirivane::LanguageFilePath(folder, language);
  if (loaded >= 0) {
    std::fprintf(stderr, "kirivane: %s could not be read; using %s\n", chosen.c_str(),
                 kirivane::LanguageFilePath(folder, loaded).c_str());
    return true;
  }
  const QString path = QString::fromStdString(chosen);
  QMessageBox::critical(nullptr, QStringLiteral("Kirivane"),
                        QString::fromUtf8("言語ファイルを読み込めません。\n"
                                          "The language file could not be read:\n%1\n\n"
                                          "The player cannot start without it.")
                            .arg(path));
  return false;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

int main(int argc, char* argv[]) {
  const kirivane::HeldKeys held = kirivane::ReadHeldKeys();
  QApplication application(argc, argv);
  const std::string folder =
      kirivane::ProgramDataFolder(QCoreApplication::applicationDirPath().toStdString());
  const std::string command_line = kirivane::JoinCommandLine(ProgramArguments());

  const bool another_instance_running = false;
  const int locale_language = kirivane::LocaleLanguage(
      Environment("LC_ALL"), Environment("LC_MESSAGES"), Environment("LANG"));
  const kirivane::StartupPlan plan = kirivane::PlanStartup(
      command_line, held.ctrl, held.shift, locale_language, another_instance_running, folder);

  kirivane::PlayerState state;
  if (!LoadLanguageOrReport(folder, plan.EnglishUI, state.app)) return 1;
  kirivane::ApplyStartupPlan(plan, state);

  state.layout.Screen = kirivane::ReadScreenMetrics(QGuiApplication::primaryScreen());
  state.layout.DefaultPositions = kirivane::ComputeDefaultPositions(state.layout.Screen);

  const std::string settings_path =
      kirivane::SettingsFilePath(folder, kirivane::FolderWritable(folder),
                                 Environment("XDG_CONFIG_HOME"), Environment("HOME"));
  kirivane::QuietSoundLibraries();
  kirivane::SystemClock clock;
  kirivane::StdRandomSource random;
  kirivane::SystemMidiOut midi_out(kirivane::MidiOptionsFromEnvironment());
  kirivane::RtMidiInput midi_in;
  kirivane::Xi2KeyHook hook;
  kirivane::SoundPlayer sounds;
  // A held key plays once, and a key keeps its code under every layout and Shift state.
  kirivane::X11Keyboard keyboard(state.input.KeyboardLayout);
  kirivane::QImageSurface keyboard_surface;
  kirivane::Player player(state, {midi_out, midi_in, clock, random, hook, sounds},
                          keyboard_surface);
  // The window decides when the program ends (after its staged shutdown).
  QApplication::setQuitOnLastWindowClosed(false);
  kirivane::Form1 form(player, keyboard_surface, settings_path);
  hook.SetKeyHandler(
      [&form](int keycode, bool down, bool num_lock) { form.HookKey(keycode, down, num_lock); });
  if (!form.Form_Load()) return 0;
  return QApplication::exec();
}
