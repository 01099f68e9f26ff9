// Bytes sent through the MIDI device layer reach a real JACK client: a private jackd with the
// dummy driver, a MIDI receiver opened with libjack, and the RtMidi JACK port of the device list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "jack_clients.h"
#include "jack_server.h"
#include "platform/midi/system_midi_out.h"
#include "player/midi/midi_mode.h"
#include "player/midi/sysex_messages.h"

namespace kirivane {
namespace {

using testing::JackReceiver;
using Message = testing::MidiBytes;

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
