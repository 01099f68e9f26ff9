// Bytes sent through the MIDI device layer reach a real JACK client: a private jackd with the
// dummy driver, a MIDI receiver opened with libjack, and the RtMidi JACK port of the device list.
#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "jack_server.h"
#include "platform/midi/system_midi_out.h"
#include "player/midi/midi_mode.h"
#include "player/midi/sysex_messages.h"

namespace kirivane {
namespace {

using Message = std::vector<std::uint8_t>;

// A JACK client with one MIDI input port; its process callback hands every event to the test
// thread through a lock-free ring buffer (size, then bytes).
class JackReceiver {
 public:
  bool Open(std::string* error) {
    jack_status_t status;
    client_ = jack_client_open("kirivane-receiver", JackNoStartServer, &status);
    if (client_ == nullptr) {
      *error = "receiver cannot connect, status " + std::to_string(status);
      return false;
    }
    port_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    ring_ = jack_ringbuffer_create(1 << 16);
    jack_set_process_callback(client_, &JackReceiver::Process, this);
    if (port_ == nullptr || jack_activate(client_) != 0) {
      *error = "receiver port cannot be activated";
      return false;
    }
    return true;
  }

  ~JackReceiver() {
    if (client_ != nullptr) {
      jack_deactivate(client_);
      jack_client_close(client_);
    }
    if (ring_ != nullptr) jack_ringbuffer_free(ring_);
  }

  // Messages received so far, waiting at most timeout_ms for `count` of them.
  std::vector<Message> Wait(std::size_t count, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (received_.size() < count && std::chrono::steady_clock::now() < deadline) {
      Drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    Drain();
    return received_;
  }

 private:
  static int Process(jack_nframes_t frames, void* self_pointer) {
    auto* self = static_cast<JackReceiver*>(self_pointer);
    void* buffer = jack_port_get_buffer(self->port_, frames);
    const std::uint32_t count = jack_midi_get_event_count(buffer);
    for (std::uint32_t i = 0; i < count; ++i) {
      jack_midi_event_t event;
      if (jack_midi_event_get(&event, buffer, i) != 0) continue;
      const auto size = static_cast<std::uint32_t>(event.size);
      if (jack_ringbuffer_write_space(self->ring_) < sizeof size + size) continue;
      jack_ringbuffer_write(self->ring_, reinterpret_cast<const char*>(&size), sizeof size);
      jack_ringbuffer_write(self->ring_, reinterpret_cast<const char*>(event.buffer), size);
    }
    return 0;
  }

  void Drain() {
    std::uint32_t size = 0;
    while (jack_ringbuffer_read_space(ring_) >= sizeof size) {
      jack_ringbuffer_read(ring_, reinterpret_cast<char*>(&size), sizeof size);
      Message message(size);
      jack_ringbuffer_read(ring_, reinterpret_cast<char*>(message.data()), size);
      received_.push_back(std::move(message));
    }
  }

  jack_client_t* client_ = nullptr;
  jack_port_t* port_ = nullptr;
  jack_ringbuffer_t* ring_ = nullptr;
  std::vector<Message> received_;
};

class JackMidiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server.Start(10000, &error)) << error;
    ASSERT_TRUE(receiver.Open(&error)) << error;
  }

  testing::JackServer server;
  JackReceiver receiver;
};

TEST_F(JackMidiTest, BytesThroughTheDeviceLayerArriveUnchanged) {
  SystemMidiOut out({kDefaultSoundFont, "", 44100});
  const auto names = out.DeviceNames();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names[0], kBuiltinSynthName);
  const auto port = std::find(names.begin(), names.end(), "kirivane-receiver:in");
  ASSERT_NE(port, names.end()) << "the JACK port is listed even without an ALSA sequencer";

  PlayerState state;
  MidiMode midi(state, out);
  ASSERT_EQ(midi.OpenMidiOut(static_cast<int>(port - names.begin())), 0);
  midi.KeyNoteOn(7 + 12);
  midi.SendLong(GsResetMessage());
  midi.SendLong(ScaleTuningMessage(kTuningPresets[1]));
  midi.SendBankProgram(8, 5, 2);
  midi.KeyNoteOff(7 + 12);

  std::vector<Message> expected{{0xB0, 7, 64},    {0xB0, 7, 64},
                                {0xB9, 7, 64},    {0x90, 55, 121},
                                GsResetMessage(), ScaleTuningMessage(kTuningPresets[1]),
                                {0xB1, 0, 8},     {0xB1, 32, 0},
                                {0xC1, 5},        {0x80, 55, 64}};
  EXPECT_EQ(receiver.Wait(expected.size(), 5000), expected);
  midi.CloseMidiOut();
}

TEST_F(JackMidiTest, BuiltInSynthesizerPlaysThroughTheJackServer) {
  // Without a sound card PulseAudio and ALSA fail; the JACK server here takes the sound.
  SystemMidiOut out({kDefaultSoundFont, "", 48000});
  ASSERT_EQ(out.Open(kMidiMapper), 0) << out.ErrorText(1);
  EXPECT_TRUE(out.IsOpen());
  out.SendShort(0x00793C90);
  out.Close();
  EXPECT_FALSE(out.IsOpen());
}

TEST(BuiltInSynthesizerAudio, NoAudioOutputGivesEveryDriversError) {
  setenv("JACK_DEFAULT_SERVER", "kirivane-no-such-server", 1);
  setenv("JACK_NO_START_SERVER", "1", 1);
  SystemMidiOut out({kDefaultSoundFont, "", 44100});
  const int code = out.Open(0);
  if (code == 0) GTEST_SKIP() << "this machine has an audio output";
  const std::string text = out.ErrorText(code);
  EXPECT_THAT(text, ::testing::HasSubstr("pulseaudio: "));
  EXPECT_THAT(text, ::testing::HasSubstr("alsa: "));
  EXPECT_THAT(text, ::testing::HasSubstr("jack: "));
  RecordProperty("error_text", text);
  EXPECT_FALSE(out.IsOpen());
}

}  // namespace
}  // namespace kirivane
