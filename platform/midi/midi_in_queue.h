#pragma once

#include <array>
#include <atomic>
#include <cstddef>

#include "player/midi/midi_in.h"

namespace kirivane {

// Hands MIDI messages from one producer thread (the MIDI device's) to one consumer thread (the
// UI's) without locks: each side writes only its own index, and a slot is published by the
// release store of the producer's index. A full queue drops the message and says so.
class MidiInQueue {
 public:
  static constexpr std::size_t kCapacity = 1024;

  // Producer thread only. False when the queue was full and the message is dropped.
  bool Push(const MidiInMessage& message) {
    const std::size_t tail = tail_.load(std::memory_order_relaxed);
    if (tail - head_.load(std::memory_order_acquire) == kCapacity) {
      overflowed_.store(true, std::memory_order_relaxed);
      return false;
    }
    slots_[tail % kCapacity] = message;
    tail_.store(tail + 1, std::memory_order_release);
    return true;
  }

  // Consumer thread only. False when there is nothing to take.
  bool Pop(MidiInMessage& message) {
    const std::size_t head = head_.load(std::memory_order_relaxed);
    if (head == tail_.load(std::memory_order_acquire)) return false;
    message = slots_[head % kCapacity];
    head_.store(head + 1, std::memory_order_release);
    return true;
  }

  // Consumer thread only: whether messages were dropped since the last call.
  bool TakeOverflow() { return overflowed_.exchange(false, std::memory_order_relaxed); }

 private:
  std::array<MidiInMessage, kCapacity> slots_{};
  alignas(64) std::atomic<std::size_t> head_{0};  // next slot to take; written by the consumer
  alignas(64) std::atomic<std::size_t> tail_{0};  // next slot to fill; written by the producer
  std::atomic<bool> overflowed_{false};
};

}  // namespace kirivane
