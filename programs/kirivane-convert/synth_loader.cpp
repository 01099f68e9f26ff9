#include <dlfcn.h>

#include <filesystem>

#include "programs/kirivane-convert/synth_module.h"

namespace kirivane {

namespace {

std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}

}  // namespace

std::unique_ptr<RenderingMidiOut> LoadRenderingSynth(const std::string& soundfont, int sample_rate,
                                                     std::string* error) {
  // Beside the program in a build, under lib/kirivane when installed.
  std::string path = ProgramFolder() + "/" + kSynthModuleFile;
  const std::string installed = ProgramFolder() + "/../lib/kirivane/" + kSynthModuleFile;
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
  const auto create =
      reinterpret_cast<CreateRenderingSynthFunction>(dlsym(module, kSynthModuleEntry));
  if (create == nullptr) {
    *error = path + " has no entry " + kSynthModuleEntry;
    return nullptr;
  }
  return std::unique_ptr<RenderingMidiOut>(create(soundfont.c_str(), sample_rate, error));
}

}  // namespace kirivane
