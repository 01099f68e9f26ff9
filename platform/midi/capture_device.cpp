#include "platform/midi/capture_device.h"

#include <cerrno>
#include <cstring>

namespace kirivane {

CaptureDevice::~CaptureDevice() {
  Close();
}

bool CaptureDevice::Open(const std::string& path, std::string* error) {
  Close();
  file_ = std::fopen(path.c_str(), "ab");
  if (file_ == nullptr) {
    if (error) *error = "Cannot open the MIDI capture file " + path + ": " + std::strerror(errno);
    return false;
  }
  opened_at_ = std::chrono::steady_clock::now();
  return true;
}

std::string CaptureDevice::FormatLine(std::int64_t milliseconds, const std::uint8_t* bytes,
                                      std::size_t length) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string line = std::to_string(milliseconds);
  for (std::size_t i = 0; i < length; ++i) {
    line += ' ';
    line += kDigits[bytes[i] >> 4];
    line += kDigits[bytes[i] & 0x0F];
  }
  return line;
}

void CaptureDevice::Write(const std::uint8_t* bytes, std::size_t length) {
  if (file_ == nullptr) return;
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - opened_at_);
  const std::string line = FormatLine(elapsed.count(), bytes, length) + "\r\n";
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}

void CaptureDevice::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace kirivane
