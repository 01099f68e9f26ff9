#include "platform/midi/synth_module.h"
#include "platform/module_entry.h"

namespace kirivane {

std::unique_ptr<LiveSynth> LoadLiveSynth(const std::string& soundfont, int sample_rate,
                                         std::string* error) {
  const auto create = reinterpret_cast<CreateLiveSynthFunction>(
      ProgramModuleEntry(kSynthModuleFile, kLiveSynthEntry, error));
  if (create == nullptr) return nullptr;
  return std::unique_ptr<LiveSynth>(create(soundfont.c_str(), sample_rate, error));
}

std::unique_ptr<RenderingMidiOut> LoadRenderingSynth(const std::string& soundfont, int sample_rate,
                                                     std::string* error) {
  const auto create = reinterpret_cast<CreateRenderingSynthFunction>(
      ProgramModuleEntry(kSynthModuleFile, kRenderingSynthEntry, error));
  if (create == nullptr) return nullptr;
  return std::unique_ptr<RenderingMidiOut>(create(soundfont.c_str(), sample_rate, error));
}

}  // namespace kirivane
