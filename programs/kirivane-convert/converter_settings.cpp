#include "programs/kirivane-convert/converter_settings.h"

#include "common/basic/code_page.h"
#include "player/settings/ini_file.h"
#include "player/settings/settings_file.h"

namespace kirivane {

void ApplyConverterSettings(std::string_view text, PlayerState& state) {
  ReadPlaybackOptions(state, IniFile(WithoutUtf8Mark(text)));
  state.midi.KeyOutChannel = state.midi.KeyChannel;
  state.midi.PlayOutChannel = state.midi.PlayChannel;
}

}  // namespace kirivane
