#include "platform/association/xdg_file_association.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "common/basic/text_file.h"

extern char** environ;

namespace kirivane {

namespace {

namespace fs = std::filesystem;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::optional<std::string> FindIn(const fs::path& folder, const std::string& id) {
  std::error_code error;
  if (fs::is_regular_file(folder / id, error)) return ReadFileBytes((folder / id).string());
  for (std::size_t dash = id.find('-'); dash != std::string::npos; dash = id.find('-', dash + 1)) {
    const fs::path sub = folder / id.substr(0, dash);
    if (!fs::is_directory(sub, error)) continue;
    if (auto entry = FindIn(sub, id.substr(dash + 1))) return entry;
  }
  return std::nullopt;
}

// Runs a program found on PATH with its output dropped and waits for it. False when it is not
// installed or fails.
bool RunQuietly(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) == -1) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A file that exists but cannot be read must not be replaced by a fresh one.
std::optional<std::string> ReadIfPresent(const std::string& path, bool& readable) {
  std::error_code error;
  readable = true;
  if (!fs::exists(path, error)) return std::nullopt;
  auto bytes = ReadFileBytes(path);
  readable = bytes.has_value();
  return bytes;
}

bool RemoveFile(const std::string& path) {
  std::error_code error;
  fs::remove(path, error);
  return !error;
}

}  // namespace

XdgDirs XdgFileAssociation::DirsFromEnvironment() {
  return XdgDirsOf(Environment("HOME"), Environment("XDG_DATA_HOME"),
                   Environment("XDG_CONFIG_HOME"), Environment("XDG_DATA_DIRS"),
                   Environment("XDG_CONFIG_DIRS"), Environment("XDG_CURRENT_DESKTOP"));
}

std::optional<std::string> XdgFileAssociation::FindDesktopEntry(const std::string& id) const {
  if (id.empty() || id.find('/') != std::string::npos) return std::nullopt;
  if (auto entry = FindIn(fs::path(dirs_.data_home) / "applications", id)) return entry;
  for (const auto& data : dirs_.data_dirs) {
    if (auto entry = FindIn(fs::path(data) / "applications", id)) return entry;
  }
  return std::nullopt;
}

bool XdgFileAssociation::IsAssociated() {
  AssociationSnapshot snapshot;
  snapshot.mime_package = ReadFileBytes(MimePackagePath(dirs_));
  for (const auto& path : MimeAppsSearchPaths(dirs_)) {
    if (auto list = ReadFileBytes(path)) snapshot.mimeapps_lists.push_back(std::move(*list));
  }
  snapshot.desktop_entry = [this](const std::string& id) { return FindDesktopEntry(id); };
  return IsOurAssociation(snapshot, program_path_);
}

bool XdgFileAssociation::CreateAssociation() {
  const auto entry = DesktopEntryText(program_path_, texts_.program_name, texts_.comment);
  if (!entry) return false;
  bool readable = true;
  const auto lists = ReadIfPresent(MimeAppsPath(dirs_), readable);
  if (!readable) return false;
  std::error_code ignored;
  fs::create_directories(fs::path(MimePackagePath(dirs_)).parent_path(), ignored);
  fs::create_directories(fs::path(DesktopEntryPath(dirs_)).parent_path(), ignored);
  fs::create_directories(dirs_.config_home, ignored);
  const bool written =
      WriteFileAtomically(MimePackagePath(dirs_), MimePackageText(texts_.type_description)) &&
      WriteFileAtomically(DesktopEntryPath(dirs_), *entry) &&
      WriteFileAtomically(MimeAppsPath(dirs_), WithOurDefault(lists.value_or("")));
  RefreshDatabases();
  return written;
}

bool XdgFileAssociation::RemoveAssociation() {
  bool done = RemoveFile(DesktopEntryPath(dirs_));
  done = RemoveFile(MimePackagePath(dirs_)) && done;
  bool readable = true;
  const auto lists = ReadIfPresent(MimeAppsPath(dirs_), readable);
  if (lists) {
    const std::string edited = WithoutOurEntries(*lists);
    if (edited != *lists) done = WriteFileAtomically(MimeAppsPath(dirs_), edited) && done;
  }
  RefreshDatabases();
  return done && readable;
}

void XdgFileAssociation::RefreshDatabases() const {
  std::error_code error;
  const std::string mime = dirs_.data_home + "/mime";
  if (fs::is_directory(mime, error)) RunQuietly({"update-mime-database", mime});
  const std::string applications = dirs_.data_home + "/applications";
  if (fs::is_directory(applications, error)) {
    RunQuietly({"update-desktop-database", applications});
  }
}

}  // namespace kirivane
