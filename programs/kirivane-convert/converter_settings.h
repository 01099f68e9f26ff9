#pragma once

#include <string>
#include <string_view>

#include "player/state/player_state.h"

namespace kirivane {

// The few settings a conversion depends on, read from the "Option" section of a settings file
// with the player's rules (missing or empty keys give the default, a value that is no number
// gives 0, then the range rule): MidiCh, PlayCh, PlayVol, MainVol, MidiReadCh, MidiEndTime,
// MidiReadEx and Clock. An empty text gives the defaults of a player without a settings file.
void ApplyConverterSettings(std::string_view settings_text, PlayerState& state);

}  // namespace kirivane
