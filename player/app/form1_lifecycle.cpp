// The load of the main window and its staged end.
#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <filesystem>

#include "player/app/form1_window.h"
#include "player/app/seasonal.h"
#include "player/app/sound_waves.h"
#include "player/display/keyboard_panel.h"
#include "player/layout/decoration_panel.h"
#include "player/midi/midi_panel.h"
#include "player/settings/settings_file.h"
#include "player/state/language_table.h"

namespace kirivane {

bool Form1::Form_Load() {
  if (state_.app.Ending == -1) return true;
  SetFontsAndCaptions();
  if (state_.layout.Screen.ScreenHeight < 40) {
    ShowError(LangText(state_.app, 322), false);
    return false;
  }
  decoration_panel_->ShowVersion();
  const WindowPosition placed = LoadSettings(state_, ReadSettingsFile(settings_path_));
  const ScreenMetrics& s = state_.layout.Screen;
  move(placed.Left / s.TwipsX, placed.Top / s.TwipsY);
  if (ApplySeasonalLook(state_.app, player_.devices.clock.Today())) {
    decoration_panel_->ShowVersion();
    update();
  }
  AddPlayerSounds(player_.devices.sounds);
  RebuildCaption();
  if (player_.key_maps.LoadAtStart() == KeyMapLoadResult::kFatal) return false;
  player_.display.RedrawKeyboard();
  midi_panel_->FillInstruments();
  if (state_.input.DrumStart == -1) player_.percussion.StartWithPercussionSet();
  state_.midi.BaseNote = 60;
  const std::vector<std::string> devices = player_.devices.midi_out.DeviceNames();
  midi_panel_->FillDevices(devices);
  if (devices.empty()) {
    const auto answer = QMessageBox::question(this, QString::fromStdString(state_.app.AppTitle),
                                              QString::fromStdString(LangText(state_.app, 350)),
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
  midi_panel_->SelectSavedDevice(state_.midi.MidiDevice);
  player_.midi_thru.OpenSavedPort();
  player_.device_controls.SelectInstrument(0);
  state_.input.EscHeld = 0;
  if (state_.app.TopmostSwitch != 2) SetTopmost(state_.app.TopmostSwitch);
  Timer1.start();
  activateWindow();
  ReturnFocus();
  return true;
}

// Timer1: the recording time limit, while a device is open and the full window shows.
void Form1::Timer1_Timer() {
  if (state_.midi.Timer1Enabled && state_.layout.DisplayMode == 0) {
    player_.transport.CheckRecordingLimit();
  }
}

void Form1::Form_QueryUnload() {
  if (state_.app.AppClosing == -1) return;
  keyboard_panel_->DrawFarewell();
  state_.performance.PlayInterrupt = -1;
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
  Timer1.stop();
  QApplication::processEvents();
  state_.app.AppClosing = -1;
  WaitTimer.setInterval(state_.layout.EffectOn == 1 ? 250 : 25);
  WaitTimer.start();
}

void Form1::WaitTimer_Timer() {
  if (state_.app.AppClosing != -1) return;
  keyboard_panel_->DrawFarewell();
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
