#include "common/basic/text_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace kirivane {

std::vector<std::string> SplitLines(std::string_view contents) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < contents.size()) {
    std::size_t end = contents.find('\n', start);
    if (end == std::string_view::npos) {
      lines.emplace_back(contents.substr(start));
      break;
    }
    std::size_t line_end = end;
    if (line_end > start && contents[line_end - 1] == '\r') --line_end;
    lines.emplace_back(contents.substr(start, line_end - start));
    start = end + 1;
  }
  return lines;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // Read in place: the size the file has now, then whatever it grew by meanwhile (or all of
  // it when it has no size, like a pipe).
  std::error_code no_size;
  std::size_t done = 0;
  const auto size = std::filesystem::file_size(path, no_size);
  // One byte more than the size, so that the end of the file is seen without growing.
  std::string bytes(no_size ? 0 : static_cast<std::size_t>(size) + 1, '\0');
  for (;;) {
    if (done == bytes.size()) bytes.resize(done + (1 << 16));
    in.read(bytes.data() + done, static_cast<std::streamsize>(bytes.size() - done));
    done += static_cast<std::size_t>(in.gcount());
    if (!in) break;
  }
  if (in.bad()) return std::nullopt;
  bytes.resize(done);
  return bytes;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFileWriter file(path);
  file.Write(bytes.data(), bytes.size());
  return file.Commit();
}

AtomicFileWriter::AtomicFileWriter(const std::string& path) : target_(path) {
  const std::filesystem::path target(path);
  std::random_device random;
  temporary_ = (target.parent_path() /
                ("." + target.filename().string() + ".tmp" + std::to_string(random() % 1000000)))
                   .string();
  out_.open(temporary_, std::ios::binary | std::ios::trunc);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (committed_) return;
  out_.close();
  std::error_code ignored;
  std::filesystem::remove(temporary_, ignored);
}

void AtomicFileWriter::Write(const void* data, std::size_t size) {
  out_.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

bool AtomicFileWriter::Commit() {
  if (committed_ || !out_.is_open()) return false;
  out_.flush();
  out_.close();
  if (out_.fail()) return false;
  std::error_code error;
  std::filesystem::rename(temporary_, target_, error);
  committed_ = !error;
  return committed_;
}

}  // namespace kirivane
