#pragma once

#include <optional>
#include <string_view>

namespace kirivane {

// The volume of the desktop's default sound output in percent (the loudest channel), 0 when it
// is muted; nothing when the sound server cannot be asked (no `pactl`, no server).
std::optional<int> DefaultOutputVolume();

// The same from what `pactl get-sink-mute` and `pactl get-sink-volume` printed: "Mute: yes"
// gives 0, else the largest "NN%" of the volume text; nothing when the texts hold neither.
std::optional<int> OutputVolumeFromPactl(std::string_view mute_text, std::string_view volume_text);

}  // namespace kirivane
