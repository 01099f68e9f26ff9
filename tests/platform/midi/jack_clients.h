#pragma once

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace kirivane::testing {

using MidiBytes = std::vector<std::uint8_t>;

// A JACK client with one MIDI input port; its process callback hands every event to the test
// thread through a lock-free ring buffer (size, then bytes).
class JackReceiver {
 public:
  bool Open(std::string* error, const char* name = "kirivane-receiver") {
    jack_status_t status;
    client_ = jack_client_open(name, JackNoStartServer, &status);
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

  // Messages received so far, waiting at most timeout_ms for `count` of them. `pump` runs
  // between looks (the caller's event loop); without it the test thread sleeps.
  std::vector<MidiBytes> Wait(std::size_t count, int timeout_ms,
                              const std::function<void()>& pump = nullptr) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (received_.size() < count && std::chrono::steady_clock::now() < deadline) {
      Drain();
      if (pump) {
        pump();
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
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
      MidiBytes message(size);
      jack_ringbuffer_read(ring_, reinterpret_cast<char*>(message.data()), size);
      received_.push_back(std::move(message));
    }
  }

  jack_client_t* client_ = nullptr;
  jack_port_t* port_ = nullptr;
  jack_ringbuffer_t* ring_ = nullptr;
  std::vector<MidiBytes> received_;
};

// A JACK client with one MIDI output port, "<name>:out", standing for a MIDI keyboard: Send
// queues short messages that its process callback writes at the start of the next cycle. The
// moment of the last write is kept (steady clock, nanoseconds), so that a benchmark can time
// what follows from there.
class JackSender {
 public:
  bool Open(std::string* error, const char* name = "kirivane-sender") {
    jack_status_t status;
    client_ = jack_client_open(name, JackNoStartServer, &status);
    if (client_ == nullptr) {
      *error = "sender cannot connect, status " + std::to_string(status);
      return false;
    }
    port_ = jack_port_register(client_, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    ring_ = jack_ringbuffer_create(1 << 12);
    jack_set_process_callback(client_, &JackSender::Process, this);
    if (port_ == nullptr || jack_activate(client_) != 0) {
      *error = "sender port cannot be activated";
      return false;
    }
    port_name_ = jack_port_name(port_);
    return true;
  }

  ~JackSender() { Close(); }

  // The client goes away, as a MIDI keyboard does when unplugged.
  void Close() {
    if (client_ != nullptr) {
      jack_deactivate(client_);
      jack_client_close(client_);
      client_ = nullptr;
    }
    if (ring_ != nullptr) jack_ringbuffer_free(ring_);
    ring_ = nullptr;
  }

  void Send(const MidiBytes& bytes) {
    const auto size = static_cast<std::uint8_t>(bytes.size());
    jack_ringbuffer_write(ring_, reinterpret_cast<const char*>(&size), 1);
    jack_ringbuffer_write(ring_, reinterpret_cast<const char*>(bytes.data()), size);
  }

  const std::string& PortName() const { return port_name_; }
  std::int64_t LastWriteNs() const { return last_write_ns_.load(); }

 private:
  static int Process(jack_nframes_t frames, void* self_pointer) {
    auto* self = static_cast<JackSender*>(self_pointer);
    void* buffer = jack_port_get_buffer(self->port_, frames);
    jack_midi_clear_buffer(buffer);
    std::uint8_t size = 0;
    bool wrote = false;
    while (jack_ringbuffer_read_space(self->ring_) >= 1) {
      jack_ringbuffer_peek(self->ring_, reinterpret_cast<char*>(&size), 1);
      if (jack_ringbuffer_read_space(self->ring_) < 1u + size) break;
      jack_ringbuffer_read_advance(self->ring_, 1);
      jack_midi_data_t* event = jack_midi_event_reserve(buffer, 0, size);
      if (event != nullptr) {
        jack_ringbuffer_read(self->ring_, reinterpret_cast<char*>(event), size);
      } else {
        jack_ringbuffer_read_advance(self->ring_, size);
      }
      wrote = true;
    }
    if (wrote) {
      const auto now = std::chrono::steady_clock::now().time_since_epoch();
      self->last_write_ns_.store(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    }
    return 0;
  }

  jack_client_t* client_ = nullptr;
  jack_port_t* port_ = nullptr;
  jack_ringbuffer_t* ring_ = nullptr;
  std::string port_name_;
  std::atomic<std::int64_t> last_write_ns_{0};
};

}  // namespace kirivane::testing
