#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/basic/random_source.h"
#include "platform/association/xdg_file_association.h"
#include "platform/held_keys.h"
#include "platform/instance/single_instance.h"
#include "platform/keyhook/xi2_key_hook.h"
#include "platform/midi/quiet_libraries.h"
#include "platform/midi/rtmidi_input.h"
#include "platform/midi/system_midi_out.h"
#include "platform/sound/output_volume.h"
#include "platform/sound/sound_player.h"
#include "platform/system_clock.h"
#include "platform/x11_keyboard.h"
#include "player/app/command_line.h"
#include "player/app/file_drop_qt.h"
#include "player/app/form1_window.h"
#include "player/app/player.h"
#include "player/layout/screen_metrics_qt.h"
#include "player/settings/settings_file.h"
#include "player/state/lang_ids.h"
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

// A silent sound output makes the player seem broken: the volume control is offered (unless
// the notes go to a capture file rather than to the speakers).
void OfferVolumeControlWhenSilent(QWidget* window, const kirivane::AppState& app, bool capturing) {
  if (capturing) return;
  const auto volume = kirivane::DefaultOutputVolume();
  if (!volume || *volume != 0) return;
  const auto answer = QMessageBox::question(
      window, QString::fromStdString(app.AppTitle),
      QString::fromStdString(kirivane::LangText(app, kirivane::kLangVolumeZeroQuestion)),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  const QString mixer = QStandardPaths::findExecutable(QStringLiteral("pavucontrol"));
  if (answer == QMessageBox::Yes && !mixer.isEmpty()) QProcess::startDetached(mixer, {});
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

  // One player per user: a second start hands its file to the first one and ends.
  const QString socket_path = kirivane::DefaultInstanceSocketPath();
  kirivane::HandOffClient hand_off;
  const bool another_instance_running = hand_off.Connect(socket_path, 1000);
  const int locale_language = kirivane::LocaleLanguage(
      Environment("LC_ALL"), Environment("LC_MESSAGES"), Environment("LANG"));
  const kirivane::StartupPlan plan = kirivane::PlanStartup(
      command_line, held.ctrl, held.shift, locale_language, another_instance_running, folder);

  if (plan.HandOff) {
    hand_off.SendFile(QString::fromStdString(plan.HandOffToken), 1000);
    return 0;
  }
  kirivane::SingleInstance instance(socket_path);
  if (QString why; !instance.Listen(&why)) {
    std::fprintf(stderr, "kirivane: no hand-off from later starts: %s\n", qPrintable(why));
  }

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
  const kirivane::SystemMidiOutOptions midi_options = kirivane::MidiOptionsFromEnvironment();
  kirivane::SystemMidiOut midi_out(midi_options);
  kirivane::RtMidiInput midi_in;
  kirivane::Xi2KeyHook hook;
  kirivane::SoundPlayer sounds;
  // A held key plays once, and a key keeps its code under every layout and Shift state.
  kirivane::X11Keyboard keyboard(state.input.KeyboardLayout);
  kirivane::QImageSurface keyboard_surface;
  kirivane::XdgFileAssociation association(
      kirivane::XdgFileAssociation::DirsFromEnvironment(),
      QCoreApplication::applicationFilePath().toStdString(),
      {kirivane::LangText(state.app, 0), kirivane::LangText(state.app, 2),
       kirivane::LangText(state.app, kirivane::kLangPerformanceTypeName)});
  kirivane::Player player(state, {midi_out, midi_in, clock, random, hook, sounds, &association},
                          keyboard_surface);
  // The window decides when the program ends (after its staged shutdown).
  QApplication::setQuitOnLastWindowClosed(false);
  kirivane::Form1 form(player, keyboard_surface, settings_path);
  hook.SetKeyHandler(
      [&form](int keycode, bool down, bool num_lock) { form.HookKey(keycode, down, num_lock); });
  auto* drops = form.findChild<kirivane::FileDropTarget*>();
  QObject::connect(&instance, &kirivane::SingleInstance::HandOffReceived, drops,
                   [drops](const QStringList& files) {
                     if (!files.isEmpty()) {
                       std::fprintf(stderr, "kirivane: handed over by a later start: %s\n",
                                    qPrintable(files.first()));
                     }
                     drops->ReceiveHandOff(files);
                   });
  if (!form.Form_Load()) return 0;
  OfferVolumeControlWhenSilent(&form, state.app, !midi_options.capture_path.empty());
  return QApplication::exec();
}
