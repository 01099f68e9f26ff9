#include "player/performance/offline_render.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "player/midi/midi_mode.h"
#include "player/performance/offline_playback.h"

namespace kirivane {

namespace {

constexpr int kPercussionChannelIndex = 9;

// Keeps what MidiMode sends, stamped with the render's time.
class MessageLog : public MidiOut {
 public:
  std::vector<std::string> DeviceNames() override { return {}; }
  int Open(int) override { return 0; }
  bool IsOpen() const override { return true; }
  void SendShort(std::uint32_t packed) override { messages.push_back({now, packed, {}, false}); }
  void SendLong(const std::vector<std::uint8_t>& bytes) override {
    messages.push_back({now, 0, bytes, false});
  }
  void Reset() override { messages.push_back({now, 0, {}, true}); }
  void Close() override {}
  std::string ErrorText(int) override { return {}; }

  std::int64_t now = 0;
  std::vector<TimedMessage> messages;
};

void Send(const TimedMessage& message, MidiOut& out) {
  if (message.reset) {
    out.Reset();
  } else if (!message.bytes.empty()) {
    out.SendLong(message.bytes);
  } else {
    out.SendShort(message.packed);
  }
}

// One synthesizer's share of one piece of the render.
class PartRender {
 public:
  PartRender(const std::vector<TimedMessage>& messages, RenderingMidiOut& synth, int part,
             int parts, int sample_rate)
      : messages_(messages), synth_(synth), part_(part), parts_(parts), rate_(sample_rate) {}

  // Frames [begin, end) into `buffer` (stereo, interleaved).
  void Render(std::int64_t begin, std::int64_t end, std::vector<float>& buffer) {
    buffer.assign(static_cast<std::size_t>(end - begin) * 2, 0.0f);
    std::int64_t done = begin;
    for (; next_ < messages_.size(); ++next_) {
      const TimedMessage& message = messages_[next_];
      const std::int64_t at = message.ms * rate_ / 1000;
      if (at >= end) break;
      const int part = PartOfMessage(message, parts_);
      if (part != kAllParts && part != part_) continue;
      if (at > done) {
        synth_.RenderFloat(static_cast<int>(at - done), &buffer[(done - begin) * 2]);
        done = at;
      }
      Send(message, synth_);
    }
    if (end > done) synth_.RenderFloat(static_cast<int>(end - done), &buffer[(done - begin) * 2]);
  }

 private:
  const std::vector<TimedMessage>& messages_;
  RenderingMidiOut& synth_;
  int part_;
  int parts_;
  int rate_;
  std::size_t next_ = 0;
};

// Triangular dither of one step of 16 bits, as the synthesizer's own 16-bit output has.
class Dither {
 public:
  float Next() { return Uniform() - Uniform(); }

 private:
  float Uniform() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ >> 8) / 16777216.0f;
  }
  std::uint32_t state_ = 2463534242u;
};

void MixTo16Bit(const std::vector<std::vector<float>>& buffers, Dither& dither,
                std::vector<std::int16_t>& out) {
  out.resize(buffers.front().size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    float sum = 0;
    for (const auto& buffer : buffers) sum += buffer[i];
    const long sample = std::lrint(sum * 32766.0f + dither.Next());
    out[i] = static_cast<std::int16_t>(std::clamp<long>(sample, -32768, 32767));
  }
}

}  // namespace

std::vector<TimedMessage> PerformanceMessages(PlayerState& state, int bank, std::int64_t* end_ms) {
  MessageLog log;
  MidiMode midi(state, log);
  midi.OpenMidiOut(kMidiMapper);  // channel volumes, as when the player opens its device
  midi.SendProgramOnChannels(bank, std::max(0, state.midi.SelectedProgram));
  midi.SendModulation();
  *end_ms = PlayPerformanceOffline(state, midi, [&](std::int64_t ms) { log.now = ms; });
  return std::move(log.messages);
}

int PartOfMessage(const TimedMessage& message, int parts) {
  if (parts <= 1 || message.reset || !message.bytes.empty()) return kAllParts;
  const std::uint32_t kind = message.packed & 0xF0;
  if (kind != 0x80 && kind != 0x90) return kAllParts;
  if ((message.packed & 0x0F) == kPercussionChannelIndex) return 0;
  return static_cast<int>((message.packed >> 8) & 0x7F) % parts;
}

void RenderParts(const std::vector<TimedMessage>& messages,
                 const std::vector<RenderingMidiOut*>& synths, std::int64_t total_frames,
                 int sample_rate,
                 const std::function<void(const std::int16_t* frames, std::size_t count)>& write) {
  const int parts = static_cast<int>(synths.size());
  std::vector<PartRender> renders;
  for (int part = 0; part < parts; ++part) {
    renders.emplace_back(messages, *synths[static_cast<std::size_t>(part)], part, parts,
                         sample_rate);
  }
  // A second of sound at a time: the threads meet once a piece, not at every event.
  const std::int64_t piece = sample_rate;
  std::vector<std::vector<float>> buffers(static_cast<std::size_t>(parts));
  std::vector<std::int16_t> mixed;
  Dither dither;
  for (std::int64_t begin = 0; begin < total_frames; begin += piece) {
    const std::int64_t end = std::min(total_frames, begin + piece);
    std::vector<std::thread> helpers;
    for (std::size_t part = 1; part < renders.size(); ++part) {
      helpers.emplace_back([&, part] { renders[part].Render(begin, end, buffers[part]); });
    }
    renders[0].Render(begin, end, buffers[0]);
    for (std::thread& helper : helpers) helper.join();
    MixTo16Bit(buffers, dither, mixed);
    write(mixed.data(), static_cast<std::size_t>(end - begin));
  }
}

}  // namespace kirivane
