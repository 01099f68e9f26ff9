#pragma once

#include <cstdint>
#include <string>

#include "common/basic/clock.h"
#include "common/basic/sounds.h"
#include "player/midi/midi_mode.h"
#include "player/performance/performance_messages.h"
#include "player/performance/playback_engine.h"
#include "player/performance/recorder.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"

namespace kirivane {

// Pictures of the record/playback panel's buttons (program resources).
inline constexpr int kPicStartRecording = 115;
inline constexpr int kPicStartIdle = 116;
inline constexpr int kPicStartPlaying = 118;
inline constexpr int kPicRecPlaying = 119;
inline constexpr int kPicRecIdle = 120;
inline constexpr int kPicRecRecording = 122;
inline constexpr int kPicStopIdle = 123;
inline constexpr int kPicStopRunning = 124;
inline constexpr int kPicMetronomeOff = 126;
inline constexpr int kPicMetronomeOn = 127;
inline constexpr int kPicMetronomeBeat = 128;

// Sounds (program resources).
inline constexpr int kSoundError = 101;
inline constexpr int kSoundTick = 102;
inline constexpr int kSoundAccent = 103;
inline constexpr int kSoundClick = 105;

// Language entries and colours (Windows RGB values, red in the low byte) of the labels.
inline constexpr int kEntryNoPerformance = 323;
inline constexpr int kEntryPlayingNote = 187;
inline constexpr int kEntryRecordingNote = 188;
inline constexpr int kEntrySpeedNormal = 158;
inline constexpr int kColourPlaying = 0xFF0000;
inline constexpr int kColourRecording = 0x0000FF;
inline constexpr int kColourSystemButtonText = static_cast<int>(0x80000012u);
inline constexpr int kColourSpeedNormal = 0x6BB063;

// What the record/playback panel shows. Every method has an empty body: a panel implements
// what it has.
class TransportView {
 public:
  virtual ~TransportView() = default;
  // CmdStart, CmdRec, CmdStop: enabled or not, and the picture resource shown.
  virtual void ShowStart(bool /*enabled*/, int /*picture*/) {}
  virtual void ShowRecord(bool /*enabled*/, int /*picture*/) {}
  virtual void ShowStop(bool /*enabled*/, int /*picture*/) {}
  virtual void ShowMetronome(int /*picture*/) {}
  virtual void ShowLoop(bool /*on*/) {}
  // Label7: a language entry in a colour; hidden while a take runs.
  virtual void ShowSpeed(int /*entry*/, int /*rgb*/) {}
  virtual void HideSpeed() {}
  // LblNote: a language entry (0: the text "-") in a colour.
  virtual void ShowNote(int /*entry*/, int /*rgb*/) {}
  // MTLabel's text, "MM:SS.CC".
  virtual void ShowTime(const std::string& /*text*/) {}
  // Running: MTLabel shown, CmdLoop, CmdOpen and CmdSave hidden. Idle: the other way round.
  virtual void ShowRunning(bool /*running*/) {}
  virtual void EnableSave() {}
  // Timer2 (beat pulse, metronome) and the time display part of Timer3.
  virtual void SetBeatTimer(bool /*enabled*/, int /*interval_ms*/) {}
  virtual void SetTimeDisplay(bool /*running*/) {}
  // A new take began: the title, author and file tooltips go back to their defaults.
  virtual void NewTakeStarted() {}
};

class DeviceControls;
class KeyboardDisplay;
class SidePanels;

// The controllers and devices the transport works with besides the MIDI layer and its engine.
struct TransportPeers {
  Sounds& sounds;
  KeyboardDisplay& display;
  SidePanels& side_panels;  // the strip it runs in, and the pads that pulse the beat
  DeviceControls& devices;  // the transposition bar, back to 0 after a take
  PerformanceNotices& messages;
};

// "MM:SS.CC" of a time in milliseconds; minutes wrap after 59.
std::string TimeText(std::int64_t ms);

// The record/playback panel's logic: starting and stopping playback and recording, the
// running state, the speed, loop and metronome, the time display and its jumps. The panel
// calls it from its handlers and timers and shows what the view is told.
class Transport : public RecorderHost, public PlaybackHost {
 public:
  Transport(PlayerState& state, MidiMode& midi, Clock& clock, Recorder& recorder,
            PlaybackEngine& engine, const TransportPeers& peers);

  void SetView(TransportView* view) { view_.Set(view); }

  // Whether CmdStart and CmdStop are enabled: start while idle, stop while running.
  bool StartEnabled() const { return !running_; }
  bool StopEnabled() const { return running_; }
  // The tempo box (Combo3) and the beats box (Combo2) as the panel shows them, for the keys
  // that start the transport and the metronome (F5, F11). 60 and 0 until a panel tells.
  void SetBoxes(double tempo_box, double beats_box);
  double TempoBox() const { return tempo_box_; }
  double BeatsBox() const { return beats_box_; }
  // Esc held or released while idle with a performance in memory: the record button shows
  // that recording would continue it.
  void ShowRecordContinues(bool continues);

  // CmdStart: plays the performance in memory; false (with the error sound and message) when
  // there is none. tempo_box is Combo3's value.
  bool StartPlayback(double tempo_box);
  // CmdRec released: a new take, or the continuation of the one in memory when asked for.
  void StartRecording(bool continue_requested, double tempo_box);
  // CmdStop: StopRunning, all notes off, the bar starts again.
  void Stop();
  // Leaves the running state; safe to run again for the same stop.
  void StopRunning() override;
  void EnterRunningState(double tempo_box);

  // Label7: the left button steps 1.0 -> 2.0 -> 1.5 -> 0.5, any other button backwards. A
  // running wait takes the new speed at once.
  void CycleSpeed(bool left_button);
  void ToggleLoop();
  // CkMtr (and F11). beats_box is Combo2's value.
  void ToggleMetronome(double tempo_box, double beats_box);
  // Timer2's tick.
  void BeatTick(double beats_box);
  // Timer3's display part: the position of the take or of playback.
  void ShowRunningTime();
  // Timer1's recording part: the 15-minute limit.
  void CheckRecordingLimit() { recorder_.CheckTimeLimit(); }
  // The time display's jump zones: a twentieth of the performance back or forward.
  void JumpBack();
  void JumpForward();

  // PlaybackHost.
  void RefreshKeyboard() override;
  void PlaybackEnded() override;

 private:
  void ShowSpeed();
  void SetBeatTimer(bool enabled, int interval_ms);
  void Jump(std::int32_t index);

  PlayerState& state_;
  MidiMode& midi_;
  Clock& clock_;
  Recorder& recorder_;
  PlaybackEngine& engine_;
  TransportPeers peers_;
  ViewSlot<TransportView> view_;
  bool beat_timer_on_ = false;
  bool running_ = false;  // CmdStop enabled, CmdStart not
  double tempo_box_ = 60;
  double beats_box_ = 0;
};

}  // namespace kirivane
