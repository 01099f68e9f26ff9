#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace kirivane {

// A MIDI device that writes every message to a log file instead of sounding it: one line per
// message, the milliseconds since the device was opened, then the bytes in upper-case hex
// separated by single spaces ("1520 90 3C 79"), lines ended by CR LF. Each line reaches the
// file at once, so another process can read it while the program runs. Opening appends.
class CaptureDevice {
 public:
  CaptureDevice() = default;
  ~CaptureDevice();
  CaptureDevice(const CaptureDevice&) = delete;
  CaptureDevice& operator=(const CaptureDevice&) = delete;

  // Returns false and sets *error when the file cannot be opened for writing.
  bool Open(const std::string& path, std::string* error);
  bool IsOpen() const { return file_ != nullptr; }
  void Write(const std::uint8_t* bytes, std::size_t length);
  void Close();

  // One log line without its line end.
  static std::string FormatLine(std::int64_t milliseconds, const std::uint8_t* bytes,
                                std::size_t length);

 private:
  std::FILE* file_ = nullptr;
  std::chrono::steady_clock::time_point opened_at_;
};

}  // namespace kirivane
