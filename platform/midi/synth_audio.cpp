#include "platform/midi/synth_audio.h"

#include <cstdlib>

namespace kirivane {

namespace {

constexpr const char* kDrivers[] = {"pulseaudio", "alsa", "jack"};

// Collects FluidSynth's error messages while one driver is tried, instead of printing them.
class ErrorCollector {
 public:
  ErrorCollector() { fluid_set_log_function(FLUID_ERR, &ErrorCollector::Collect, this); }
  ~ErrorCollector() { fluid_set_log_function(FLUID_ERR, fluid_default_log_function, nullptr); }
  ErrorCollector(const ErrorCollector&) = delete;
  ErrorCollector& operator=(const ErrorCollector&) = delete;
  const std::string& Text() const { return text_; }

 private:
  static void Collect(int, const char* message, void* data) {
    auto* self = static_cast<ErrorCollector*>(data);
    if (!self->text_.empty()) self->text_ += " ";
    self->text_ += message;
  }
  std::string text_;
};

}  // namespace

SynthAudio::~SynthAudio() {
  Stop();
}

bool SynthAudio::Start(BuiltinSynth& synth, bool jack_running, std::string* error) {
  Stop();
  std::string failures;
  for (const char* driver : kDrivers) {
    if (std::string(driver) == "jack") {
      if (!jack_running) {
        failures += std::string(failures.empty() ? "" : "\n") + "jack: no server is running";
        continue;
      }
      // Without this the JACK client library tries to start a server and hangs for seconds.
      setenv("JACK_NO_START_SERVER", "1", 0);
    }
    fluid_settings_setstr(synth.Settings(), "audio.driver", driver);
    std::string text;
    {
      ErrorCollector collector;
      driver_ = new_fluid_audio_driver(synth.Settings(), synth.Synth());
      text = collector.Text();
    }
    if (driver_ != nullptr) return true;
    if (!failures.empty()) failures += "\n";
    failures += std::string(driver) + ": " + (text.empty() ? "cannot be opened" : text);
  }
  if (error) *error = failures;
  return false;
}

void SynthAudio::Stop() {
  if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
  driver_ = nullptr;
}

}  // namespace kirivane
