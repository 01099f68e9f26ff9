// The load of the main window and its staged end.
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <filesystem>

#include "common/keyboard/keyboard_widget.h"
#include "player/app/form1_window.h"
#include "player/app/seasonal.h"
#include "player/app/sound_waves.h"
#include "player/settings/settings_file.h"
#include "player/widgets/lamp_shape_widget.h"
#include "player/widgets/picture_button_widget.h"

namespace kirivane {

bool Form1::Form_Load() {
  if (state_.app.Ending == -1) return true;
  SetFontsAndCaptions();
  if (state_.layout.Screen.ScreenHeight < 40) {
    ShowError(Lang(322), false);
    return false;
  }
  if (state_.app.ShowVersion == -1) {
    for (QLabel* label : Label12) label->setText(QString::fromStdString(state_.app.VersionText));
  }
  const WindowPosition placed = LoadSettings(state_, ReadSettingsFile(settings_path_));
  const ScreenMetrics& s = state_.layout.Screen;
  move(placed.Left / s.TwipsX, placed.Top / s.TwipsY);
  ApplySeasonalLook();
  AddPlayerSounds(sounds_);
  UpdateCaption();
  if (state_.input.KeyMapFile.empty()) {
    state_.input.KeyMapFile = ProgramKeyMapPath(state_.app.ProgramFolder, kDefaultKeyMapName);
  }
  if (LoadKeyMap(state_, state_.input.KeyMapFile, random_, *this) == KeyMapLoadResult::kFatal) {
    close();
    return false;
  }
  display_->RedrawKeyboard();
  midi_panel_->FillInstruments();
  Check1->setText(QString::fromStdString(Lang(184)));
  if (state_.input.DrumStart == -1) {
    state_.midi.KeyOutChannel = state_.midi.PlayOutChannel = 10;
    state_.midi.PercussionSet = true;
    state_.app.AppTitle = Lang(1);
    UpdateCaption();
    SetPercussionButtonNoDrop(true);
    state_.midi.DamperLampBorder = 3718655;
    state_.midi.DamperLampFill = 10155263;
    SetDamperLamp(3718655, 10155263);
  }
  state_.midi.BaseNote = 60;
  const std::vector<std::string> devices = out_.DeviceNames();
  midi_panel_->FillDevices(devices);
  if (devices.empty()) {
    const auto answer = QMessageBox::question(this, QString::fromStdString(state_.app.AppTitle),
                                              QString::fromStdString(Lang(350)),
                                              QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) return false;
  }
  state_.midi.Transpose = midi_panel_->VScroll1->value();
  state_.midi.OctaveShift = midi_panel_->HScroll1->value();
  if (!state_.midi.PercussionSet) {
    state_.midi.KeyOutChannel = state_.midi.KeyChannel;
    state_.midi.PlayOutChannel = state_.midi.PlayChannel;
  }
  ApplyDisplayMode();
  SnapWindow();
  show();
  if (state_.input.HookActive == -1) {  // started with the hook on
    state_.input.HookActive = 0;
    Check1_Click();
  }
  midi_panel_->SelectSavedDevice(state_.midi.MidiDevice);
  midi_panel_->SelectInstrument(0);
  state_.input.EscHeld = 0;
  if (state_.app.TopmostSwitch != 2) SetTopmost(state_.app.TopmostSwitch);
  activateWindow();
  ReturnFocus();
  return true;
}

void Form1::ApplySeasonalLook() {
  if (!InSeasonalPeriod(clock_.Today())) return;
  state_.app.XmasSpecial = -1;
  state_.app.VersionText += "(X'mas Special)";
  if (state_.app.ShowVersion == -1) {
    for (QLabel* label : Label12) label->setText(QString::fromStdString(state_.app.VersionText));
  }
  update();
}

void Form1::DrawFarewell() {
  QImageSurface& surface = Keyboard_->KeyboardSurface();
  const std::string first = Lang(282);
  const std::string second = Lang(283);
  surface.Clear();
  if (state_.layout.DisplayMode == 2) {
    const int w1 = surface.TextWidth(first);
    const int w2 = surface.TextWidth(second);
    const int x = 295 - (w1 + w2) / 2;
    surface.PrintText(x, 5, first);
    surface.PrintText(x + w1 + 10, 5, second);
  } else {
    surface.PrintText(220 - surface.TextWidth(first) / 2, 45, first);
    surface.PrintText(220 - surface.TextWidth(second) / 2, 65, second);
  }
  surface.Refresh();
}

void Form1::Form_QueryUnload() {
  if (state_.app.AppClosing == -1) return;
  DrawFarewell();
  state_.performance.PlayInterrupt = -1;
  QApplication::processEvents();
  state_.app.Ending = -1;
  EndShape->setGeometry(rect());
  EndShape->show();
  EndShape->raise();
  hook_.ResetHook();
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
  DrawFarewell();
  PerformanceState& p = state_.performance;
  if (p.ClockTicks == p.ClockTicksSeen || p.Playing == -1) {
    if (midi_->DeviceOpen()) midi_->CloseMidiOut();
    WaitTimer.stop();
    unloading_ = true;
    close();
    return;
  }
  p.ClockTicksSeen = p.ClockTicks;
  p.PlayInterrupt = -1;
  QApplication::processEvents();
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
