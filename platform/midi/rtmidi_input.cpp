#include "platform/midi/rtmidi_input.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/midi/quiet_libraries.h"
#include "player/midi/midi_port_names.h"

namespace kirivane {

RtMidiInput::RtMidiInput(std::string client_name, int watch_interval_ms)
    : client_name_(std::move(client_name)), owner_(std::this_thread::get_id()) {
  wake_fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wake_fd_ >= 0) {
    notifier_ = std::make_unique<QSocketNotifier>(wake_fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { OnWake(); });
  }
  watch_.setInterval(watch_interval_ms);
  QObject::connect(&watch_, &QTimer::timeout, [this] { WatchPort(); });
}

RtMidiInput::~RtMidiInput() {
  Close();
  jack_ports_.reset();  // no shutdown call comes after this
  notifier_.reset();
  if (wake_fd_ >= 0) ::close(wake_fd_);
}

// --- listing -------------------------------------------------------------------------------

void RtMidiInput::OnError(RtMidiError::Type, const std::string& text, void* self_pointer) {
  auto* self = static_cast<RtMidiInput*>(self_pointer);
  if (std::this_thread::get_id() == self->owner_) self->last_error_ = text;
  self->error_seen_.store(true);
  self->Wake();  // the UI thread looks whether the port is still there
}

std::unique_ptr<RtMidiIn> RtMidiInput::Connect(RtMidi::Api api, const char* label) {
  try {
    const QuietCerr quiet;
    auto in = std::make_unique<RtMidiIn>(api, client_name_);
    in->setErrorCallback(&RtMidiInput::OnError, this);
    return in;
  } catch (const RtMidiError& error) {
    // The ALSA API throws here when there is no sequencer device.
    if (!notes_.empty()) notes_ += "\n";
    notes_ += std::string(label) + ": " + error.getMessage();
  }
  return nullptr;
}

void RtMidiInput::AddPorts(RtMidiIn* api, std::vector<Port>& ports) {
  if (api == nullptr) return;
  const unsigned count = api->getPortCount();
  for (unsigned number = 0; number < count; ++number) {
    std::string name = api->getPortName(number);
    if (name.empty() || IsOwnPort(name, client_name_)) continue;
    ports.push_back({api->getCurrentApi(), std::move(name)});
  }
}

std::vector<RtMidiInput::Port> RtMidiInput::ListPorts() {
  if (!alsa_tried_) {
    alsa_lister_ = Connect(RtMidi::LINUX_ALSA, "ALSA");
    alsa_tried_ = true;
  }
  if (jack_ports_ == nullptr) {
    // Called on a JACK thread: the UI thread looks at the open port at once.
    jack_ports_ = std::make_unique<JackPortList>(client_name_, [this] {
      error_seen_.store(true);
      Wake();
    });
  }
  std::vector<Port> ports;
  AddPorts(alsa_lister_.get(), ports);
  std::string jack_note;
  for (std::string& name : jack_ports_->MidiOutputs(&jack_note)) {
    if (!IsOwnPort(name, client_name_)) ports.push_back({RtMidi::UNIX_JACK, std::move(name)});
  }
  if (!jack_note.empty() && notes_.find(jack_note) == std::string::npos) {
    notes_ += (notes_.empty() ? "" : "\n") + jack_note;
  }
  return ports;
}

std::vector<std::string> RtMidiInput::PortNames() {
  std::vector<std::string> names;
  for (Port& port : ListPorts()) names.push_back(std::move(port.name));
  return names;
}

// --- opening -------------------------------------------------------------------------------

bool RtMidiInput::Open(const std::string& port, std::string* error) {
  Close();
  if (wake_fd_ < 0) {
    if (error != nullptr) *error = "MIDI input cannot wake the window (no eventfd)";
    return false;
  }
  const std::vector<Port> ports = ListPorts();
  std::vector<std::string> names;
  for (const Port& listed : ports) names.push_back(listed.name);
  const auto found = FindPort(names, port);
  if (!found) {
    if (error != nullptr) *error = "There is no MIDI input port " + port;
    return false;
  }
  if (!OpenReader(ports[*found], error)) return false;
  open_name_ = ports[*found].name;
  watch_.start();
  return true;
}

bool RtMidiInput::OpenReader(const Port& port, std::string* error) {
  last_error_.clear();
  try {
    const QuietCerr quiet;
    reader_ = std::make_unique<RtMidiIn>(port.api, client_name_);
    reader_->setErrorCallback(&RtMidiInput::OnError, this);
    reader_->ignoreTypes(true, true, true);  // system exclusive, clock, active sensing
    reader_->setCallback(&RtMidiInput::OnMessage, this);
    // The reader numbers the ports itself; find the port among them by its name.
    const unsigned count = reader_->getPortCount();
    for (unsigned number = 0; number < count; ++number) {
      if (reader_->getPortName(number) != port.name) continue;
      reader_->openPort(number, client_name_ + " input");
      break;
    }
  } catch (const RtMidiError& thrown) {
    last_error_ = thrown.getMessage();
  }
  error_seen_.store(false);
  if (reader_ != nullptr && reader_->isPortOpen()) return true;
  reader_.reset();
  if (error != nullptr) {
    *error = last_error_.empty() ? "The MIDI input port " + port.name + " cannot be opened"
                                 : last_error_;
  }
  return false;
}

void RtMidiInput::Close() {
  watch_.stop();
  reader_.reset();  // no message arrives after this: RtMidi's thread or JACK client is gone
  open_name_.clear();
  DiscardPending();
}

void RtMidiInput::DiscardPending() {
  MidiInMessage message;
  while (queue_.Pop(message)) {
  }
  queue_.TakeOverflow();
}

// --- messages ------------------------------------------------------------------------------

// RtMidi's thread: queue the message and wake the UI thread. Nothing else is touched here.
void RtMidiInput::OnMessage(double, std::vector<unsigned char>* bytes, void* self_pointer) {
  auto* self = static_cast<RtMidiInput*>(self_pointer);
  if (bytes == nullptr || bytes->empty() || bytes->size() > 3) return;
  MidiInMessage message;
  std::copy(bytes->begin(), bytes->end(), message.bytes.begin());
  message.size = static_cast<std::uint8_t>(bytes->size());
  self->queue_.Push(message);
  self->Wake();
}

void RtMidiInput::Wake() {
  if (wake_fd_ < 0) return;
  const std::uint64_t one = 1;
  // A full counter (never reached) or an interrupted write still leaves the fd readable.
  [[maybe_unused]] const ssize_t written = ::write(wake_fd_, &one, sizeof one);
}

void RtMidiInput::OnWake() {
  std::uint64_t count = 0;
  [[maybe_unused]] const auto read = ::read(wake_fd_, &count, sizeof count);
  if (error_seen_.exchange(false)) WatchPort();
  if (listener_ != nullptr) listener_->MidiInReady();
}

MidiInBatch RtMidiInput::Drain() {
  MidiInBatch batch;
  MidiInMessage message;
  while (queue_.Pop(message)) batch.messages.push_back(message);
  batch.lost = queue_.TakeOverflow();
  return batch;
}

// The open port is still offered? If not, stop listening to it and say so once. What it sent
// before stays in the queue for the listener to drain.
void RtMidiInput::WatchPort() {
  if (open_name_.empty()) return;
  const std::vector<Port> ports = ListPorts();
  const bool there = std::any_of(ports.begin(), ports.end(),
                                 [this](const Port& port) { return port.name == open_name_; });
  if (there) return;
  const std::string lost = open_name_;
  watch_.stop();
  reader_.reset();
  open_name_.clear();
  if (listener_ != nullptr) listener_->MidiInPortLost(lost);
}

}  // namespace kirivane
