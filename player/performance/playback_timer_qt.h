#pragma once

#include <QObject>
#include <QTimer>

#include "player/performance/playback_engine.h"

namespace kirivane {

// Drives the playback engine from the Qt event loop with one precise single-shot timer, armed
// for the moment the next event is due. Between events nothing runs, so a long gap costs no
// processor time, and no event loop is nested.
//
// The engine's clock must be the steady clock in milliseconds (SystemClock). The timer is armed
// from the steady clock's microseconds for the whole milliseconds before the due time, and the
// fraction of a millisecond left when it fires is slept in the thread, so an event leaves when
// its millisecond begins; the window is never held for as long as a millisecond.
class PlaybackTimer : public QObject, public PlaybackScheduler {
  Q_OBJECT

 public:
  explicit PlaybackTimer(PlaybackEngine& engine, QObject* parent = nullptr);

  // Runs Advance on the next turn of the event loop.
  void AdvanceSoon() override;

 private:
  void OnTimeout();
  void ArmFor(std::uint32_t due_ms);

  PlaybackEngine& engine_;
  QTimer timer_;
};

}  // namespace kirivane
