#include "fakes/test_paths.h"

#include <filesystem>
#include <random>

namespace kirivane::testing {

std::string SourceDir() {
  return KIRIVANE_SOURCE_DIR;
}
std::string ProgramDir() {
  return KIRIVANE_BIN_DIR;
}

std::string MakeTempDir(const std::string& prefix) {
  namespace fs = std::filesystem;
  std::random_device random;
  for (;;) {
    fs::path dir = fs::temp_directory_path() / (prefix + "-" + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(dir, error)) return dir.string();
  }
}

}  // namespace kirivane::testing
