#pragma once

#include <rtmidi/RtMidi.h>

#include <QSocketNotifier>
#include <QTimer>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/midi/jack_port_list.h"
#include "platform/midi/midi_in_queue.h"
#include "player/midi/midi_in.h"

namespace kirivane {

// The MIDI input ports of the machine through RtMidi: the ALSA sequencer's readable ports
// first, then JACK's MIDI outputs, named as RtMidi names them ("Midi Through:Midi Through
// Port-0 14:0", "src:out"). Without an ALSA sequencer (no /dev/snd/seq) JACK's ports are still
// listed; the program's own ports never are.
//
// RtMidi delivers messages on its own thread (ALSA's input thread, JACK's process thread). They
// are pushed into a lock-free queue and an eventfd is written; a socket notifier on the thread
// that made this object (the UI thread) then tells the listener, which drains the queue there.
// While a port is open the port list is looked at every `watch_interval_ms`, and at once after
// an RtMidi error or when the JACK server goes away; a port that has gone is closed and
// reported once.
class RtMidiInput : public MidiIn {
 public:
  explicit RtMidiInput(std::string client_name = "Kirivane", int watch_interval_ms = 1000);
  ~RtMidiInput() override;
  RtMidiInput(const RtMidiInput&) = delete;
  RtMidiInput& operator=(const RtMidiInput&) = delete;

  std::vector<std::string> PortNames() override;
  bool Open(const std::string& port, std::string* error) override;
  void Close() override;
  std::string OpenPort() const override { return open_name_; }
  void SetListener(MidiInListener* listener) override { listener_ = listener; }
  MidiInBatch Drain() override;

  // Why an API offers no ports (for example "ALSA: cannot open the sequencer"); may be empty.
  const std::string& Notes() const { return notes_; }

 private:
  struct Port {
    RtMidi::Api api;
    std::string name;
  };
  static void OnMessage(double seconds, std::vector<unsigned char>* bytes, void* self);
  static void OnError(RtMidiError::Type type, const std::string& text, void* self);
  std::unique_ptr<RtMidiIn> Connect(RtMidi::Api api, const char* label);
  std::vector<Port> ListPorts();
  void AddPorts(RtMidiIn* api, std::vector<Port>& ports);
  bool OpenReader(const Port& port, std::string* error);
  void Wake();
  void OnWake();
  void WatchPort();
  void DiscardPending();

  std::string client_name_;
  std::unique_ptr<RtMidiIn> alsa_lister_;  // lists ALSA ports; never opens one
  bool alsa_tried_ = false;
  std::unique_ptr<JackPortList> jack_ports_;
  std::unique_ptr<RtMidiIn> reader_;  // the open port
  std::string open_name_;
  MidiInQueue queue_;
  int wake_fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  QTimer watch_;
  std::thread::id owner_;  // the UI thread
  std::atomic<bool> error_seen_{false};
  std::string last_error_;  // last RtMidi error raised on the UI thread
  MidiInListener* listener_ = nullptr;
  std::string notes_;
};

}  // namespace kirivane
