#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "player/state/player_state.h"
#include "player/midi/midi_out.h"

namespace kirivane {

// One message of a performance as an offline render replays it, at its time.
struct TimedMessage {
  std::int64_t ms = 0;
  std::uint32_t packed = 0;         // a short message, when `bytes` is empty and not `reset`
  std::vector<std::uint8_t> bytes;  // a system-exclusive message
  bool reset = false;               // MidiOut::Reset
};

// Everything playback sends for one pass of the performance in memory, timed on a virtual
// clock: the device opened as the player opens it, the bank and program, the modulation, then
// the pass through the playback engine (ending with AllNotesOff). *end_ms is when the pass
// ended.
std::vector<TimedMessage> PerformanceMessages(PlayerState& state, int bank, std::int64_t* end_ms);

// Which of `parts` synthesizers plays a message. The notes of the melodic channels are shared
// out by note number, so a note's on and off meet in the same synthesizer; the percussion
// channel's notes all go to the first, so its instruments that silence each other (open and
// closed hi-hat) still meet. Anything else, controllers and programs included, goes to all:
// kAllParts.
inline constexpr int kAllParts = -1;
int PartOfMessage(const TimedMessage& message, int parts);

// Renders the messages through the synthesizers, each on a thread of its own playing its share
// (PartOfMessage), and sums their sound. A synthesizer's output is the sum of its voices put
// through linear effects, so the sum is the sound of one synthesizer playing everything, made
// in a fraction of the time on several cores. Writes `total_frames` stereo 16-bit frames in
// order, in pieces, through `write`.
void RenderParts(const std::vector<TimedMessage>& messages,
                 const std::vector<RenderingMidiOut*>& synths, std::int64_t total_frames,
                 int sample_rate,
                 const std::function<void(const std::int16_t* frames, std::size_t count)>& write);

}  // namespace kirivane
