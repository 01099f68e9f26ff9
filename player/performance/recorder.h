#pragma once

#include "common/basic/clock.h"
#include "player/midi/midi_hooks.h"
#include "player/performance/performance_messages.h"
#include "player/state/player_state.h"

namespace kirivane {

// A take ends by itself after this many milliseconds.
inline constexpr std::uint32_t kRecordingTimeLimitMs = 899999;

// What the recorder needs from the record/playback panel around it.
class RecorderHost {
 public:
  virtual ~RecorderHost() = default;
  // The panel's stop: leaves the running state, sets Recording to 0 and calls
  // Recorder::FinishRecording. The recorder calls it when a take reaches a limit.
  virtual void StopRunning() = 0;
};

// Records the notes and pedal changes the MIDI layer sends into the event table, timed in
// ticks of ClockTime milliseconds.
class Recorder : public EventSink {
 public:
  // Without a host, a limit finishes the take directly.
  Recorder(PlayerState& state, Clock& clock, PerformanceNotices& notices,
           RecorderHost* host = nullptr);

  void RecordEvent(int data, int velocity, int kind) override;

  // The record button released: continues the performance in memory when asked to (Esc held
  // or the middle button) and there is one, else starts a new one at the tempo of the box.
  void BeginTake(bool continue_requested, double tempo_box_value);
  void StartNewRecording();
  void ContinueRecording();
  // Closes the take with its end mark; called by the panel's stop after Recording = 0.
  void FinishRecording();
  // The once-a-second check of the 15-minute limit.
  void CheckTimeLimit();

 private:
  std::int32_t TicksNow();
  void StopForLimit(int text_entry, int title_entry);

  PlayerState& state_;
  Clock& clock_;
  PerformanceNotices& notices_;
  RecorderHost* host_;
};

}  // namespace kirivane
