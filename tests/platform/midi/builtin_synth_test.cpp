// The built-in synthesizer rendered offline: real FluidSynth, real SoundFont, no audio device.
#include "platform/midi/builtin_synth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/midi/offline_synth_out.h"
#include "player/midi/midi_mode.h"
#include "player/midi/sysex_messages.h"
#include "player/performance/offline_render.h"

namespace kirivane {
namespace {

constexpr int kRate = 44100;

std::uint32_t Pack(int status, int data1, int data2) {
  return static_cast<std::uint32_t>(status | (data1 << 8) | (data2 << 16));
}

// Left channel of `frames` rendered frames.
std::vector<double> RenderLeft(BuiltinSynth& synth, int frames) {
  std::vector<std::int16_t> buffer(static_cast<std::size_t>(frames) * 2);
  synth.Render(frames, buffer.data());
  std::vector<double> left(static_cast<std::size_t>(frames));
  for (int i = 0; i < frames; ++i) left[static_cast<std::size_t>(i)] = buffer[2 * i];
  return left;
}

int Peak(const std::vector<double>& samples) {
  double peak = 0;
  for (double s : samples) peak = std::max(peak, std::abs(s));
  return static_cast<int>(peak);
}

// Fundamental frequency by autocorrelation: the strongest lag between 1/1000 s and 1/150 s,
// refined by a parabola through its neighbours.
double PitchHz(const std::vector<double>& samples) {
  const int min_lag = kRate / 1000;
  const int max_lag = kRate / 150;
  const int n = static_cast<int>(samples.size()) - max_lag - 1;
  std::vector<double> r(static_cast<std::size_t>(max_lag + 2), 0.0);
  for (int lag = min_lag - 1; lag <= max_lag + 1; ++lag) {
    double sum = 0;
    for (int i = 0; i < n; ++i) sum += samples[i] * samples[i + lag];
    r[static_cast<std::size_t>(lag)] = sum;
  }
  int best = min_lag;
  for (int lag = min_lag; lag <= max_lag; ++lag) {
    if (r[lag] > r[best]) best = lag;
  }
  const double a = r[best - 1], b = r[best], c = r[best + 1];
  const double shift = 0.5 * (a - c) / (a - 2 * b + c);
  return kRate / (best + shift);
}

class BuiltinSynthTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    synth = BuiltinSynth::Create(kDefaultSoundFont, kRate, &error);
    ASSERT_NE(synth, nullptr) << error;
  }

  // Pitch of note A4 on a flute, 0.2 s after its start.
  double PitchOfA() {
    synth->SendShort(Pack(0xC0, 73, 0));
    synth->SendShort(Pack(0x90, 69, 100));
    RenderLeft(*synth, kRate / 5);
    const double pitch = PitchHz(RenderLeft(*synth, kRate / 4));
    synth->SendShort(Pack(0x80, 69, 64));
    RenderLeft(*synth, kRate * 2);
    return pitch;
  }

  std::unique_ptr<BuiltinSynth> synth;
};

TEST_F(BuiltinSynthTest, NoteOnSoundsAndSilenceReturnsAfterNoteOff) {
  EXPECT_LT(Peak(RenderLeft(*synth, kRate / 10)), 4);  // dither at most
  synth->SendShort(Pack(0x90, 60, 121));
  EXPECT_GT(Peak(RenderLeft(*synth, kRate / 2)), 1000);
  synth->SendShort(Pack(0x80, 60, 64));
  RenderLeft(*synth, kRate * 3);
  EXPECT_LT(Peak(RenderLeft(*synth, kRate / 10)), 30);
}

TEST_F(BuiltinSynthTest, ResetReleasesNotesHeldByTheDamper) {
  synth->SendShort(Pack(0xC0, 19, 0));  // an organ sounds as long as it is held
  synth->SendShort(Pack(0xB0, 64, 127));
  synth->SendShort(Pack(0x90, 64, 121));
  synth->SendShort(Pack(0x80, 64, 64));
  RenderLeft(*synth, kRate);
  EXPECT_GT(Peak(RenderLeft(*synth, kRate / 10)), 100);  // still held
  synth->Reset();
  RenderLeft(*synth, kRate * 3);
  EXPECT_LT(Peak(RenderLeft(*synth, kRate / 10)), 30);
}

TEST_F(BuiltinSynthTest, GsScaleTuningRaisesAAndResetsClearIt) {
  const double plain = PitchOfA();
  EXPECT_NEAR(plain, 440.0, 15.0);

  synth->SendLong(ScaleTuningMessage("0 0 0 0 0 0 0 0 0 50 0 0"));
  EXPECT_EQ(synth->ScaleTuning(0)[9], 50);
  const double tuned = PitchOfA();
  // +50 cents is a ratio of 1.0293.
  EXPECT_NEAR(tuned / plain, std::pow(2.0, 50.0 / 1200.0), 0.006) << plain << " " << tuned;

  synth->SendLong(GsResetMessage());
  EXPECT_EQ(synth->ScaleTuning(0)[9], 0);
  EXPECT_NEAR(PitchOfA() / plain, 1.0, 0.004);

  synth->SendLong(ScaleTuningMessage("0 0 0 0 0 0 0 0 0 -40 0 0"));
  EXPECT_LT(PitchOfA() / plain, 0.985);
  synth->SendLong(XgResetMessage());
  EXPECT_NEAR(PitchOfA() / plain, 1.0, 0.004);
  synth->SendLong(ScaleTuningMessage("0 0 0 0 0 0 0 0 0 30 0 0"));
  synth->SendLong(GmResetMessage());
  EXPECT_NEAR(PitchOfA() / plain, 1.0, 0.004);
}

TEST_F(BuiltinSynthTest, DamagedTuningIsIgnored) {
  auto message = ScaleTuningMessage("0 0 0 0 0 0 0 0 0 50 0 0");
  message[20] ^= 0x01;  // wrong checksum
  synth->SendLong(message);
  EXPECT_EQ(synth->ScaleTuning(0)[9], 0);
  synth->SendLong({0xF0, 0x41});  // no end byte: not a message
}

TEST(OfflineSynthOut, MidiModePlaysIntoTheRenderer) {
  std::string error;
  auto synth = BuiltinSynth::Create(kDefaultSoundFont, kRate, &error);
  ASSERT_NE(synth, nullptr) << error;
  OfflineSynthOut out(std::move(synth));
  PlayerState state;
  MidiMode midi(state, out);
  midi.PlayRecordedNote(60, 108);
  std::vector<std::int16_t> frames(kRate / 5 * 2);
  out.Render(kRate / 5, frames.data());
  int peak = 0;
  for (auto sample : frames) peak = std::max(peak, std::abs(static_cast<int>(sample)));
  EXPECT_GT(peak, 300);  // silence is dither at most
}

// The render shared out between synthesizers on several threads sounds like one synthesizer
// playing everything: chords held by the damper, notes across the parts, reverb and chorus.
TEST(OfflineRender, SynthesizersSharingTheNotesSoundLikeOne) {
  PlayerState state;
  state.performance.ClockTime = 1;
  state.events.Recreate(2 + 6 * 8);
  std::size_t i = 0;
  state.events.Set(i++, 0, 0, kEventDamperDown, 0);
  for (int chord = 0; chord < 8; ++chord) {
    for (int k = 0; k < 3; ++k) state.events.Set(i++, k == 0 ? 150 : 0, 48 + chord + 4 * k, 1, 100);
    for (int k = 0; k < 3; ++k) state.events.Set(i++, k == 0 ? 120 : 0, 48 + chord + 4 * k, 0, 0);
  }
  state.events.Set(i++, 200, 60, kEventEndMark, 0);
  state.events.EventCount = static_cast<std::int32_t>(i);
  std::int64_t end_ms = 0;
  const auto messages = PerformanceMessages(state, 0, &end_ms);
  ASSERT_EQ(end_ms, 8 * 270);  // a recording: its end mark is not waited for
  const std::int64_t frames = (end_ms + 500) * kRate / 1000;

  const auto render = [&](int parts) {
    std::vector<std::unique_ptr<OfflineSynthOut>> synths;
    std::vector<RenderingMidiOut*> outs;
    for (int p = 0; p < parts; ++p) {
      std::string error;
      auto synth = BuiltinSynth::Create(kDefaultSoundFont, kRate, &error);
      EXPECT_NE(synth, nullptr) << error;
      synths.push_back(std::make_unique<OfflineSynthOut>(std::move(synth)));
      outs.push_back(synths.back().get());
    }
    std::vector<std::int16_t> sound;
    RenderParts(messages, outs, frames, kRate, [&](const std::int16_t* data, std::size_t count) {
      sound.insert(sound.end(), data, data + count * 2);
    });
    return sound;
  };
  const auto one = render(1);
  const auto three = render(3);
  ASSERT_EQ(one.size(), static_cast<std::size_t>(frames) * 2);
  ASSERT_EQ(three.size(), one.size());
  int peak = 0;
  int difference = 0;
  for (std::size_t k = 0; k < one.size(); ++k) {
    peak = std::max(peak, std::abs(int{one[k]}));
    difference = std::max(difference, std::abs(one[k] - three[k]));
  }
  EXPECT_GT(peak, 500);      // silence would be dither at most
  EXPECT_LE(difference, 2);  // rounding of the sum, nothing audible
}

TEST(BuiltinSynthCreate, MissingSoundFontIsAnError) {
  std::string error;
  EXPECT_EQ(BuiltinSynth::Create("/nonexistent/none.sf2", kRate, &error), nullptr);
  EXPECT_NE(error.find("/nonexistent/none.sf2"), std::string::npos);
}

}  // namespace
}  // namespace kirivane
