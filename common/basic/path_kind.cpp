#include "common/basic/path_kind.h"

#include <filesystem>
#include <system_error>

namespace kirivane {

int PathKind(const std::string& path) {
  if (path.empty()) return -1;
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) return -1;
  return std::filesystem::is_directory(status) ? 0 : 1;
}

bool PathExists(const std::string& path) {
  return PathKind(path) != -1;
}

}  // namespace kirivane
