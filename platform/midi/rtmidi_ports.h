#pragma once

#include <rtmidi/RtMidi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kirivane {

// The MIDI output ports of external synthesizers, through RtMidi: the ALSA sequencer's ports
// first, then JACK's. A machine without an ALSA sequencer (no /dev/snd/seq) still lists JACK
// ports; one without a JACK server lists none of them. Bytes only: no musical knowledge here.
class RtMidiPorts {
 public:
  explicit RtMidiPorts(std::string client_name = "Kirivane");
  ~RtMidiPorts();
  RtMidiPorts(const RtMidiPorts&) = delete;
  RtMidiPorts& operator=(const RtMidiPorts&) = delete;

  // Looks for ports again and returns their names, ALSA ones first. JACK is asked only when
  // its server runs (JackServerRunning), so that a machine without one is not asked twice.
  std::vector<std::string> Refresh(bool jack_running);
  const std::vector<std::string>& Names() const { return names_; }

  // Opens port `index` of the last Refresh, closing any open one first.
  bool Open(std::size_t index, std::string* error);
  bool IsOpen() const { return open_ != nullptr; }
  // Sends one complete message (a short message or a whole system-exclusive one).
  void Send(const std::uint8_t* bytes, std::size_t length);
  void Close();

  // Why an API offers no ports (for example "ALSA: cannot open the sequencer"); may be empty.
  const std::string& Notes() const { return notes_; }

 private:
  struct Port {
    RtMidiOut* api = nullptr;
    unsigned number = 0;
  };
  static void OnError(RtMidiError::Type type, const std::string& text, void* self);
  std::unique_ptr<RtMidiOut> Connect(RtMidi::Api api, const char* label);
  void AddPorts(RtMidiOut* api);

  std::string client_name_;
  std::unique_ptr<RtMidiOut> alsa_;
  std::unique_ptr<RtMidiOut> jack_;
  std::vector<Port> ports_;
  std::vector<std::string> names_;
  RtMidiOut* open_ = nullptr;
  std::string last_error_;
  std::string notes_;
};

}  // namespace kirivane
