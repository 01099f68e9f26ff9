#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kirivane {

// Id of the MIDI mapper: the default device, which plays through the built-in synthesizer.
inline constexpr int kMidiMapper = -1;

// A MIDI output device in the shape of the classic short/long message API. It moves packed
// bytes only and knows nothing of notes or channels.
class MidiOut {
 public:
  virtual ~MidiOut() = default;

  // Names of the devices 0..n-1 (the mapper is not in this list).
  virtual std::vector<std::string> DeviceNames() = 0;
  // Opens a device id (kMidiMapper or 0..n-1), closing any open one first.
  // Returns 0 on success, else an error code for ErrorText.
  virtual int Open(int device_id) = 0;
  virtual bool IsOpen() const = 0;
  // Status in bits 0..7, first data byte in bits 8..15, second in bits 16..23.
  virtual void SendShort(std::uint32_t packed) = 0;
  // A whole system-exclusive message, F0 .. F7.
  virtual void SendLong(const std::vector<std::uint8_t>& bytes) = 0;
  // Turns off every sounding note on every channel.
  virtual void Reset() = 0;
  virtual void Close() = 0;
  virtual std::string ErrorText(int error_code) = 0;
};

// A MIDI output that makes sound on demand instead of in real time: the caller pulls the sound
// of what was sent with Render (an offline renderer writing a WAVE file).
class RenderingMidiOut : public MidiOut {
 public:
  // Renders frames of stereo 16-bit samples, left and right interleaved.
  virtual void Render(int frames, std::int16_t* interleaved) = 0;
  // The same as floating-point samples in -1..1 (before any rounding to 16 bits).
  virtual void RenderFloat(int frames, float* interleaved) = 0;
};

}  // namespace kirivane
