#include "platform/module_entry.h"

#include <dlfcn.h>

#include <filesystem>

namespace kirivane {

namespace {

std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}

}  // namespace

void* ProgramModuleEntry(const char* module_file, const char* entry, std::string* error) {
  std::string path = ProgramFolder() + "/" + module_file;
  const std::string installed = ProgramFolder() + "/../lib/kirivane/" + module_file;
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored) && std::filesystem::exists(installed, ignored)) {
    path = installed;
  }
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* why = dlerror();
    *error = "cannot load " + path + (why != nullptr ? std::string(": ") + why : std::string());
    return nullptr;
  }
  void* function = dlsym(module, entry);
  if (function == nullptr) *error = path + " has no entry " + entry;
  return function;
}

}  // namespace kirivane
