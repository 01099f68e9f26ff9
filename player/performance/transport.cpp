#include "player/performance/transport.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "common/basic/text_rules.h"
#include "player/display/keyboard_display.h"
#include "player/layout/side_panels.h"
#include "player/midi/device_controls.h"

namespace kirivane {

namespace {

struct SpeedLook {
  float speed;
  int entry;
  int rgb;
};

// In the order the left button steps through them.
constexpr std::array<SpeedLook, 4> kSpeeds = {{{1.0f, kEntrySpeedNormal, kColourSpeedNormal},
                                               {2.0f, 159, 0xFF0000},
                                               {1.5f, 160, 0xFF994E},
                                               {0.5f, 157, 0x0000FF}}};

// Index of a speed in kSpeeds; a value outside the four counts as unknown (-1).
int SpeedIndex(float speed) {
  for (std::size_t i = 0; i < kSpeeds.size(); ++i) {
    if (kSpeeds[i].speed == speed) return static_cast<int>(i);
  }
  return -1;
}

int IntegerPart(double value) {
  return static_cast<int>(std::clamp(value, -2147483648.0, 2147483647.0));
}

// Milliseconds of a beat at a tempo box value (its integer part, at least 1 beat a minute).
int BeatIntervalOfBox(double tempo_box) {
  return 60000 / std::max(1, IntegerPart(tempo_box));
}

}  // namespace

std::string TimeText(std::int64_t ms) {
  const std::int64_t t = std::max<std::int64_t>(0, ms);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d.%02d", static_cast<int>((t / 60000) % 60),
                static_cast<int>((t / 1000) % 60), static_cast<int>((t / 10) % 100));
  return text;
}

Transport::Transport(PlayerState& state, MidiMode& midi, Clock& clock, Recorder& recorder,
                     PlaybackEngine& engine, const TransportPeers& peers)
    : state_(state),
      midi_(midi),
      clock_(clock),
      recorder_(recorder),
      engine_(engine),
      peers_(peers) {}

void Transport::SetBoxes(double tempo_box, double beats_box) {
  tempo_box_ = tempo_box;
  beats_box_ = beats_box;
}

void Transport::ShowRecordContinues(bool continues) {
  view_->ShowRecord(true, continues ? kPicRecRecording : kPicRecIdle);
}

void Transport::RefreshKeyboard() {
  peers_.display.Refresh();
}

bool Transport::StartPlayback(double tempo_box) {
  auto& perf = state_.performance;
  if (state_.events.EventCount <= 1) {
    peers_.sounds.Play(kSoundError);
    PerformanceMessage message;
    message.text_entry = kEntryNoPerformance;
    message.title_entry = kEntryFileErrorTitle;
    message.detail = "there is no performance to play";
    peers_.messages.ShowMessage(message);
    return false;
  }
  if (engine_.Active()) engine_.Advance();  // a stop still pending completes first
  view_->ShowNote(kEntryPlayingNote, kColourPlaying);
  if (beat_timer_on_) {
    view_->ShowMetronome(kPicMetronomeOff);
    if (perf.MetronomeOn == -1) ToggleMetronome(tempo_box, 0);
  }
  perf.PlayStop = 0;
  EnterRunningState(tempo_box);
  perf.Playing = -1;
  perf.ClockTicks = perf.ClockTicksSeen = 0;
  engine_.Start();
  return true;
}

void Transport::StartRecording(bool continue_requested, double tempo_box) {
  state_.performance.Recording = -1;
  EnterRunningState(tempo_box);
  const bool continuing = continue_requested && state_.events.EventCount > 0;
  recorder_.BeginTake(continue_requested, tempo_box);
  if (!continuing) view_->NewTakeStarted();
  view_->HideSpeed();
  view_->ShowNote(kEntryRecordingNote, kColourRecording);
}

void Transport::EnterRunningState(double tempo_box) {
  auto& perf = state_.performance;
  if (perf.Recording == -1) {
    view_->ShowStart(false, kPicStartRecording);
    view_->ShowRecord(false, kPicRecRecording);
  } else {
    view_->ShowStart(false, kPicStartPlaying);
    view_->ShowRecord(false, kPicRecPlaying);
    const bool box_tempo = perf.Tempo == 60 || perf.Tempo < 1;
    SetBeatTimer(true, box_tempo ? BeatIntervalOfBox(tempo_box) : 60000 / perf.Tempo);
    perf.MetronomeTick = 0;
  }
  view_->ShowStop(true, kPicStopRunning);
  running_ = true;
  view_->ShowTime(TimeText(0));
  view_->ShowRunning(true);
  view_->SetTimeDisplay(true);
  if (perf.ClockTicks > 0) perf.ClockTicks = 0;
}

void Transport::Stop() {
  StopRunning();
  midi_.AllNotesOff();
  state_.performance.BeatCount = 0;
}

void Transport::StopRunning() {
  auto& perf = state_.performance;
  view_->ShowStop(false, kPicStopIdle);
  running_ = false;
  perf.PlayStop = -1;
  engine_.Nudge();  // a running pass notices the request at its next step
  view_->ShowNote(0, kColourSystemButtonText);
  const auto clock_time = static_cast<std::uint32_t>(std::max(1, perf.ClockTime));
  perf.ClockTicks = static_cast<std::int32_t>((clock_.NowMs() - perf.ClockStart) / clock_time);
  view_->ShowTime(TimeText(std::int64_t{perf.ClockTicks} * perf.ClockTime));
  if (perf.Recording == -1) {
    perf.Recording = 0;
    const int transpose = state_.midi.Transpose;
    recorder_.FinishRecording();
    // The take keeps the transposition; the bar goes back to 0 (which releases every note).
    if (transpose != 0) peers_.devices.ChangeTranspose(0);
    ShowSpeed();
  }
  peers_.display.RedrawOrShowDrawingOff();
  if (perf.MetronomeOn == 0 && beat_timer_on_) SetBeatTimer(false, 0);
  view_->SetTimeDisplay(false);
  view_->EnableSave();
  view_->ShowStart(true, kPicStartIdle);
  view_->ShowRecord(true, kPicRecIdle);
  if (state_.layout.PanelOpen == -1) view_->ShowRunning(false);
  perf.Playing = 0;
}

void Transport::PlaybackEnded() {
  if (state_.layout.PanelOpen != -1) peers_.side_panels.TogglePlayPanel();
  StopRunning();
  midi_.ResetSound();
}

void Transport::ShowSpeed() {
  const int index = SpeedIndex(state_.performance.PlaySpeed);
  const SpeedLook& look = kSpeeds[static_cast<std::size_t>(std::max(0, index))];
  view_->ShowSpeed(look.entry, look.rgb);
}

void Transport::CycleSpeed(bool left_button) {
  peers_.sounds.Play(kSoundClick);
  float& speed = state_.performance.PlaySpeed;
  const int index = SpeedIndex(speed);
  const int count = static_cast<int>(kSpeeds.size());
  const int next = index < 0 ? 0 : (index + (left_button ? 1 : count - 1)) % count;
  speed = kSpeeds[static_cast<std::size_t>(next)].speed;
  ShowSpeed();
  engine_.Nudge();
}

void Transport::ToggleLoop() {
  int& loop = state_.performance.LoopOn;
  if (loop == 0) {
    loop = 1;
  } else if (loop == 1) {
    loop = 0;
  }
  view_->ShowLoop(loop == 1);
}

void Transport::SetBeatTimer(bool enabled, int interval_ms) {
  beat_timer_on_ = enabled;
  view_->SetBeatTimer(enabled, interval_ms);
}

void Transport::ToggleMetronome(double tempo_box, double beats_box) {
  auto& perf = state_.performance;
  if (perf.MetronomeOn == -1) {
    view_->ShowMetronome(kPicMetronomeOff);
    if (perf.Playing == 0) SetBeatTimer(false, 0);
    perf.MetronomeOn = 0;
    return;
  }
  SetBeatTimer(false, 0);
  perf.MetronomeOn = -1;
  perf.MetronomeBeat = 0;
  perf.BeatCount = static_cast<int>(RoundHalfEven(beats_box)) - 1;
  view_->ShowMetronome(kPicMetronomeOn);
  SetBeatTimer(true, BeatIntervalOfBox(tempo_box));
  BeatTick(beats_box);  // the first beat sounds at once
}

void Transport::BeatTick(double beats_box) {
  auto& perf = state_.performance;
  if (perf.Playing == -1) {
    peers_.side_panels.PulsePads(perf.MetronomeTick == -1);
    perf.MetronomeTick = perf.MetronomeTick == -1 ? 0 : -1;
  }
  if (perf.MetronomeOn != -1) return;
  perf.BeatCount += 1;
  if (state_.layout.PanelOpen == -1) {
    view_->ShowMetronome(perf.MetronomeBeat == -1 ? kPicMetronomeOn : kPicMetronomeBeat);
    perf.MetronomeBeat = perf.MetronomeBeat == -1 ? 0 : -1;
  }
  const auto beats = static_cast<int>(RoundHalfEven(beats_box));
  if (beats != 0 && perf.BeatCount % beats == 0) {
    peers_.sounds.Play(kSoundAccent);
    perf.BeatCount = 0;
    return;
  }
  peers_.sounds.Play(kSoundTick);
  if (beats == 0) perf.BeatCount = 0;
}

void Transport::ShowRunningTime() {
  auto& perf = state_.performance;
  const auto clock_time = static_cast<std::uint32_t>(std::max(1, perf.ClockTime));
  if (perf.Recording == -1) {
    perf.ClockTicks = static_cast<std::int32_t>((clock_.NowMs() - perf.ClockStart) / clock_time);
  } else if (perf.Playing == -1) {
    engine_.UpdatePosition();
    perf.ClockTicks = perf.PlayNextTime / static_cast<std::int32_t>(clock_time);
  } else {
    return;
  }
  view_->ShowTime(TimeText(std::int64_t{perf.ClockTicks} * perf.ClockTime));
}

void Transport::Jump(std::int32_t index) {
  auto& perf = state_.performance;
  perf.PlayIndex = index;
  perf.PlayNextTime = state_.events.EvTimeMs[static_cast<std::size_t>(index)];
  peers_.sounds.Play(kSoundClick);
}

void Transport::JumpBack() {
  const auto& perf = state_.performance;
  if (perf.Playing != -1 || perf.Recording == -1 || perf.PlayLength == 0) return;
  const auto step = static_cast<std::int32_t>(RoundHalfEven(perf.PlayLength / 20.0));
  peers_.display.RedrawOrShowDrawingOff();
  midi_.AllNotesOff();
  Jump(step < perf.PlayIndex ? perf.PlayIndex - step : 0);
}

void Transport::JumpForward() {
  const auto& perf = state_.performance;
  if (perf.Playing != -1 || perf.Recording == -1) return;
  const auto step = static_cast<std::int32_t>(RoundHalfEven(perf.PlayLength / 20.0));
  peers_.display.RedrawOrShowDrawingOff();
  midi_.AllNotesOff();
  if (perf.PlayIndex + step < perf.PlayLength) Jump(perf.PlayIndex + step);
}

}  // namespace kirivane
