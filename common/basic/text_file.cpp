#include "common/basic/text_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <system_error>

namespace kirivane {

namespace {

namespace fs = std::filesystem;

// The file a path finally names: symbolic links are followed (a relative link from its own
// folder), so that a write replaces what the link points to and the link stays a link.
// Nothing for a chain of links too long to be real.
std::optional<fs::path> FollowLinks(fs::path path) {
  std::error_code error;
  for (int hops = 0; hops < 40; ++hops) {
    if (!fs::is_symlink(path, error)) return path;
    const fs::path next = fs::read_symlink(path, error);
    if (error) return std::nullopt;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return std::nullopt;
}

// An existing target must be a regular file the program may write: a read-only file is left
// as it is, although a rename over it would succeed. A file without any write permission
// counts as read-only even for a user (root) whom the system would let write it.
bool MayReplace(const fs::path& target) {
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  if (!fs::exists(status)) return true;
  if (!fs::is_regular_file(status)) return false;
  constexpr fs::perms kAnyWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & kAnyWrite) == fs::perms::none) return false;
  std::ofstream probe(target, std::ios::binary | std::ios::app);  // writes nothing
  return static_cast<bool>(probe);
}

constexpr std::string_view kTemporaryMark = ".kirivane-";
constexpr std::string_view kTemporaryEnd = ".tmp";

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// This process's id as /proc tells it; "0" without /proc.
std::string OwnProcessId() {
  std::error_code error;
  const std::string id = fs::read_symlink("/proc/self", error).filename().string();
  return !error && AllDigits(id) ? id : "0";
}

}  // namespace

std::string TemporaryFileName(std::string_view target_name, std::string_view process_id,
                              unsigned random_digits) {
  return "." + std::string(target_name) + std::string(kTemporaryMark) + std::string(process_id) +
         "-" + std::to_string(random_digits % 1000000) + std::string(kTemporaryEnd);
}

std::optional<std::string> TemporaryFileWriter(std::string_view name) {
  if (name.size() < 2 || name.front() != '.' || !name.ends_with(kTemporaryEnd)) return std::nullopt;
  name.remove_suffix(kTemporaryEnd.size());
  const std::size_t mark = name.rfind(kTemporaryMark);
  if (mark == std::string_view::npos || mark < 2) return std::nullopt;
  const std::string_view ids = name.substr(mark + kTemporaryMark.size());
  const std::size_t dash = ids.find('-');
  if (dash == std::string_view::npos || !AllDigits(ids.substr(0, dash)) ||
      !AllDigits(ids.substr(dash + 1))) {
    return std::nullopt;
  }
  return std::string(ids.substr(0, dash));
}

int RemoveStaleTemporaryFiles(const std::string& folder, std::string_view target_name) {
  const std::string prefix =
      target_name.empty() ? "." : "." + std::string(target_name) + std::string(kTemporaryMark);
  std::error_code error;
  if (!fs::exists("/proc/self", error)) return 0;
  const std::string own = OwnProcessId();
  int removed = 0;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const auto writer = TemporaryFileWriter(name);
    if (!writer || *writer == own || !name.starts_with(prefix)) continue;
    std::error_code ignored;
    if (fs::exists("/proc/" + *writer, ignored)) continue;  // still writing
    if (!fs::is_regular_file(it->symlink_status(ignored))) continue;
    if (fs::remove(it->path(), ignored)) ++removed;
  }
  return removed;
}

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

AtomicFileWriter::AtomicFileWriter(const std::string& path) {
  const std::optional<fs::path> target = FollowLinks(path);
  if (!target || !MayReplace(*target)) {
    out_.setstate(std::ios::failbit);
    return;
  }
  target_ = target->string();
  // What an earlier write of this file left when it was killed goes now.
  RemoveStaleTemporaryFiles(target->parent_path().string(), target->filename().string());
  std::random_device random;
  temporary_ = (target->parent_path() /
                TemporaryFileName(target->filename().string(), OwnProcessId(), random()))
                   .string();
  out_.open(temporary_, std::ios::binary | std::ios::trunc);
  // The new file keeps the old one's permissions (a private file stays private), set before
  // anything is written into it.
  std::error_code error;
  const fs::file_status old = fs::status(*target, error);
  if (out_.is_open() && fs::exists(old)) {
    fs::permissions(temporary_, old.permissions() & fs::perms::all, fs::perm_options::replace,
                    error);
  }
}

AtomicFileWriter::~AtomicFileWriter() {
  if (committed_ || temporary_.empty()) return;
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
