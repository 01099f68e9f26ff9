// The load of the main window and its staged end.
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMessageBox>
#include <filesystem>

#include "common/basic/text_file.h"
#include "player/app/form1_window.h"
#include "player/app/seasonal.h"
#include "player/app/sound_waves.h"
#include "player/display/keyboard_panel.h"
#include "player/layout/decoration_panel.h"
#include "player/midi/midi_panel.h"
#include "player/settings/settings_file.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"

// The seasonal performances are resources of the window's library.
static void InitSeasonalResources() {
  Q_INIT_RESOURCE(seasonal);
}

namespace kirivane {

namespace {

// On 24 and 25 December the day's performance is written into the program folder and plays
// once the window is up (24 December an octave down). Any failure just leaves it out.
void StartSeasonalPerformance(Player& player) {
  PlayerState& state = player.state;
  const auto seasonal = SeasonalPerformanceOf(player.devices.clock.Today());
  if (!seasonal) return;
  InitSeasonalResources();
  QFile resource(QStringLiteral(":/seasonal/") + QString::fromStdString(seasonal->file_name));
  if (!resource.open(QIODevice::ReadOnly)) return;
  const QByteArray text = resource.readAll();
  const std::string path = state.app.ProgramFolder + "/" + seasonal->file_name;
  if (!WriteFileAtomically(path, std::string_view(text.constData(), text.size()))) return;
  if (state.performance.LoopOn == 1) player.transport.ToggleLoop();
  state.app.OpenFile = path;
  state.app.OpenPending = -1;
  state.performance.PlayStop = -1;
  if (seasonal->octave_down) state.midi.OctaveShift = player.device_controls.ChangeOctave(-1);
}

}  // namespace

bool Form1::Form_Load() {
  if (state_.app.Ending == -1) return true;
  SetFontsAndCaptions();
  if (state_.layout.Screen.ScreenHeight < 40) {
    ShowError(LangText(state_.app, kLangScreenTooSmall), false);
    return false;
  }
  panels_.decoration->ShowVersion();
  const WindowPosition placed = LoadSettings(state_, ReadSettingsFile(settings_path_));
  const ScreenMetrics& s = state_.layout.Screen;
  move(placed.Left / s.TwipsX, placed.Top / s.TwipsY);
  if (ApplySeasonalLook(state_.app, player_.devices.clock.Today())) {
    panels_.decoration->ShowVersion();
    update();
  }
  AddPlayerSounds(player_.devices.sounds);
  RebuildCaption();
  if (player_.key_maps.LoadAtStart() == KeyMapLoadResult::kFatal) return false;
  player_.display.RedrawKeyboard();
  panels_.midi->FillInstruments();
  if (state_.input.DrumStart == -1) player_.percussion.StartWithPercussionSet();
  state_.midi.BaseNote = 60;
  const std::vector<std::string> devices = player_.devices.midi_out.DeviceNames();
  panels_.midi->FillDevices(devices);
  if (devices.empty()) {
    const auto answer =
        QMessageBox::question(this, QString::fromStdString(state_.app.AppTitle),
                              QString::fromStdString(LangText(state_.app, kLangNoOutputDevice)),
                              QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) return false;
  }
  if (!state_.midi.PercussionSet) {
    state_.midi.KeyOutChannel = state_.midi.KeyChannel;
    state_.midi.PlayOutChannel = state_.midi.PlayChannel;
  }
  ApplyDisplayMode();
  SnapWindow();
  show();
  if (state_.input.HookActive == -1) {  // started with the hook on
    state_.input.HookActive = 0;
    player_.hook.ToggleHook();
  }
  panels_.midi->SelectSavedDevice(state_.midi.MidiDevice);
  player_.midi_thru.OpenSavedPort();
  player_.device_controls.SelectInstrument(0);
  state_.input.EscHeld = 0;
  if (state_.app.TopmostSwitch != 2) SetTopmost(state_.app.TopmostSwitch);
  activateWindow();
  ReturnFocus();
  if (state_.app.OpenFile.empty()) StartSeasonalPerformance(player_);
  if (!state_.app.OpenFile.empty()) EnableWaitTimer();  // opened and played by WaitTimer
  return true;
}

void Form1::Form_QueryUnload() {
  if (state_.app.AppClosing == -1) return;
  panels_.keyboard->DrawFarewell();
  state_.performance.PlayInterrupt = -1;
  state_.performance.PlayStop = -1;
  player_.engine.Nudge();
  if (state_.performance.Recording == -1) player_.transport.Stop();
  QApplication::processEvents();
  state_.app.Ending = -1;
  EndShape->setGeometry(rect());
  EndShape->show();
  EndShape->raise();
  player_.hook.ResetHook();
  player_.midi_thru.ReleaseAll();
  clearMask();
  if (!settings_saved_) {
    settings_saved_ = true;
    SaveSettingsFile(settings_path_, state_, PositionTwips());
  }
  QApplication::processEvents();
  state_.app.AppClosing = -1;
  WaitTimer.setInterval(state_.layout.EffectOn == 1 ? 250 : 25);
  WaitTimer.start();
}

void Form1::WaitTimer_Timer() {
  if (state_.app.AppClosing != -1) {
    // A file from the command line, a drop or a hand-off: opened and played once nothing runs.
    if (player_.files.PendingFileReady()) {
      WaitTimer.stop();
      player_.files.OpenPendingFile();
    }
    return;
  }
  panels_.keyboard->DrawFarewell();
  PerformanceState& p = state_.performance;
  if (p.ClockTicks == p.ClockTicksSeen || p.Playing == -1) {
    if (player_.midi.DeviceOpen()) player_.midi.CloseMidiOut();
    WaitTimer.stop();
    unloading_ = true;
    close();
    return;
  }
  p.ClockTicksSeen = p.ClockTicks;
  p.PlayInterrupt = -1;
  QApplication::processEvents();
}

void Form1::EnableWaitTimer() {
  if (state_.app.AppClosing == -1) return;  // the closing branch owns the timer now
  WaitTimer.setInterval(100);
  WaitTimer.start();
}

void Form1::closeEvent(QCloseEvent* event) {
  if (!unloading_) {
    Form_QueryUnload();
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void Form1::Form_Unload() {
  WaitTimer.stop();
  for (const char* name : {"/_1224.lyr", "/_1225.lyr"}) {
    std::error_code ignored;
    std::filesystem::remove(state_.app.ProgramFolder + name, ignored);
  }
  QApplication::quit();
}

}  // namespace kirivane
