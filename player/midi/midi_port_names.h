#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kirivane {

// Whether a port belongs to this program's own MIDI clients (its output port, for one): the
// client part of the name is `client`, or `client` with the "-NN" that JACK adds to a second
// client of the same name. Listing them as inputs would let the player hear itself.
bool IsOwnPort(const std::string& port, const std::string& client);

// The port of `names` that `wanted` stands for: the same full name, or else the one port whose
// name differs only in the ALSA address at its end ("Keyboard:Keyboard MIDI 1 24:0" saved, the
// keyboard now at 20:0 because it was plugged in first).
std::optional<std::size_t> FindPort(const std::vector<std::string>& names,
                                    const std::string& wanted);

}  // namespace kirivane
